// "設定": a tree of pages over the preferences, the message formats and
// the log files. The view and theme pages have their place in the tree and
// come with the view settings.
#include <QCheckBox>
#include <QDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QSpinBox>
#include <QSplitter>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <functional>
#include <map>
#include <string_view>
#include <vector>

#include "app/application.h"
#include "app/widgets/ok_cancel.h"
#include "app/widgets/preference_pages.h"
#include "app/widgets/settings_dialogs.h"
#include "display/widgets/view_settings_pages.h"
#include "platform/qt/qt_text.h"
#include "settings/ini_writer.h"
#include "settings/preference_file.h"

namespace zeph {
namespace {

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

struct TPageName {
  const char* section;
  const char* title;
};

// The pages in the tree, by the section of preference.ini they edit.
constexpr TPageName kPageNames[] = {
    {"Connection", "接続"},   {"Event", "イベント"},  {"Interface", "操作"},     {"Action", "動作"},
    {"Window", "ウィンドウ"}, {"Layout", "レイアウト"}, {"Keyword", "キーワード"}, {"Log", "ログファイル"},
    {"Sound", "サウンド"},    {"DCC", "DCC"},        {"UserInfo", "ユーザ情報"}, {"Detail", "詳細"},
};

// What the keys mean, as the pages say it; a key without an entry shows
// its own name.
const std::map<std::string_view, const char*>& KeyLabels() {
  static const std::map<std::string_view, const char*> labels = {
      {"Reconnect", "切断されたら再接続する"},
      {"ReconnectCount", "再接続の回数 (0 で無制限)"},
      {"ReconnectTime", "再接続までの秒数"},
      {"RetryOnHalt", "応答がなければ接続しなおす"},
      {"RetryOnHaltTime", "応答を待つ秒数"},
      {"ForceAutoJoin", "再接続したら前のチャンネルに入る"},
      {"RestoreNickAndAwayOnReconnect", "再接続したらニックネームと離席状態を戻す"},
      {"FocusOnJoin", "入ったチャンネルを選択する"},
      {"SelectFirstChannelOnInit", "接続したら最初のチャンネルを選択する"},
      {"RegisterOnTalk", "トークをツリーに登録する"},
      {"FocusOnTalk", "新しいトークを選択する"},
      {"RejoinOnKick", "追い出されたら入りなおす"},
      {"FlashTitleOnUpdate", "更新があればタイトルを点滅させる"},
      {"ExpandTreeOnLogOn", "接続したらツリーを開く"},
      {"PromptOnQuit", "終了するときに確認する"},
      {"PromptOnKick", "追い出すときにメッセージを尋ねる"},
      {"KickMessage", "追い出すときのメッセージ"},
      {"EnableNickContextMenu", "ログのニックネームでメニューを出す"},
      {"JoinOnDoubleClick", "ダブルクリックでチャンネルに入る"},
      {"PartOnDoubleClick", "ダブルクリックでチャンネルを出る"},
      {"ConnectOnDoubleClick", "ダブルクリックで接続する"},
      {"DisconnectOnDoubleClick", "ダブルクリックで切断する"},
      {"EnableTrayIcon", "タスクトレイにアイコンを表示する"},
      {"ShowTrayIconOnMinimized", "最小化したときだけアイコンを表示する"},
      {"HideWindowOnMinimize", "最小化したらタスクバーから隠す"},
      {"HideAllWindowOnMinimize", "最小化したら他のウィンドウも隠す"},
      {"EnableBaloon", "バルーンで知らせる"},
      {"RestoreTrayIconOnSingleClick", "アイコンのクリック1回で元に戻す"},
      {"ShowBalloonOnInactive", "ウィンドウが裏にあるときだけバルーンを出す"},
      {"BalloonFollowsAllLog", "すべてのログをバルーンで知らせる"},
      {"SnapWindow", "画面の端にくっつける"},
      {"RestoreOnHotKey", "ホットキーで元に戻す"},
      {"ForceSingleApplicationInstance", "二つ目を起動しない"},
      {"InvertLogAndList", "ログとリストの左右を入れ替える"},
      {"InvertMemberAndTree", "メンバリストとツリーの上下を入れ替える"},
      {"SortTree", "ツリーを並べ替える"},
      {"MemberSortMethod", "メンバの並べ方"},
      {"ChannelLogMaxLines", "チャンネルのログの最大行数"},
      {"ConsoleLogMaxLines", "コンソールの最大行数"},
      {"BlinkTitleOnKeyword", "キーワードでタイトルを点滅させる"},
      {"DCCRootDir", "受信したファイルを置くフォルダ"},
  };
  return labels;
}

QString LabelOf(const char* key) {
  auto it = KeyLabels().find(key);
  return it == KeyLabels().end() ? QString::fromLatin1(key) : Q(it->second);
}

// One editor per key of a section; `apply` writes them back.
QWidget* FieldPage(const TPreferenceSection& section, TPreferences& prefs, std::vector<std::function<void()>>& apply) {
  auto* scroll = new QScrollArea;
  scroll->setWidgetResizable(true);
  auto* page = new QWidget;
  auto* form = new QFormLayout(page);
  for (const TField<TPreferences>& field : section.fields) {
    QString label = LabelOf(field.key);
    std::visit(
        [&](auto member) {
          using V = std::remove_cvref_t<decltype(prefs.*member)>;
          if constexpr (std::is_same_v<V, bool>) {
            auto* box = new QCheckBox(label, page);
            box->setObjectName(QString::fromLatin1(field.key));
            box->setChecked(prefs.*member);
            form->addRow(box);
            apply.push_back([box, &prefs, member] { prefs.*member = box->isChecked(); });
          } else if constexpr (std::is_same_v<V, int>) {
            auto* spin = new QSpinBox(page);
            spin->setObjectName(QString::fromLatin1(field.key));
            spin->setRange(-1000000000, 1000000000);
            spin->setValue(prefs.*member);
            form->addRow(label, spin);
            apply.push_back([spin, &prefs, member] { prefs.*member = spin->value(); });
          } else {
            auto* edit = new QLineEdit(ToQString(prefs.*member), page);
            edit->setObjectName(QString::fromLatin1(field.key));
            form->addRow(label, edit);
            apply.push_back([edit, &prefs, member] { prefs.*member = FromQString(edit->text()); });
          }
        },
        field.member);
  }
  scroll->setWidget(page);
  return scroll;
}

// The formats as section Format holds them, to see whether they changed.
std::string FormatText(const TMessageFormat& formats) {
  TIniWriter writer;
  formats.Save(writer);
  return writer.Text();
}

// The page of a section: laid out by hand, or one box per key.
QWidget* SectionPage(const TPreferenceSection& section, TPreferences& prefs, TApplication& app,
                     const TSettingsServices& services, std::vector<std::function<void()>>& apply) {
  std::string_view name = section.name;
  if (name == "Log") return LogFilePage(prefs, services, apply);
  if (name == "Sound")
    return SoundPage(prefs, services, QString::fromStdString(app.Folders().macro_sound.string()),
                     app.WindowLayout().preference_sound_header, apply);
  return FieldPage(section, prefs, apply);
}

}  // namespace

bool RunSettingsDialog(QWidget* parent, TApplication& app, TSettingsServices services) {
  TPreferences& prefs = app.Preferences();
  TPreferences edited = prefs;
  TMessageFormat formats = app.Formats();
  std::vector<std::function<void()>> apply;

  QDialog dialog(parent);
  dialog.setWindowTitle(Q("設定"));
  dialog.resize(720, 520);
  auto* layout = new QVBoxLayout(&dialog);
  auto* splitter = new QSplitter(&dialog);
  auto* tree = new QTreeWidget(splitter);
  tree->setObjectName(QStringLiteral("PageTree"));
  tree->setHeaderHidden(true);
  auto* pages = new QStackedWidget(splitter);
  splitter->setStretchFactor(1, 1);
  layout->addWidget(splitter, 1);
  auto add_page = [&](QTreeWidgetItem* holder, const QString& title, QWidget* page) {
    auto* item = holder ? new QTreeWidgetItem(holder, {title}) : new QTreeWidgetItem(tree, {title});
    item->setData(0, Qt::UserRole, pages->addWidget(page));
    return item;
  };
  std::vector<TPreferenceSection> sections = PreferenceSections();
  for (const TPageName& name : kPageNames) {
    for (const TPreferenceSection& section : sections)
      if (std::string_view(section.name) == name.section)
        add_page(nullptr, Q(name.title), SectionPage(section, edited, app, services, apply));
  }
  // The look pages work on their own copy of the view settings; it carries
  // the live formats so that a theme loaded with its formats is seen.
  TViewSettings& live_view = app.ViewSettings();
  live_view.formats = app.Formats();
  std::unique_ptr<TViewSettingsPages> look =
      CreateViewSettingsPages({&live_view, app.ThemeFolders(), app.ViewFile(), &edited, services.view_applied});
  std::vector<TViewSettingsPages::TPage> look_pages = look->Pages();
  // "表示" opens on the theme page; the other look pages and the formats
  // come under it.
  QTreeWidgetItem* view = add_page(nullptr, Q("表示"), look_pages.front().widget);
  for (size_t i = 1; i < look_pages.size(); ++i) add_page(view, look_pages[i].title, look_pages[i].widget);
  add_page(view, Q("接頭辞とタイトル"), PrefixPage(formats, apply));
  add_page(view, Q("メッセージの書式"), KindsPage(formats, app.WindowLayout().preference_format_header, apply));
  view->setExpanded(true);
  QObject::connect(tree, &QTreeWidget::currentItemChanged, pages, [pages](QTreeWidgetItem* item) {
    if (item) pages->setCurrentIndex(item->data(0, Qt::UserRole).toInt());
  });
  tree->setCurrentItem(tree->topLevelItem(0));
  layout->addWidget(OkCancel(&dialog));
  splitter->setSizes({170, 550});
  if (dialog.exec() != QDialog::Accepted) return false;
  for (const auto& step : apply) step();
  prefs = edited;
  // A theme loaded with its formats wins over the formats page unless the
  // page was changed too.
  std::string opened = FormatText(app.Formats());
  if (FormatText(look->Working().formats) == opened || FormatText(formats) != opened)
    look->Working().formats = formats;
  app.Formats() = look->Working().formats;
  app.SavePreferences();
  look->Apply();  // writes view.ini with the formats
  app.World().ApplyPreferences();
  return true;
}

}  // namespace zeph
