#include "display/widgets/color_pairs_page.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "display/view_realise.h"
#include "display/widgets/color_button.h"
#include "display/widgets/font_dialog.h"
#include "display/widgets/screen_fonts.h"
#include "display/widgets/screen_look.h"
#include "display/widgets/working_view.h"

namespace zeph {

namespace {

using S = TViewSettings;
using TRow = TColorPairsPage::TRow;

TRow Pair(const char* label, TColorPair S::*pair) {
  return {label, [pair](S& s) { return &(s.*pair).text; }, [pair](S& s) { return &(s.*pair).back; }};
}

QWidget* MakePreview(TColorPairsPage::TPreviewKind kind) {
  switch (kind) {
    case TColorPairsPage::TPreviewKind::Tree:
      return new QTreeWidget;
    case TColorPairsPage::TPreviewKind::List:
      return new QListWidget;
    case TColorPairsPage::TPreviewKind::Edit:
      return new QLineEdit;
  }
  return nullptr;
}

}  // namespace

TColorPairsPage::TColorPairsPage(TWorkingView& working, TPageLayout page, QWidget* parent)
    : QWidget(parent), working_(working), layout_(std::move(page)) {
  auto* grid = new QGridLayout;
  auto* font = new QPushButton(QString::fromUtf8("フォント(&O)..."));
  grid->addWidget(font, 0, 0, 1, 3);
  connect(font, &QPushButton::clicked, this, [this] {
    TFontDialog dialog(*layout_.font(working_.Settings()), this);
    if (dialog.exec() == QDialog::Accepted) SetFont(dialog.Font());
  });
  for (size_t i = 0; i < layout_.rows.size(); ++i) {
    const TRow& row = layout_.rows[i];
    int line = static_cast<int>(i) + 1;
    grid->addWidget(new QLabel(QString::fromUtf8(row.label)), line, 0);
    for (int column : {1, 2}) {
      auto target = column == 1 ? row.text : row.back;
      auto* button = new TColorButton([this, target] { return target(working_.Settings()); }, [this] { Edited(); });
      buttons_.push_back(button);
      grid->addWidget(button, line, column);
    }
  }
  preview_ = MakePreview(layout_.preview);
  if (auto* tree = qobject_cast<QTreeWidget*>(preview_)) tree->setHeaderHidden(true);
  if (auto* edit = qobject_cast<QLineEdit*>(preview_)) edit->setText(QString::fromUtf8(layout_.samples.front().text));
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(preview_, 1);
  ShowPreview();
  connect(&working_, &TWorkingView::Changed, this, [this](bool view, bool) {
    if (view) Refresh();
  });
}

void TColorPairsPage::SetFont(const TFontSpec& font) {
  *layout_.font(working_.Settings()) = font;
  Edited();
}

void TColorPairsPage::Edited() { working_.ViewEdited(); }

void TColorPairsPage::Refresh() {
  for (TColorButton* button : buttons_) button->Refresh();
  ShowPreview();
}

void TColorPairsPage::ShowPreview() {
  TViewSettings& s = working_.Settings();
  preview_->setFont(ScreenFont(RealisedFont(*layout_.font(s)), ScreenDpi()));
  QPalette palette = preview_->palette();
  palette.setColor(QPalette::Base, ScreenColor(*layout_.rows[0].back(s)));
  palette.setColor(QPalette::Text, ScreenColor(*layout_.rows[0].text(s)));
  preview_->setPalette(palette);
  auto colour = [&](const TSample& sample, auto* item) {
    const TRow& row = layout_.rows[static_cast<size_t>(sample.row)];
    item->setForeground(ScreenColor(*row.text(s)));
    item->setBackground(ScreenColor(*row.back(s)));
  };
  if (auto* tree = qobject_cast<QTreeWidget*>(preview_)) {
    tree->clear();
    QTreeWidgetItem* top = nullptr;
    for (const TSample& sample : layout_.samples) {
      auto* item = sample.child && top ? new QTreeWidgetItem(top) : new QTreeWidgetItem(tree);
      item->setText(0, QString::fromUtf8(sample.text));
      const TRow& row = layout_.rows[static_cast<size_t>(sample.row)];
      item->setForeground(0, ScreenColor(*row.text(s)));
      item->setBackground(0, ScreenColor(*row.back(s)));
      if (!sample.child) top = item;
    }
    tree->expandAll();
  } else if (auto* list = qobject_cast<QListWidget*>(preview_)) {
    list->clear();
    for (const TSample& sample : layout_.samples) colour(sample, new QListWidgetItem(QString::fromUtf8(sample.text), list));
  }
}

TColorPairsPage* CreateTreeSettingsPage(TWorkingView& working) {
  TColorPairsPage::TPageLayout page{
      [](S& s) { return &s.tree_font; },
      {{"通常:", [](S& s) { return &s.tree_font.color; }, [](S& s) { return &s.tree_back_color; }},
       Pair("選択:", &S::tree_selected),
       Pair("キーワード:", &S::tree_keyword),
       Pair("新規トーク:", &S::tree_new_talk),
       Pair("未読:", &S::tree_update)},
      TColorPairsPage::TPreviewKind::Tree,
      {{"サーバ", 0},
       {"通常", 0, true},
       {"選択", 1, true},
       {"キーワード", 2, true},
       {"新規トーク", 3, true},
       {"未読", 4, true}}};
  return new TColorPairsPage(working, std::move(page));
}

TColorPairsPage* CreateMemberListSettingsPage(TWorkingView& working) {
  TColorPairsPage::TPageLayout page{
      [](S& s) { return &s.list_font; },
      {{"通常:", [](S& s) { return &s.list_font.color; }, [](S& s) { return &s.list_back_color; }},
       Pair("選択:", &S::list_selected),
       Pair("自分:", &S::list_self)},
      TColorPairsPage::TPreviewKind::List,
      {{"Normal", 0}, {"Selected", 1}, {"MySelf", 2}}};
  const char* labels[] = {"グループ1:", "グループ2:", "グループ3:", "グループ4:", "グループ5:"};
  const char* samples[] = {"Group1", "Group2", "Group3", "Group4", "Group5"};
  for (size_t i = 0; i < std::size(labels); ++i) {
    page.rows.push_back({labels[i], [i](S& s) { return &s.list_groups[i].text; },
                         [i](S& s) { return &s.list_groups[i].back; }});
    page.samples.push_back({samples[i], static_cast<int>(page.rows.size()) - 1});
  }
  return new TColorPairsPage(working, std::move(page));
}

TColorPairsPage* CreateInputSettingsPage(TWorkingView& working) {
  TColorPairsPage::TPageLayout page{
      [](S& s) { return &s.edit_font; },
      {{"文字:", [](S& s) { return &s.edit_font.color; }, [](S& s) { return &s.edit_back_color; }}},
      TColorPairsPage::TPreviewKind::Edit,
      {{"入力テキスト", 0}}};
  return new TColorPairsPage(working, std::move(page));
}

}  // namespace zeph
