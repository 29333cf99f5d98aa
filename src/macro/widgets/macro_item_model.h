#pragma once

#include "macro/macro_item.h"
#include "macro/widgets/row_list_model.h"

// The items of one macro file as the editor's list shows them: the check
// box of an enabled item, then the ten columns of its conditions and
// action.
namespace zeph {

class TMacroItemModel final : public TRowListModel<TMacroItem> {
 public:
  static constexpr int kColumnCount = 10;

  using TRowListModel::TRowListModel;

  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
};

}  // namespace zeph
