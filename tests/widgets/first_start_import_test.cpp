// The first-start wizard's import choice as a user goes through it: the
// installation found beside the application folder, another place chosen,
// the report of what could not be copied, and the settings the program
// starts with afterwards.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <functional>

#include "app/application.h"
#include "app/widgets/first_start_wizard.h"
#include "platform/poll_loop.h"
#include "settings/preference_file.h"
#include "settings/window_layout.h"
#include "support/settings_test_files.h"
#include "support/temp_dir.h"

namespace zeph {
namespace {

namespace fs = std::filesystem;
using test::WindowsText;
using test::WriteBytes;

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

QString Path(const fs::path& path) { return QFile::decodeName(path.c_str()); }

class FirstStartImportTest : public testing::Test {
 protected:
  // A version-1 installation where the wizard looks first: beside the
  // application folder. Its sound cannot be copied, as a file stands
  // where the profile's sound folder belongs.
  FirstStartImportTest() {
    folders_.CreateAll();
    WriteVersion1("Config/taro-general.ini",
                  "[Option]\nShowMenu=0\nTopMost=1\nReconnectInterval=\"45\"\n[Find]\nFindCase=1\n");
    WriteVersion1("Config/taro-profile.ini", "[Root]\nProfileCount=1\nName0=net\n[net]\nServer=irc.example.net\n");
    WriteVersion1("Macro/a.lmf", "macro");
    WriteVersion1("Sound/ring.wav", "RIFF");
    fs::remove_all(folders_.macro_sound);
    WriteBytes(folders_.macro_sound, "in the way");
    app_.LoadAllSettings();
    wizard_.before_dialog = [this](QDialog& dialog) {
      std::function<void(QDialog&)> answer = [](QDialog& unexpected) {
        ADD_FAILURE() << "unexpected " << unexpected.windowTitle().toStdString();
        unexpected.reject();
      };
      if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
      }
      QTimer::singleShot(0, &dialog, [&dialog, answer] { answer(dialog); });
    };
    wizard_.show();
  }

  void WriteVersion1(const fs::path& relative, std::string_view utf8) {
    fs::create_directories((version1_ / relative).parent_path());
    WriteBytes(version1_ / relative, WindowsText(utf8));
  }

  // Leaves the first page with the import choice; the dialogs it opens
  // take the queued answers.
  void ChooseImport() {
    wizard_.Choices()->button(TFirstStartWizard::kImport)->setChecked(true);
    wizard_.next();
  }

  static void Click(QDialog& dialog, const char* text) {
    for (QAbstractButton* button : static_cast<QMessageBox&>(dialog).buttons())
      if (button->text() == U(text)) return button->click();
    ADD_FAILURE() << "no button " << text;
    dialog.reject();
  }
  static void ChooseFolder(QDialog& dialog, const fs::path& folder) {
    auto& chooser = static_cast<QFileDialog&>(dialog);
    EXPECT_EQ(chooser.windowTitle(), U("Zephlora1 をインストールしたフォルダを選択してください"));
    chooser.setDirectory(Path(folder));
    dialog.accept();  // the chooser's own accept, which takes the folder
  }

  test::TTempDir home_;
  TPollLoop loop_;
  TAppFolders folders_ = TAppFolders::Setup(home_.Path() / "zephlora2", "taro", "");
  fs::path version1_ = home_.Path() / "zephlora1";
  TApplication app_{loop_, folders_};
  TFirstStartWizard wizard_{app_};
  std::deque<std::function<void(QDialog&)>> answers_;
};

TEST_F(FirstStartImportTest, FoundInstallationOtherPlaceAndReport) {
  QString found;
  // Back to the first page: nothing is imported.
  answers_.push_back([](QDialog& dialog) { Click(dialog, "戻る"); });
  ChooseImport();
  EXPECT_EQ(wizard_.currentId(), TFirstStartWizard::kWelcomePage);
  EXPECT_FALSE(wizard_.Imported());
  EXPECT_FALSE(fs::exists(folders_.config / "preference.ini"));

  // Another place without settings, asked again, then the installation.
  fs::path empty = home_.Path() / "empty";
  fs::create_directories(empty);
  answers_.push_back([&](QDialog& dialog) {
    auto& box = static_cast<QMessageBox&>(dialog);
    EXPECT_EQ(box.windowTitle(), U("設定の引き継ぎ"));
    found = box.text();
    QStringList buttons;
    for (QAbstractButton* button : box.buttons()) buttons.push_back(button->text());
    buttons.sort();
    QStringList wanted{U("引き継ぐ"), U("他の場所を指定する"), U("戻る")};
    wanted.sort();
    EXPECT_EQ(buttons, wanted);
    Click(dialog, "他の場所を指定する");
  });
  answers_.push_back([&](QDialog& dialog) { ChooseFolder(dialog, empty); });
  answers_.push_back([](QDialog& dialog) {
    auto& box = static_cast<QMessageBox&>(dialog);
    EXPECT_EQ(box.text(), U("Zephlora1 の設定ファイルが見つかりません\nもう一度引き継ぎ元を指定しますか？"));
    box.button(QMessageBox::Yes)->click();
  });
  answers_.push_back([&](QDialog& dialog) { ChooseFolder(dialog, version1_); });
  ChooseImport();
  EXPECT_TRUE(answers_.empty());
  EXPECT_EQ(found, U("Zephlora1 の設定が見つかりました\n") + Path(version1_) + U("\nこの設定を引き継ぎますか？"));

  // The report, with no way back to an import that has happened.
  ASSERT_EQ(wizard_.currentId(), TFirstStartWizard::kImportPage);
  EXPECT_TRUE(wizard_.Imported());
  QString report = wizard_.ImportReportBox()->toPlainText();
  EXPECT_TRUE(report.contains(U("1 個のファイルをコピーできませんでした"))) << report.toStdString();
  EXPECT_TRUE(report.contains(U("設定を引き継ぎました (コピーしたファイル: 1)"))) << report.toStdString();
  EXPECT_FALSE(wizard_.button(QWizard::BackButton)->isEnabled());

  // The program goes on with the imported settings, saved as installed.
  ApplyFirstStart(app_, wizard_, true);
  TWindowLayout window = LoadWindowLayout(folders_.config / "window.ini");
  EXPECT_FALSE(window.main.menu_visible);
  EXPECT_TRUE(window.main.top_most);
  EXPECT_TRUE(window.find_case);
  EXPECT_EQ(app_.WindowLayout(), window);
  EXPECT_EQ(app_.Preferences().ReconnectTime, 45);
  ASSERT_EQ(app_.LoadedTree().units.size(), 1u);
  EXPECT_EQ(app_.LoadedTree().units[0].hostname, "irc.example.net");
  EXPECT_TRUE(fs::exists(folders_.macro / "a.lmf"));
  TPreferences saved;
  ASSERT_TRUE(LoadPreferences(folders_.config / "preference.ini", &saved));
  EXPECT_TRUE(saved.Installed);
  EXPECT_EQ(saved.ReconnectTime, 45);
}

TEST_F(FirstStartImportTest, WithoutAnInstallationTheFolderChooserComesFirst) {
  fs::remove_all(version1_);
  answers_.push_back([](QDialog& dialog) {
    EXPECT_NE(qobject_cast<QFileDialog*>(&dialog), nullptr);
    dialog.reject();
  });
  ChooseImport();
  EXPECT_TRUE(answers_.empty());
  EXPECT_EQ(wizard_.currentId(), TFirstStartWizard::kWelcomePage);
  EXPECT_FALSE(wizard_.Imported());
}

}  // namespace
}  // namespace zeph
