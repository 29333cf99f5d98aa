#pragma once

#include <QDialog>
#include <filesystem>
#include <functional>
#include <vector>

#include "macro/editor_layout.h"
#include "macro/popup_menu.h"
#include "macro/widgets/row_list_model.h"

class QComboBox;
class QLineEdit;
class QTableView;

// "ポップアップメニューの設定": the user's items of the log views' menu,
// with their levels. OK writes popupmenu.lcf.
namespace zeph {

class TPopupItemModel final : public TRowListModel<TPopupItem> {
 public:
  static constexpr int kColumnCount = 5;

  using TRowListModel::TRowListModel;
  // One level deeper (+1) or shallower (-1), held to the levels shown.
  void ChangeLevel(int row, int delta);

  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
};

// "ポップアップ項目の編集".
class TPopupItemDialog final : public QDialog {
  Q_OBJECT

 public:
  explicit TPopupItemDialog(const TPopupItem& item, QWidget* parent = nullptr);
  TPopupItem Item() const;

 private:
  TPopupItem item_;
  QLineEdit* caption_;
  QComboBox* action_;
  QComboBox* target_;
  QLineEdit* info_;
};

class TPopupMenuEditor final : public QDialog {
  Q_OBJECT

 public:
  TPopupMenuEditor(std::filesystem::path file, const TPopupMenu& menu,
                   const TEditorLayout& layout = DefaultPopupEditorLayout(), QWidget* parent = nullptr);
  TEditorLayout Layout() const;

  TPopupItemModel& Model() const { return *model_; }
  QTableView& View() const { return *view_; }
  // The menu as written, after OK.
  const TPopupMenu& Menu() const { return menu_; }
  std::function<void(const TPopupMenu&)> on_saved;

  void NewItem();
  void EditItem();
  void CopyItem();
  void DeleteItem();
  void MoveItem(int delta);
  void ChangeLevel(int delta);
  void AddDefaults();
  void accept() override;

 private:
  std::filesystem::path file_;
  TPopupMenu menu_;
  TPopupItemModel* model_;
  QTableView* view_;
};

}  // namespace zeph
