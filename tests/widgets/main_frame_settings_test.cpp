// The settings dialog: changes on its pages reach preference.ini and
// view.ini on OK and nowhere on Cancel; the log-file and sound pages use
// their choosers and the sound output; every open log view takes a new
// look.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <fstream>
#include <sstream>

#include "app/widgets/settings_dialogs.h"
#include "display/widgets/log_view.h"
#include "platform/qt/qt_text.h"
#include "settings/preference_file.h"
#include "widgets/main_frame_fixture.h"

namespace zeph {
namespace {

std::string Contents(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

class MainFrameSettingsTest : public MainFrameTest {
 protected:
  // Opens "設定" and closes it with OK or Cancel; returns the page titles.
  QStringList RunSettings(bool ok) {
    QStringList titles;
    QTimer::singleShot(0, [&] {
      QWidget* dialog = QApplication::activeModalWidget();
      ASSERT_NE(dialog, nullptr);
      for (QTreeWidgetItem* item : dialog->findChild<QTreeWidget*>()->findItems("*", Qt::MatchWildcard | Qt::MatchRecursive))
        titles.push_back(item->text(0));
      ok ? static_cast<QDialog*>(dialog)->accept() : static_cast<QDialog*>(dialog)->reject();
    });
    Item("setup")->trigger();
    return titles;
  }
};

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

template <typename W>
W* Find(QDialog& dialog, const char* name) {
  return dialog.findChild<W*>(QString::fromLatin1(name));
}

class SettingsDialogTest : public MainFrameTest {
 protected:
  std::vector<std::string> played_;
  const QString folder_ = U("/tmp/ログ");
  const QString sound_ = U("/tmp/音/キック.wav");

  // Opens "設定" with choosers that answer for the user, lets `edit` work
  // on it and presses OK or Cancel.
  bool Run(bool ok, const std::function<void(QDialog&)>& edit) {
    TSettingsServices services;
    services.play_sound = [this](const std::string& file) { played_.push_back(file); };
    services.choose_sound_file = [this](QWidget*, const QString&) { return sound_; };
    services.choose_folder = [this](QWidget*, const QString&) { return folder_; };
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      edit(*dialog);
      ok ? dialog->accept() : dialog->reject();
    });
    return RunSettingsDialog(frame_.get(), *app_, services);
  }

  // One change on each of a few pages: connection, window, detail, log
  // files, sounds and the message formats.
  void EditPages(QDialog& dialog) {
    Find<QSpinBox>(dialog, "ReconnectTime")->setValue(45);
    Find<QCheckBox>(dialog, "SnapWindow")->setChecked(true);
    Find<QLineEdit>(dialog, "CommandPrefix")->setText(QStringLiteral("!"));

    Find<QCheckBox>(dialog, "EnableChannelLog")->setChecked(true);
    Find<QLineEdit>(dialog, "ChannelLogFile")->setText(U("%c/%y%m%d-チャンネル.txt"));
    Find<QPushButton>(dialog, "ChooseLogRootDir")->click();
    EXPECT_EQ(Find<QLineEdit>(dialog, "LogRootDir")->text(), folder_);
    auto* interval = Find<QSpinBox>(dialog, "FlushLogTime");
    EXPECT_FALSE(interval->isEnabled());
    Find<QCheckBox>(dialog, "ForceFlushLog")->setChecked(true);
    EXPECT_TRUE(interval->isEnabled());
    interval->setValue(60);

    auto* sounds = Find<QTreeWidget>(dialog, "SoundList");
    auto* play = Find<QPushButton>(dialog, "PlaySound");
    ASSERT_EQ(sounds->topLevelItemCount(), 15);
    QTreeWidgetItem* kick = sounds->topLevelItem(2);
    EXPECT_EQ(kick->text(0), U("キック"));
    sounds->setCurrentItem(kick);
    EXPECT_FALSE(play->isEnabled());  // no file yet
    Find<QPushButton>(dialog, "ChangeSound")->click();
    EXPECT_EQ(kick->text(1), sound_);
    kick->setCheckState(0, Qt::Checked);
    play->click();
    Find<QCheckBox>(dialog, "MuteOnAway")->setChecked(false);

    Find<QComboBox>(dialog, "PreNick")->setEditText(QStringLiteral("[%n] "));
    auto* formats = Find<QTreeWidget>(dialog, "FormatList");
    auto joins = formats->findItems(QStringLiteral("Join"), Qt::MatchExactly);
    ASSERT_EQ(joins.size(), 1);
    QTreeWidgetItem* join = joins[0];
    EXPECT_EQ(join->text(2), U("○"));
    // A right click on the console flag turns it off.
    formats->scrollToItem(join);
    QPoint console_cell(formats->columnViewportPosition(2) + 5, formats->visualItemRect(join).center().y());
    QTest::mouseClick(formats->viewport(), Qt::RightButton, {}, console_cell);
    EXPECT_EQ(join->text(2), QString());
    // The edit dialog changes the format.
    formats->setCurrentItem(join);
    QTimer::singleShot(0, [] {
      auto* edit = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(edit, nullptr);
      EXPECT_EQ(edit->windowTitle(), U("メッセージ設定"));
      edit->findChild<QLineEdit*>(QStringLiteral("Format"))->setText(U("*%n さんが %c に入りました"));
      edit->accept();
    });
    Find<QPushButton>(dialog, "EditFormat")->click();
    EXPECT_EQ(join->text(3), U("*%n さんが %c に入りました"));
  }
};

TEST_F(SettingsDialogTest, OkWritesTheChangedPagesToPreferenceIniAndViewIni) {
  Open();
  EXPECT_TRUE(Run(true, [&](QDialog& dialog) { EditPages(dialog); }));
  EXPECT_EQ(played_, std::vector<std::string>{FromQString(sound_)});

  TPreferences saved;
  ASSERT_TRUE(LoadPreferences(app_->PreferenceFile(), &saved));
  EXPECT_EQ(saved.ReconnectTime, 45);
  EXPECT_TRUE(saved.SnapWindow);
  EXPECT_EQ(saved.CommandPrefix, "!");
  EXPECT_TRUE(saved.EnableChannelLog);
  EXPECT_EQ(saved.ChannelLogFile, FromQString(U("%c/%y%m%d-チャンネル.txt")));
  EXPECT_EQ(saved.LogRootDir, FromQString(folder_));
  EXPECT_TRUE(saved.ForceFlushLog);
  EXPECT_EQ(saved.FlushLogTime, 60);
  EXPECT_TRUE(saved.EnableKickSound);
  EXPECT_EQ(saved.KickSoundFile, FromQString(sound_));
  EXPECT_FALSE(saved.EnableLogInSound);
  EXPECT_FALSE(saved.MuteOnAway);
  EXPECT_EQ(app_->Preferences().KickSoundFile, saved.KickSoundFile);  // and the program uses them

  const TKindFormat* join = app_->Formats().FindKind(TMessageKind::Join);
  ASSERT_NE(join, nullptr);
  EXPECT_FALSE(join->console_enabled);
  EXPECT_TRUE(join->channel_enabled);
  EXPECT_EQ(join->format, FromQString(U("*%n さんが %c に入りました")));
  EXPECT_EQ(app_->Formats().pre_nick, "[%n] ");
  EXPECT_NE(Contents(app_->ViewFile()).find(join->format), std::string::npos);
}

TEST_F(SettingsDialogTest, CancelLeavesPreferenceIniByteForByte) {
  Open();
  ASSERT_TRUE(app_->SavePreferences());
  std::string before = Contents(app_->PreferenceFile());
  std::string view_before = Contents(app_->ViewFile());
  TPreferences prefs_before = app_->Preferences();
  EXPECT_FALSE(Run(false, [&](QDialog& dialog) { EditPages(dialog); }));
  EXPECT_EQ(Contents(app_->PreferenceFile()), before);
  EXPECT_EQ(Contents(app_->ViewFile()), view_before);
  EXPECT_EQ(app_->Preferences().ReconnectTime, prefs_before.ReconnectTime);
  EXPECT_EQ(app_->Preferences().KickSoundFile, prefs_before.KickSoundFile);
}

TEST_F(SettingsDialogTest, TheSoundAndFormatListsKeepTheirColumnWidthsInTheWindowLayout) {
  Open();
  Run(false, [&](QDialog& dialog) {
    auto* sounds = dialog.findChild<QTreeWidget*>(QStringLiteral("SoundList"));
    EXPECT_EQ(sounds->columnWidth(0), 160);
    sounds->setColumnWidth(0, 200);
    dialog.findChild<QTreeWidget*>(QStringLiteral("FormatList"))->setColumnWidth(3, 250);
  });
  EXPECT_EQ(app_->WindowLayout().preference_sound_header[0], 200);
  EXPECT_EQ(app_->WindowLayout().preference_format_header[3], 250);
}

// The words a generic page shows for a key: the check box's own text or
// the label of its form row.
QString WordsOf(QWidget* editor) {
  if (auto* box = qobject_cast<QCheckBox*>(editor)) return box->text();
  auto* form = qobject_cast<QFormLayout*>(editor->parentWidget()->layout());
  auto* label = form ? qobject_cast<QLabel*>(form->labelForField(editor)) : nullptr;
  return label ? label->text() : QString();
}

bool HasJapanese(const QString& text) {
  return std::ranges::any_of(text, [](QChar c) { return c.unicode() >= 0x3000; });
}

TEST_F(SettingsDialogTest, EveryKeyOnTheGenericPagesIsLabelledInJapanese) {
  Open();
  Run(false, [&](QDialog& dialog) {
    for (const TPreferenceSection& section : PreferenceSections()) {
      std::string_view name = section.name;
      if (name == "Log" || name == "Sound" || name == "Ison") continue;  // hand-made pages, or not shown
      for (const auto& field : section.fields) {
        auto* editor = Find<QWidget>(dialog, field.key);
        ASSERT_NE(editor, nullptr) << field.key;
        EXPECT_TRUE(HasJapanese(WordsOf(editor))) << field.key << ": " << WordsOf(editor).toStdString();
      }
    }
  });
}

// Enumerations are lists of named values that store the same numbers; a
// value the file holds outside a box's range or list survives OK untouched.
TEST_F(SettingsDialogTest, ChoiceListsStoreTheirNumbersAndOutOfRangeValuesSurviveOk) {
  Open([](TPreferences& prefs) {
    prefs.DCCReceivePortStart = 70000;
    prefs.ReconnectCount = -3;
    prefs.NickPolicy = 9;
  });
  EXPECT_TRUE(Run(true, [&](QDialog& dialog) {
    auto* method = Find<QComboBox>(dialog, "IPResolveMethod");
    QStringList methods;
    for (int i = 0; i < method->count(); ++i) methods << method->itemText(i);
    EXPECT_EQ(methods, (QStringList{U("LANカードを認識"), U("JOIN 時にアドレスを取得"), U("CTCP でアドレスを取得"),
                                    U("IPアドレスかホスト名を指定")}));
    auto* address = Find<QLineEdit>(dialog, "IPAddress");
    EXPECT_FALSE(address->isEnabled());
    method->setCurrentIndex(3);
    EXPECT_TRUE(address->isEnabled());
    address->setText(QStringLiteral("dcc.example.jp"));

    auto* kana = Find<QComboBox>(dialog, "KanaEncodingMethod");
    EXPECT_EQ(kana->itemText(0), U("全角カナに変換する"));
    kana->setCurrentIndex(kana->findData(2));
    auto* receive = Find<QComboBox>(dialog, "DCCReceiveAction");
    receive->setCurrentIndex(receive->findData(0));
    EXPECT_EQ(Find<QSpinBox>(dialog, "DCCReceivePortStart")->value(), 70000);
  }));

  TPreferences saved;
  ASSERT_TRUE(LoadPreferences(app_->PreferenceFile(), &saved));
  EXPECT_EQ(saved.IPResolveMethod, 3);
  EXPECT_EQ(saved.IPAddress, "dcc.example.jp");
  EXPECT_EQ(saved.KanaEncodingMethod, 2);
  EXPECT_EQ(saved.DCCReceiveAction, 0);
  EXPECT_EQ(saved.DCCReceivePortStart, 70000);
  EXPECT_EQ(saved.ReconnectCount, -3);
  EXPECT_EQ(saved.NickPolicy, 9);
}

TEST_F(MainFrameSettingsTest, CancelLeavesViewIniAndOkWritesItAndRestylesTheLogs) {
  Open();
  std::filesystem::path view_ini = app_->ViewFile();
  std::ofstream(view_ini, std::ios::binary) << "[Format]\r\nEnableTime=1\r\n";
  std::string before = Contents(view_ini);
  auto* log = qobject_cast<TLogView*>(frame_->CurrentLogView());
  ASSERT_NE(log, nullptr);
  const TScreenLook* look = &log->Look();

  QStringList titles = RunSettings(false);
  for (const char* page : {"表示", "ログ", "サーバツリー", "メンバリスト", "入力テキスト", "接頭辞とタイトル", "メッセージの書式"})
    EXPECT_TRUE(titles.contains(QString::fromUtf8(page))) << page;
  EXPECT_EQ(Contents(view_ini), before);
  EXPECT_EQ(&log->Look(), look);

  RunSettings(true);
  std::string after = Contents(view_ini);
  EXPECT_NE(after, before);
  EXPECT_NE(after.find("[Format]"), std::string::npos);
  EXPECT_NE(&log->Look(), look);  // the applied look reached the open view
}

}  // namespace
}  // namespace zeph
