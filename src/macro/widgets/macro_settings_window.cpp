#include "macro/widgets/macro_settings_window.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "engine/unit.h"
#include "engine/world.h"
#include "macro/macros.h"
#include "macro/widgets/editor_geometry.h"
#include "macro/widgets/macro_file_editor.h"
#include "platform/qt/qt_text.h"

namespace zeph {

TMacroBindingModel::TMacroBindingModel(TMacros& macros, QObject* parent)
    : QAbstractTableModel(parent), macros_(macros) {
  Reload();
}

void TMacroBindingModel::Reload() {
  beginResetModel();
  files_ = macros_.FileNames();
  units_.clear();
  for (const auto& unit : macros_.World().Units()) units_.push_back(unit->Name());
  endResetModel();
}

TUnit* TMacroBindingModel::UnitOf(int column) const {
  if (column < 1 || column > static_cast<int>(units_.size())) return nullptr;
  return macros_.World().FindUnit(units_[static_cast<size_t>(column - 1)]);
}

int TMacroBindingModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(files_.size());
}

int TMacroBindingModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : 1 + static_cast<int>(units_.size());
}

QVariant TMacroBindingModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const std::string& file = FileName(index.row());
  if (index.column() == 0) return role == Qt::DisplayRole ? ToQString(file) : QVariant();
  TUnit* unit = UnitOf(index.column());
  if (role != Qt::CheckStateRole || unit == nullptr) return {};
  const std::vector<std::string>& bound = unit->Config().macro_files;
  return std::find(bound.begin(), bound.end(), file) != bound.end() ? Qt::Checked : Qt::Unchecked;
}

bool TMacroBindingModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  TUnit* unit = index.isValid() ? UnitOf(index.column()) : nullptr;
  if (unit == nullptr || role != Qt::CheckStateRole) return false;
  macros_.Bind(*unit, FileName(index.row()), value.toInt() == Qt::Checked);
  emit dataChanged(index, index);
  return true;
}

Qt::ItemFlags TMacroBindingModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  return index.column() > 0 ? flags | Qt::ItemIsUserCheckable : flags;
}

QVariant TMacroBindingModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  if (section == 0) return QString::fromUtf8("ファイル");
  if (section > static_cast<int>(units_.size())) return {};
  return ToQString(units_[static_cast<size_t>(section - 1)]);
}

TMacroSettingsWindow::TMacroSettingsWindow(TMacros& macros, const TEditorLayout& layout, TEditorLayout* editor_layout,
                                           QWidget* parent)
    : QDialog(parent), macros_(macros), editor_layout_(editor_layout ? editor_layout : &own_editor_layout_) {
  setWindowTitle(QString::fromUtf8("マクロの設定"));
  model_ = new TMacroBindingModel(macros, this);
  view_ = new QTableView(this);
  view_->setModel(model_);
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  view_->setSelectionMode(QAbstractItemView::SingleSelection);
  view_->verticalHeader()->hide();
  view_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(view_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
    if (index.column() == 0) EditFile();
  });

  struct TCommand {
    const char* text;
    void (TMacroSettingsWindow::*run)();
  };
  const TCommand commands[] = {
      {"新規作成(&N)...", &TMacroSettingsWindow::NewFile},    {"編集(&E)...", &TMacroSettingsWindow::EditFile},
      {"コピー(&C)...", &TMacroSettingsWindow::CopyFile},     {"名前変更(&R)...", &TMacroSettingsWindow::RenameFile},
      {"削除(&D)", &TMacroSettingsWindow::DeleteFile},
  };
  auto* buttons = new QVBoxLayout;
  for (const TCommand& command : commands) {
    auto* button = new QPushButton(QString::fromUtf8(command.text), this);
    connect(button, &QPushButton::clicked, this, command.run);
    buttons->addWidget(button);
  }
  buttons->addStretch();
  connect(view_, &QTableView::customContextMenuRequested, this, [this, commands](const QPoint& at) {
    QMenu menu(this);
    for (const TCommand& command : commands) menu.addAction(QString::fromUtf8(command.text), this, command.run);
    menu.exec(view_->viewport()->mapToGlobal(at));
  });

  auto* row = new QHBoxLayout;
  row->addWidget(view_, 1);
  row->addLayout(buttons);
  auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(close, &QDialogButtonBox::rejected, this, &QDialog::accept);
  auto* column = new QVBoxLayout(this);
  column->addLayout(row);
  column->addWidget(close);
  ApplyEditorLayout(*this, *view_, layout);
}

// Only the file column keeps its width: the server columns come and go.
TEditorLayout TMacroSettingsWindow::Layout() const { return EditorLayoutOf(*this, *view_, 1); }

std::string TMacroSettingsWindow::CurrentFile() const {
  QModelIndex current = view_->currentIndex();
  return current.isValid() ? model_->FileName(current.row()) : std::string();
}

void TMacroSettingsWindow::SelectFile(const std::string& name) {
  for (int row = 0; row < model_->rowCount(); ++row) {
    if (model_->FileName(row) == name) view_->selectRow(row);
  }
}

std::optional<std::string> TMacroSettingsWindow::AskName(const char* title, const char* prompt,
                                                         const std::string& preset) {
  bool ok = false;
  QString name = QInputDialog::getText(this, QString::fromUtf8(title), QString::fromUtf8(prompt), QLineEdit::Normal,
                                       ToQString(preset), &ok);
  if (!ok || name.isEmpty()) return std::nullopt;
  return FromQString(name);
}

void TMacroSettingsWindow::OpenEditor(const std::string& name) {
  TMacroFile file;
  if (LoadMacroFile(macros_.Folders().macro, name, &file) != TMacroFileLoad::Loaded) return;
  TMacroFileEditor editor(macros_.Folders().macro, file, *editor_layout_, this);
  editor.on_saved = [this] { macros_.UnloadAll(); };
  editor.exec();
  *editor_layout_ = editor.Layout();
}

void TMacroSettingsWindow::NewFile() {
  std::optional<std::string> name = AskName("マクロファイルの新規作成", "ファイル名を入力してください", "");
  if (!name) return;
  std::optional<std::string> made = macros_.CreateFile(*name);
  if (!made) return;
  model_->Reload();
  SelectFile(*made);
  OpenEditor(*made);
}

void TMacroSettingsWindow::EditFile() {
  std::string name = CurrentFile();
  if (!name.empty()) OpenEditor(name);
}

void TMacroSettingsWindow::CopyFile() {
  std::string name = CurrentFile();
  if (name.empty()) return;
  std::optional<std::string> to = AskName("マクロファイルのコピー", "コピー先のファイル名を入力してください", name);
  if (!to) return;
  std::optional<std::string> made = macros_.CopyFile(name, *to);
  model_->Reload();
  if (made) SelectFile(*made);
}

void TMacroSettingsWindow::RenameFile() {
  std::string name = CurrentFile();
  if (name.empty()) return;
  std::optional<std::string> to = AskName("マクロファイルの名前変更", "新しいファイル名を入力してください", name);
  if (!to || *to == name) return;
  std::string unique = macros_.UniqueName(*to);
  macros_.RenameFile(name, unique);
  model_->Reload();
  SelectFile(unique);
}

void TMacroSettingsWindow::DeleteFile() {
  std::string name = CurrentFile();
  if (name.empty()) return;
  QString question = QString::fromUtf8("%1 を削除します").arg(ToQString(name));
  if (QMessageBox::question(this, QString::fromUtf8("確認"), question, QMessageBox::Ok | QMessageBox::Cancel) !=
      QMessageBox::Ok)
    return;
  macros_.DeleteFile(name);
  model_->Reload();
}

}  // namespace zeph
