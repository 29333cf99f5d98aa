#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "macro/macro_item.h"

// The items of one macro file as the editor's list shows them: the check
// box of an enabled item, then the ten columns of its conditions and
// action.
namespace zeph {

class TMacroItemModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int kColumnCount = 10;

  explicit TMacroItemModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

  const std::vector<TMacroItem>& Items() const { return items_; }
  void SetItems(std::vector<TMacroItem> items);
  const TMacroItem& Item(int row) const { return items_[static_cast<size_t>(row)]; }
  void SetItem(int row, const TMacroItem& item);
  // Inserts before `row` (the end for any row outside the list).
  int Insert(int row, const TMacroItem& item);
  void Remove(int row);
  // Moves the item one place up (-1) or down (+1); its new row, or the
  // old one when it cannot move.
  int Move(int row, int delta);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  bool HasRow(int row) const { return row >= 0 && row < static_cast<int>(items_.size()); }

  std::vector<TMacroItem> items_;
};

}  // namespace zeph
