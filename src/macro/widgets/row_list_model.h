#pragma once

#include <QAbstractTableModel>
#include <QTableView>
#include <algorithm>
#include <utility>
#include <vector>

// The lists the macro editors edit: a vector of items as the rows of a
// table, and the row operations their buttons share (copy, delete, move
// the current row).
namespace zeph {

template <typename TItem>
class TRowListModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  const std::vector<TItem>& Items() const { return items_; }
  void SetItems(std::vector<TItem> items) {
    beginResetModel();
    items_ = std::move(items);
    endResetModel();
  }
  const TItem& Item(int row) const { return items_[static_cast<size_t>(row)]; }
  void SetItem(int row, const TItem& item) {
    if (!HasRow(row)) return;
    items_[static_cast<size_t>(row)] = item;
    RowChanged(row);
  }
  // Inserts before `row` (at the end for a row outside the list); returns
  // the row of the new item.
  int Insert(int row, const TItem& item) {
    if (!HasRow(row)) row = static_cast<int>(items_.size());
    beginInsertRows({}, row, row);
    items_.insert(items_.begin() + row, item);
    endInsertRows();
    return row;
  }
  void Remove(int row) {
    if (!HasRow(row)) return;
    beginRemoveRows({}, row, row);
    items_.erase(items_.begin() + row);
    endRemoveRows();
  }
  // Moves an item one place up (-1) or down (+1); its new row, or the old
  // one when it cannot move.
  int Move(int row, int delta) {
    int to = row + delta;
    if (!HasRow(row) || !HasRow(to) || delta == 0) return row;
    // Qt names the destination as the row before which the item lands.
    beginMoveRows({}, row, row, {}, delta > 0 ? to + 1 : to);
    std::swap(items_[static_cast<size_t>(row)], items_[static_cast<size_t>(to)]);
    endMoveRows();
    return to;
  }

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(items_.size());
  }

 protected:
  bool HasRow(int row) const { return row >= 0 && row < static_cast<int>(items_.size()); }
  TItem& At(int row) { return items_[static_cast<size_t>(row)]; }
  void RowChanged(int row) { emit dataChanged(index(row, 0), index(row, columnCount() - 1)); }

 private:
  std::vector<TItem> items_;
};

// The row of the view's current item, -1 when there is none.
inline int CurrentRow(const QTableView& view) {
  QModelIndex current = view.currentIndex();
  return current.isValid() ? current.row() : -1;
}

inline void SelectRow(QTableView& view, int row) {
  if (row >= 0 && row < view.model()->rowCount()) view.selectRow(row);
}

// The buttons "コピー", "削除", "↑" and "↓" on the current row.
template <typename TModel>
void CopyCurrentRow(QTableView& view, TModel& model) {
  int row = CurrentRow(view);
  if (row >= 0) SelectRow(view, model.Insert(row + 1, model.Item(row)));
}

template <typename TModel>
void DeleteCurrentRow(QTableView& view, TModel& model) {
  int row = CurrentRow(view);
  if (row < 0) return;
  model.Remove(row);
  SelectRow(view, std::min(row, model.rowCount() - 1));
}

template <typename TModel>
void MoveCurrentRow(QTableView& view, TModel& model, int delta) {
  int row = CurrentRow(view);
  if (row >= 0) SelectRow(view, model.Move(row, delta));
}

}  // namespace zeph
