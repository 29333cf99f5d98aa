#pragma once

#include <QAbstractItemModel>
#include <memory>

#include "display/widgets/screen_look.h"
#include "engine/world.h"

namespace zeph {

// The colours of a node that is not selected: its strongest mark's pair,
// else the tree font colour on the tree background. The selected node
// takes the tree's selection colours from the view.
TColorPair TreeNodeColours(const TTreeNode& node, const TViewSettings& look);

// The server tree as an item model: units at the top, their channels,
// talks and DCC chats below, in the world's order. The main window passes
// the world's node notices on, so rows change one at a time.
class TServerTreeModel final : public QAbstractItemModel {
 public:
  explicit TServerTreeModel(TWorld& world, QObject* parent = nullptr) : QAbstractItemModel(parent), world_(world) {}

  void NodeAdded(TUnit& unit, TChannel* target);
  void NodeRemoved(TUnit& unit, TChannel* target);
  void NodeChanged(TUnit& unit, TChannel* target);
  // The world already holds the node at its new place, one step away.
  void NodeMoved(TUnit& unit, TChannel* target, int step);
  // The view settings' colours and fonts; every row is redrawn with them.
  void SetLook(std::shared_ptr<const TScreenLook> look);

  QModelIndex IndexOf(const TUnit& unit, const TChannel* target) const;
  // The unit and target of a row; the target is null for a unit row.
  TUnit* UnitAt(const QModelIndex& index) const;
  TChannel* TargetAt(const QModelIndex& index) const;

  QModelIndex index(int row, int column, const QModelIndex& parent) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent) const override;
  int columnCount(const QModelIndex& parent) const override { return 1; }
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  int RowOf(const TUnit& unit) const;
  QVariant LookData(const TTreeNode& node, int role) const;

  TWorld& world_;
  std::shared_ptr<const TScreenLook> look_;
};

}  // namespace zeph
