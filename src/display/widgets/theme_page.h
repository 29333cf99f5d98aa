#pragma once
#include <QWidget>
#include <functional>
#include <vector>

#include "display/theme_files.h"

class QLineEdit;
class QListWidget;
class QPushButton;

// "表示テーマ": the theme list with its commands, on the working copy.
namespace zeph {

class TWorkingView;

class TThemePage : public QWidget {
  Q_OBJECT

 public:
  explicit TThemePage(TWorkingView& working, QWidget* parent = nullptr);

  // Runs before a save, so pages that hold edits of their own (the message
  // formats) can put them into the working copy first.
  void SetBeforeSave(std::function<void()> before_save) { before_save_ = std::move(before_save); }
  // Asks before a delete; the default shows "テーマを削除します".
  void SetConfirmDelete(std::function<bool()> confirm) { confirm_delete_ = std::move(confirm); }

  void ListThemes();
  // The three load buttons: view and formats, view only, formats only.
  void LoadSelected(bool view, bool formats);
  void SaveNamed();
  void DeleteSelected();

  const std::vector<TThemeEntry>& Entries() const { return entries_; }
  QListWidget* List() const { return list_; }
  QLineEdit* NameBox() const { return name_; }
  QPushButton* SaveButton() const { return save_; }
  QPushButton* DeleteButton() const { return delete_; }

 private:
  const TThemeEntry* Selected() const;
  void UpdateButtons();

  TWorkingView& working_;
  std::vector<TThemeEntry> entries_;  // row by row, beside the texts shown
  std::function<void()> before_save_;
  std::function<bool()> confirm_delete_;
  QLineEdit* name_ = nullptr;
  QPushButton* save_ = nullptr;
  QListWidget* list_ = nullptr;
  std::vector<QPushButton*> load_buttons_;
  QPushButton* delete_ = nullptr;
};

}  // namespace zeph
