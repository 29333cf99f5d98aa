#pragma once

#include <QDialog>
#include <filesystem>
#include <functional>

#include "macro/editor_layout.h"
#include "macro/macro_file.h"

class QTableView;

// "マクロファイルの編集": the items of one macro file. OK writes the file;
// the engines read it again at their next event.
namespace zeph {

class TMacroItemModel;

class TMacroFileEditor final : public QDialog {
  Q_OBJECT

 public:
  TMacroFileEditor(std::filesystem::path macro_folder, TMacroFile file,
                   const TEditorLayout& layout = DefaultMacroEditorLayout(), QWidget* parent = nullptr);
  // The size and column widths to keep for the next time.
  TEditorLayout Layout() const;

  TMacroItemModel& Model() const { return *model_; }
  QTableView& View() const { return *view_; }
  // Called after the file was written.
  std::function<void()> on_saved;

  // The buttons' work, for the keyboard and the tests. Each acts on the
  // current row.
  void NewItem();
  void EditItem();
  void CopyItem();
  void DeleteItem();
  void MoveItem(int delta);
  // Inserts the items of another macro file before the current row.
  bool InsertFile(const std::string& name);
  // Writes the file and closes; stays open when it cannot be written.
  void accept() override;

 private:
  void ChooseFileToInsert();

  std::filesystem::path macro_folder_;
  TMacroFile file_;
  TMacroItemModel* model_;
  QTableView* view_;
};

}  // namespace zeph
