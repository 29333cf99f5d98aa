#include "macro/widgets/popup_menu_editor.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "macro/macro_actions.h"
#include "macro/widgets/button_column.h"
#include "macro/widgets/editor_geometry.h"
#include "platform/qt/qt_text.h"

namespace zeph {
namespace {

const std::array<const char*, TPopupItemModel::kColumnCount> kHeaders = {"階層", "項目名", "動作", "送信先",
                                                                           "動作の情報"};

}  // namespace

void TPopupItemModel::ChangeLevel(int row, int delta) {
  if (!HasRow(row)) return;
  TPopupItem& item = At(row);
  item.level = std::clamp(ShownLevel(item) + delta, 0, kPopupMaxLevel);
  RowChanged(row);
}

int TPopupItemModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

QVariant TPopupItemModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || !HasRow(index.row()) || role != Qt::DisplayRole) return {};
  const TPopupItem& item = Item(index.row());
  switch (index.column()) {
    case 0: return item.level;
    // Deeper items are indented, as the menu will nest them.
    case 1: return QString(ShownLevel(item) * 2, QChar(' ')) + ToQString(item.caption);
    case 2: return ToQString(item.action);
    case 3: return ToQString(item.target);
    case 4: return ToQString(item.info);
    default: return {};
  }
}

QVariant TPopupItemModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kColumnCount) return {};
  return QString::fromUtf8(kHeaders[static_cast<size_t>(section)]);
}

TPopupItemDialog::TPopupItemDialog(const TPopupItem& item, QWidget* parent) : QDialog(parent), item_(item) {
  setWindowTitle(QString::fromUtf8("ポップアップ項目の編集"));
  auto* form = new QFormLayout(this);
  caption_ = new QLineEdit(ToQString(item.caption), this);
  action_ = new QComboBox(this);
  action_->setEditable(true);
  action_->setInsertPolicy(QComboBox::NoInsert);
  for (std::string_view word : EditorActionWords()) action_->addItem(QString::fromLatin1(word.data(), word.size()));
  action_->setEditText(ToQString(item.action));
  target_ = new QComboBox(this);
  target_->setEditable(true);
  target_->setInsertPolicy(QComboBox::NoInsert);
  target_->addItems({"%a", "%c", "%f", "%n", "%u"});
  target_->setEditText(ToQString(item.target));
  info_ = new QLineEdit(ToQString(item.info), this);
  form->addRow(QString::fromUtf8("項目名(&C):"), caption_);
  form->addRow(QString::fromUtf8("動作(&A):"), action_);
  form->addRow(QString::fromUtf8("送信先(&G):"), target_);
  form->addRow(QString::fromUtf8("動作の情報(&B):"), info_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  form->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

TPopupItem TPopupItemDialog::Item() const {
  TPopupItem item = item_;
  item.caption = FromQString(caption_->text());
  item.action = FromQString(action_->currentText());
  item.target = FromQString(target_->currentText());
  item.info = FromQString(info_->text());
  return item;
}

TPopupMenuEditor::TPopupMenuEditor(std::filesystem::path file, const TPopupMenu& menu, const TEditorLayout& layout,
                                   QWidget* parent)
    : QDialog(parent), file_(std::move(file)), menu_(menu) {
  setWindowTitle(QString::fromUtf8("ポップアップメニューの設定"));
  model_ = new TPopupItemModel(this);
  model_->SetItems(menu.items);
  view_ = new QTableView(this);
  view_->setModel(model_);
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  view_->setSelectionMode(QAbstractItemView::SingleSelection);
  view_->verticalHeader()->hide();
  view_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(view_, &QTableView::doubleClicked, this, [this] { EditItem(); });
  connect(view_, &QTableView::customContextMenuRequested, this, [this](const QPoint& at) {
    QMenu levels(this);
    levels.addAction(QString::fromUtf8("←(&L)"), this, [this] { ChangeLevel(-1); });
    levels.addAction(QString::fromUtf8("→(&R)"), this, [this] { ChangeLevel(1); });
    levels.exec(view_->viewport()->mapToGlobal(at));
  });

  QVBoxLayout* buttons = ButtonColumn(this, {
      {"新規(&N)...", [this] { NewItem(); }},
      {"編集(&E)...", [this] { EditItem(); }},
      {"コピー(&C)", [this] { CopyItem(); }},
      {"削除(&V)", [this] { DeleteItem(); }},
      {"↑(&U)", [this] { MoveItem(-1); }},
      {"↓(&D)", [this] { MoveItem(1); }},
      {"←(&L)", [this] { ChangeLevel(-1); }},
      {"→(&R)", [this] { ChangeLevel(1); }},
      {"デフォルト設定を追加(&I)", [this] { AddDefaults(); }},
  });

  auto* row = new QHBoxLayout;
  row->addWidget(view_, 1);
  row->addLayout(buttons);
  auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(box, &QDialogButtonBox::accepted, this, &TPopupMenuEditor::accept);
  connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* column = new QVBoxLayout(this);
  column->addLayout(row);
  column->addWidget(new QLabel(QString::fromUtf8("右クリックで階層を変更できます"), this));
  column->addWidget(box);
  ApplyEditorLayout(*this, *view_, layout);
}

TEditorLayout TPopupMenuEditor::Layout() const {
  return EditorLayoutOf(*this, *view_, TPopupItemModel::kColumnCount);
}

void TPopupMenuEditor::NewItem() {
  TPopupItem fresh;
  fresh.target = "%a";
  int row = CurrentRow(*view_);
  if (row >= 0) fresh.level = model_->Item(row).level;
  TPopupItemDialog dialog(fresh, this);
  if (dialog.exec() == QDialog::Accepted) SelectRow(*view_, model_->Insert(row < 0 ? -1 : row + 1, dialog.Item()));
}

void TPopupMenuEditor::EditItem() {
  int row = CurrentRow(*view_);
  if (row < 0) return;
  TPopupItemDialog dialog(model_->Item(row), this);
  if (dialog.exec() == QDialog::Accepted) model_->SetItem(row, dialog.Item());
}

void TPopupMenuEditor::CopyItem() { CopyCurrentRow(*view_, *model_); }

void TPopupMenuEditor::DeleteItem() { DeleteCurrentRow(*view_, *model_); }

void TPopupMenuEditor::MoveItem(int delta) { MoveCurrentRow(*view_, *model_, delta); }

void TPopupMenuEditor::ChangeLevel(int delta) {
  int row = CurrentRow(*view_);
  if (row >= 0) model_->ChangeLevel(row, delta);
}

void TPopupMenuEditor::AddDefaults() {
  for (const TPopupItem& item : DefaultPopupItems()) model_->Insert(-1, item);
}

void TPopupMenuEditor::accept() {
  TPopupMenu menu{model_->Items()};
  AssignCommandIds(&menu);
  if (!SavePopupMenu(file_, menu)) {
    QMessageBox::warning(this, windowTitle(), QString::fromUtf8("ポップアップメニューを保存できませんでした"));
    return;
  }
  menu_ = std::move(menu);
  if (on_saved) on_saved(menu_);
  QDialog::accept();
}

}  // namespace zeph
