#include "display/widgets/theme_page.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "display/widgets/working_view.h"
#include "platform/qt/qt_text.h"

namespace zeph {

namespace {

bool AskDelete(QWidget* parent) {
  return QMessageBox::question(parent, QString::fromUtf8("確認"), QString::fromUtf8("テーマを削除します"),
                               QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

}  // namespace

TThemePage::TThemePage(TWorkingView& working, QWidget* parent)
    : QWidget(parent), working_(working), confirm_delete_([this] { return AskDelete(this); }) {
  name_ = new QLineEdit;
  save_ = new QPushButton(QString::fromUtf8("現在の設定をテーマとして保存(&S)"));
  list_ = new QListWidget;
  auto* name_label = new QLabel(QString::fromUtf8("テーマ名(&N):"));
  name_label->setBuddy(name_);
  auto* list_label = new QLabel(QString::fromUtf8("テーマの一覧(&L):"));
  list_label->setBuddy(list_);
  struct TLoad {
    const char* text;
    bool view;
    bool formats;
  };
  auto* buttons = new QVBoxLayout;
  for (TLoad load : {TLoad{"すべて読み込む(&L)", true, true}, TLoad{"表示設定を読み込む(&V)", true, false},
                     TLoad{"メッセージを読み込む(&F)", false, true}}) {
    auto* button = new QPushButton(QString::fromUtf8(load.text));
    connect(button, &QPushButton::clicked, this, [this, load] { LoadSelected(load.view, load.formats); });
    load_buttons_.push_back(button);
    buttons->addWidget(button);
  }
  delete_ = new QPushButton(QString::fromUtf8("削除(&D)"));
  buttons->addWidget(delete_);
  buttons->addStretch();

  auto* name_row = new QHBoxLayout;
  name_row->addWidget(name_label);
  name_row->addWidget(name_, 1);
  name_row->addWidget(save_);
  auto* list_row = new QHBoxLayout;
  list_row->addWidget(list_, 1);
  list_row->addLayout(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(name_row);
  layout->addWidget(list_label);
  layout->addLayout(list_row, 1);

  connect(name_, &QLineEdit::textChanged, this, &TThemePage::UpdateButtons);
  connect(list_, &QListWidget::currentRowChanged, this, &TThemePage::UpdateButtons);
  connect(save_, &QPushButton::clicked, this, &TThemePage::SaveNamed);
  connect(delete_, &QPushButton::clicked, this, &TThemePage::DeleteSelected);
  ListThemes();
}

void TThemePage::ListThemes() {
  entries_ = zeph::ListThemes(working_.Folders());
  list_->clear();
  for (const TThemeEntry& entry : entries_) list_->addItem(ToQString(entry.text));
  UpdateButtons();
}

const TThemeEntry* TThemePage::Selected() const {
  int row = list_->currentRow();
  return row >= 0 && row < static_cast<int>(entries_.size()) ? &entries_[static_cast<size_t>(row)] : nullptr;
}

void TThemePage::LoadSelected(bool view, bool formats) {
  const TThemeEntry* entry = Selected();
  if (entry && LoadTheme(*entry, view, formats, &working_.Settings())) working_.Reloaded(view, formats);
}

void TThemePage::SaveNamed() {
  std::string name = FromQString(name_->text());
  if (!IsValidThemeName(name)) return;
  if (before_save_) before_save_();
  SaveTheme(working_.Folders(), name, working_.Settings());
  ListThemes();
}

void TThemePage::DeleteSelected() {
  const TThemeEntry* entry = Selected();
  if (!entry || !entry->Deletable() || !confirm_delete_()) return;
  DeleteTheme(*entry);
  ListThemes();
}

void TThemePage::UpdateButtons() {
  save_->setEnabled(IsValidThemeName(FromQString(name_->text())));
  const TThemeEntry* entry = Selected();
  for (QPushButton* button : load_buttons_) button->setEnabled(entry != nullptr);
  delete_->setEnabled(entry && entry->Deletable());
}

}  // namespace zeph
