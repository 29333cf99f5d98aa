#include "macro/widgets/macro_file_editor.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QTableView>
#include <QVBoxLayout>

#include "macro/widgets/button_column.h"
#include "macro/widgets/editor_geometry.h"
#include "macro/widgets/macro_item_dialog.h"
#include "macro/widgets/macro_item_model.h"
#include "platform/qt/qt_text.h"

namespace zeph {

TMacroFileEditor::TMacroFileEditor(std::filesystem::path macro_folder, TMacroFile file, const TEditorLayout& layout,
                                   QWidget* parent)
    : QDialog(parent), macro_folder_(std::move(macro_folder)), file_(std::move(file)) {
  setWindowTitle(QString::fromUtf8("マクロファイルの編集") + " - " + ToQString(file_.name));
  model_ = new TMacroItemModel(this);
  model_->SetItems(file_.items);
  view_ = new QTableView(this);
  view_->setModel(model_);
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  view_->setSelectionMode(QAbstractItemView::SingleSelection);
  view_->verticalHeader()->hide();
  connect(view_, &QTableView::doubleClicked, this, [this] { EditItem(); });

  QVBoxLayout* buttons = ButtonColumn(this, {
      {"新規(&N)...", [this] { NewItem(); }},
      {"編集(&E)...", [this] { EditItem(); }},
      {"コピー(&C)", [this] { CopyItem(); }},
      {"削除(&V)", [this] { DeleteItem(); }},
      {"↑(&U)", [this] { MoveItem(-1); }},
      {"↓(&D)", [this] { MoveItem(1); }},
      {"ファイルから挿入(&I)...", [this] { ChooseFileToInsert(); }},
  });

  auto* row = new QHBoxLayout;
  row->addWidget(view_, 1);
  row->addLayout(buttons);
  auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(box, &QDialogButtonBox::accepted, this, &TMacroFileEditor::accept);
  connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* column = new QVBoxLayout(this);
  column->addLayout(row);
  column->addWidget(box);
  ApplyEditorLayout(*this, *view_, layout);
}

TEditorLayout TMacroFileEditor::Layout() const {
  return EditorLayoutOf(*this, *view_, TMacroItemModel::kColumnCount);
}

void TMacroFileEditor::NewItem() {
  TMacroItemDialog dialog(TMacroItem{}, this);
  if (dialog.exec() != QDialog::Accepted) return;
  int row = CurrentRow(*view_);
  SelectRow(*view_, model_->Insert(row < 0 ? -1 : row + 1, dialog.Item()));
}

void TMacroFileEditor::EditItem() {
  int row = CurrentRow(*view_);
  if (row < 0) return;
  TMacroItemDialog dialog(model_->Item(row), this);
  if (dialog.exec() == QDialog::Accepted) model_->SetItem(row, dialog.Item());
}

void TMacroFileEditor::CopyItem() { CopyCurrentRow(*view_, *model_); }

void TMacroFileEditor::DeleteItem() { DeleteCurrentRow(*view_, *model_); }

void TMacroFileEditor::MoveItem(int delta) { MoveCurrentRow(*view_, *model_, delta); }

bool TMacroFileEditor::InsertFile(const std::string& name) {
  TMacroFile other;
  if (LoadMacroFile(macro_folder_, name, &other) != TMacroFileLoad::Loaded) return false;
  int row = CurrentRow(*view_);
  for (const TMacroItem& item : other.items) {
    row = model_->Insert(row, item) + 1;
  }
  return true;
}

void TMacroFileEditor::ChooseFileToInsert() {
  QString chosen = QFileDialog::getOpenFileName(this, QString::fromUtf8("挿入するマクロファイルを選択"),
                                                QString::fromStdString(macro_folder_.string()),
                                                QString::fromUtf8("マクロファイル (*.lmf)"));
  if (!chosen.isEmpty()) InsertFile(FromQString(QFileInfo(chosen).completeBaseName()));
}

void TMacroFileEditor::accept() {
  file_.items = model_->Items();
  if (!SaveMacroFile(macro_folder_, file_)) {
    QMessageBox::warning(this, windowTitle(), QString::fromUtf8("マクロファイルを保存できませんでした"));
    return;
  }
  if (on_saved) on_saved();
  QDialog::accept();
}

}  // namespace zeph
