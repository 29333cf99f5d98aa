#pragma once

#include <QAbstractTableModel>
#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "macro/editor_layout.h"

class QTableView;

// "マクロの設定": every macro file of the folder and, per server, whether
// the file is bound to it. The context menu and the buttons make, edit,
// copy, rename and delete files.
namespace zeph {

class TMacros;
class TUnit;

// Rows are the files, the first column their names, one column per server
// with a check box for the binding.
class TMacroBindingModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit TMacroBindingModel(TMacros& macros, QObject* parent = nullptr);
  // Reads the folder and the servers again.
  void Reload();
  const std::string& FileName(int row) const { return files_[static_cast<size_t>(row)]; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  TUnit* UnitOf(int column) const;

  TMacros& macros_;
  std::vector<std::string> files_;
  std::vector<std::string> units_;  // names, in tree order
};

class TMacroSettingsWindow final : public QDialog {
  Q_OBJECT

 public:
  // The file editors it opens take `editor_layout` and leave theirs there.
  TMacroSettingsWindow(TMacros& macros, const TEditorLayout& layout = DefaultMacroSelectLayout(),
                       TEditorLayout* editor_layout = nullptr, QWidget* parent = nullptr);
  TEditorLayout Layout() const;

  TMacroBindingModel& Model() const { return *model_; }
  // What the menu and the buttons do; names are asked for by these.
  void NewFile();
  void EditFile();
  void CopyFile();
  void RenameFile();
  void DeleteFile();

 private:
  // The name the user typed, or nothing when he cancelled.
  std::optional<std::string> AskName(const char* title, const char* prompt, const std::string& preset);
  std::string CurrentFile() const;
  void OpenEditor(const std::string& name);
  void SelectFile(const std::string& name);

  TMacros& macros_;
  TEditorLayout own_editor_layout_ = DefaultMacroEditorLayout();
  TEditorLayout* editor_layout_;
  TMacroBindingModel* model_;
  QTableView* view_;
};

}  // namespace zeph
