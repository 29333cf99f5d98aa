#include "display/widgets/log_settings_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "display/view_choices.h"
#include "display/widgets/color_button.h"
#include "display/widgets/font_dialog.h"
#include "display/widgets/log_preview.h"
#include "display/widgets/picture_chooser.h"
#include "display/widgets/working_view.h"
#include "platform/qt/qt_text.h"

namespace zeph {

namespace {

using TItem = TLogSettingsPage::TItem;
using S = TViewSettings;

TItem FontItem(std::function<TFontSpec*(S&)> font, std::function<bool*(S&)> own_font = {}) {
  return {TItem::Font, std::move(font), std::move(own_font), {}, {}, {}};
}
TItem LineFont(int category) {
  return FontItem([category](S& s) { return &s.line_fonts[static_cast<size_t>(category)]; });
}
TItem NickFont(int nick_class) {
  return FontItem([nick_class](S& s) { return &s.nick_fonts[static_cast<size_t>(nick_class)]; });
}
TItem Colors(std::function<std::uint32_t*(S&)> first, std::function<std::uint32_t*(S&)> second = {}) {
  return {TItem::Colors, {}, {}, std::move(first), std::move(second), {}};
}
TItem Back(TBackground S::*back) {
  return {TItem::Background, {}, {}, {}, {}, [back](S& s) { return &(s.*back); }};
}

struct TGroup {
  const char* label;
  std::vector<std::pair<const char*, TItem>> items;
};

std::vector<TGroup> LogItems() {
  return {
      {"フォント",
       {{"時間", FontItem([](S& s) { return &s.time_font; })},
        {"サーバ/チャンネル", FontItem([](S& s) { return &s.channel_font; })},
        {"キーワード", FontItem([](S& s) { return &s.keyword_font; })},
        {"URL", FontItem([](S& s) { return &s.url_font; }, [](S& s) { return &s.use_url_font; })},
        {"ホスト名",
         FontItem([](S& s) { return &s.hostname_font; }, [](S& s) { return &s.use_hostname_font; })},
        {"選択", Colors([](S& s) { return &s.select_text_color; }, [](S& s) { return &s.select_back_color; })},
        {"検索ハイライト", Colors([](S& s) { return &s.hilight_back_color; })}}},
      {"ニックネーム",
       {{"通常", NickFont(0)},
        {"自分", NickFont(1)},
        {"グループ1", NickFont(2)},
        {"グループ2", NickFont(3)},
        {"グループ3", NickFont(4)},
        {"グループ4", NickFont(5)},
        {"グループ5", NickFont(6)}}},
      {"テキスト", {{"Privmsg", LineFont(0)}, {"Notice", LineFont(1)}, {"Action", LineFont(2)}}},
      {"システム", {{"システム", LineFont(16)}, {"エラー", LineFont(14)}}},
      {"イン", {{"Join", LineFont(3)}, {"Invite", LineFont(7)}}},
      {"アウト", {{"Part", LineFont(4)}, {"Quit", LineFont(5)}, {"Kick", LineFont(6)}}},
      {"モード", {{"Nick", LineFont(8)}, {"Mode", LineFont(9)}, {"Topic", LineFont(10)}}},
      {"CTCP/DCC", {{"CTCP", LineFont(11)}, {"DCC Send", LineFont(12)}, {"DCC Chat", LineFont(13)}}},
      {"補助",
       {{"リプライ", LineFont(15)},
        {"マクロ出力", LineFont(17)},
        {"プロトコル送信", LineFont(18)},
        {"プロトコル受信", LineFont(19)}}},
      {"背景",
       {{"チャンネルログ", Back(&S::channel_log_back)},
        {"全体ログ", Back(&S::all_log_back)},
        {"文字の影", TItem{TItem::Shadow, {}, {}, [](S& s) { return &s.shadow_color; }, {}, {}}}}},
  };
}

// The colour panel's second button, shown only for items with two colours.
constexpr size_t kSecondColorButton = 2;

QString FontDescription(const TFontSpec& font) {
  QString family = font.family.empty() ? QString::fromUtf8("(デフォルト)") : ToQString(font.family);
  return QString("%1  %2pt  %3  %4")
      .arg(family, QString::fromStdString(FontSizeText(font.size)), QString::fromUtf8(FontStyleLabel(font)),
           QString::fromUtf8(CharsetLabel(font.charset)));
}

}  // namespace

TLogSettingsPage::TLogSettingsPage(TWorkingView& working, QWidget* parent) : QWidget(parent), working_(working) {
  tree_ = new QTreeWidget;
  tree_->setHeaderHidden(true);
  panels_ = new QStackedWidget;
  panels_->addWidget(BuildFontPanel());
  panels_->addWidget(BuildColorPanel());
  panels_->addWidget(BuildBackgroundPanel());
  panels_->addWidget(BuildShadowPanel());
  preview_ = new TLogPreview(working);
  BuildTree();

  auto* left = new QVBoxLayout;
  left->addWidget(tree_, 1);
  left->addWidget(panels_);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 2);
  layout->addWidget(preview_, 3);
  connect(tree_, &QTreeWidget::currentItemChanged, this, &TLogSettingsPage::ShowCurrent);
  connect(&working_, &TWorkingView::Changed, this, [this](bool view, bool) {
    if (view) ShowCurrent();
  });
  SelectItem("時間");
}

void TLogSettingsPage::BuildTree() {
  for (TGroup& group : LogItems()) {
    auto* top = new QTreeWidgetItem(tree_, {QString::fromUtf8(group.label)});
    top->setFlags(Qt::ItemIsEnabled);
    for (auto& [label, item] : group.items) {
      auto* leaf = new QTreeWidgetItem(top, {QString::fromUtf8(label)});
      leaf->setData(0, Qt::UserRole, static_cast<int>(items_.size()));
      items_.push_back(std::move(item));
    }
  }
  tree_->expandAll();
}

QWidget* TLogSettingsPage::BuildFontPanel() {
  auto* panel = new QWidget;
  font_name_ = new QLabel;
  auto* choose = new QPushButton(QString::fromUtf8("フォント(&O)..."));
  underline_only_ = new QCheckBox;
  auto* color = new TColorButton(
      [this]() -> std::uint32_t* {
        const TItem* item = Current();
        return item && item->font ? &item->font(working_.Settings())->color : nullptr;
      },
      [this] { Edited(); });
  color_buttons_.push_back(color);
  auto* form = new QFormLayout(panel);
  form->addRow(font_name_);
  form->addRow(choose);
  form->addRow(QString::fromUtf8("色:"), color);
  form->addRow(underline_only_);
  connect(choose, &QPushButton::clicked, this, &TLogSettingsPage::OpenFontDialog);
  connect(underline_only_, &QCheckBox::toggled, this, [this](bool checked) {
    const TItem* item = Current();
    if (showing_ || !item || !item->own_font) return;
    *item->own_font(working_.Settings()) = !checked;
    Edited();
  });
  return panel;
}

QWidget* TLogSettingsPage::BuildColorPanel() {
  auto* panel = new QWidget;
  auto* form = new QFormLayout(panel);
  for (bool second : {false, true}) {
    auto* button = new TColorButton(
        [this, second]() -> std::uint32_t* {
          const TItem* item = Current();
          if (!item) return nullptr;
          const auto& pick = second ? item->second_color : item->first_color;
          return pick ? pick(working_.Settings()) : nullptr;
        },
        [this] { Edited(); });
    color_buttons_.push_back(button);
    form->addRow(QString::fromUtf8(second ? "背景色:" : "色:"), button);
  }
  return panel;
}

QWidget* TLogSettingsPage::BuildBackgroundPanel() {
  auto* panel = new QWidget;
  auto* color = new TColorButton(
      [this]() -> std::uint32_t* {
        const TItem* item = Current();
        return item && item->back ? &item->back(working_.Settings())->color : nullptr;
      },
      [this] { Edited(); });
  color_buttons_.push_back(color);
  back_style_ = new QComboBox;
  for (const TLabelledCode& style : BackStyleChoices()) back_style_->addItem(QString::fromUtf8(style.label), style.code);
  picture_ = new QLineEdit;
  picture_->setReadOnly(true);
  auto* choose = new QPushButton("...");
  auto* picture_row = new QHBoxLayout;
  picture_row->addWidget(picture_, 1);
  picture_row->addWidget(choose);
  auto* form = new QFormLayout(panel);
  form->addRow(QString::fromUtf8("背景色:"), color);
  form->addRow(QString::fromUtf8("スタイル:"), back_style_);
  form->addRow(QString::fromUtf8("画像ファイル:"), picture_row);
  connect(back_style_, &QComboBox::currentIndexChanged, this, [this] {
    const TItem* item = Current();
    if (showing_ || !item || !item->back) return;
    item->back(working_.Settings())->style = back_style_->currentData().toInt();
    Edited();
  });
  connect(choose, &QPushButton::clicked, this, &TLogSettingsPage::OpenPictureChooser);
  return panel;
}

QWidget* TLogSettingsPage::BuildShadowPanel() {
  auto* panel = new QWidget;
  shadow_kind_ = new QComboBox;
  for (const TLabelledCode& kind : ShadowKindChoices()) shadow_kind_->addItem(QString::fromUtf8(kind.label), kind.code);
  auto* color = new TColorButton(
      [this]() -> std::uint32_t* {
        const TItem* item = Current();
        return item && item->kind == TItem::Shadow ? &working_.Settings().shadow_color : nullptr;
      },
      [this] { Edited(); });
  color_buttons_.push_back(color);
  auto* form = new QFormLayout(panel);
  form->addRow(QString::fromUtf8("影の付け方:"), shadow_kind_);
  form->addRow(QString::fromUtf8("影の色:"), color);
  connect(shadow_kind_, &QComboBox::currentIndexChanged, this, [this] {
    if (showing_) return;
    working_.Settings().shadow_kind = shadow_kind_->currentData().toInt();
    Edited();
  });
  return panel;
}

bool TLogSettingsPage::SelectItem(const char* label) {
  auto found = tree_->findItems(QString::fromUtf8(label), Qt::MatchExactly | Qt::MatchRecursive);
  for (QTreeWidgetItem* item : found)
    if (item->parent()) {
      tree_->setCurrentItem(item);
      return true;
    }
  return false;
}

const TItem* TLogSettingsPage::Current() const {
  QTreeWidgetItem* item = tree_->currentItem();
  if (!item || !item->data(0, Qt::UserRole).isValid()) return nullptr;
  return &items_[static_cast<size_t>(item->data(0, Qt::UserRole).toInt())];
}

void TLogSettingsPage::ShowCurrent() {
  const TItem* item = Current();
  panels_->setEnabled(item != nullptr);
  if (!item) return;
  showing_ = true;
  TViewSettings& s = working_.Settings();
  panels_->setCurrentIndex(static_cast<int>(item->kind));
  if (item->font) font_name_->setText(FontDescription(*item->font(s)));
  underline_only_->setVisible(static_cast<bool>(item->own_font));
  if (item->own_font) {
    underline_only_->setText(QString::fromUtf8(item->font(s) == &s.url_font
                                                   ? "URLはフォントを変えずに下線で表示する"
                                                   : "ホスト名はフォントを変えずに下線で表示する"));
    underline_only_->setChecked(!*item->own_font(s));
  }
  if (item->back) {
    TBackground* back = item->back(s);
    back_style_->setCurrentIndex(std::max(0, back_style_->findData(back->style)));
    picture_->setText(ToQString(back->image_file));
  }
  shadow_kind_->setCurrentIndex(std::max(0, shadow_kind_->findData(s.shadow_kind)));
  color_buttons_[kSecondColorButton]->setVisible(static_cast<bool>(item->second_color));
  for (TColorButton* button : color_buttons_) button->Refresh();
  showing_ = false;
}

void TLogSettingsPage::Edited() {
  working_.ViewEdited();
}

void TLogSettingsPage::SetSelectedFont(const TFontSpec& font) {
  const TItem* item = Current();
  if (!item || !item->font) return;
  *item->font(working_.Settings()) = font;
  Edited();
}

void TLogSettingsPage::SetSelectedPicture(const std::string& name) {
  const TItem* item = Current();
  if (!item || !item->back) return;
  item->back(working_.Settings())->image_file = name;
  Edited();
}

void TLogSettingsPage::OpenFontDialog() {
  const TItem* item = Current();
  if (!item || !item->font) return;
  TFontDialog dialog(*item->font(working_.Settings()), this);
  if (dialog.exec() == QDialog::Accepted) SetSelectedFont(dialog.Font());
}

void TLogSettingsPage::OpenPictureChooser() {
  const TItem* item = Current();
  if (!item || !item->back) return;
  TPictureChooser chooser(working_.Folders(), item->back(working_.Settings())->image_file, this);
  if (chooser.exec() == QDialog::Accepted) SetSelectedPicture(chooser.Chosen());
}

}  // namespace zeph
