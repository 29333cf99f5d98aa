#include "app/widgets/server_tree_model.h"

#include <QFont>

#include "platform/qt/qt_text.h"

namespace zeph {
namespace {

// Rows of units carry no parent id; rows of targets carry their unit's id.
constexpr quintptr kUnitRow = 0;

int RowOfTarget(const TUnit& unit, const TChannel& target) {
  const auto& channels = unit.Channels();
  for (size_t i = 0; i < channels.size(); ++i)
    if (channels[i].get() == &target) return static_cast<int>(i);
  return -1;
}

QString StateSuffix(const TUnit& unit) {
  switch (unit.State()) {
    case TUnitState::Idle: return unit.IsReconnectPending() ? QStringLiteral(" (再接続待ち)") : QString();
    case TUnitState::Connecting:
    case TUnitState::Connected: return QStringLiteral(" (接続中)");
    case TUnitState::LoggedIn: return QString();
  }
  return QString();
}

bool IsMarked(const TTreeNode& node) { return node.KeywordMark() || node.NewTalkMark() || node.UpdateMark(); }

}  // namespace

TColorPair TreeNodeColours(const TTreeNode& node, const TViewSettings& look) {
  if (node.KeywordMark()) return look.tree_keyword;
  if (node.NewTalkMark()) return look.tree_new_talk;
  if (node.UpdateMark()) return look.tree_update;
  return {look.tree_font.color, look.tree_back_color};
}

int TServerTreeModel::RowOf(const TUnit& unit) const {
  const auto& units = world_.Units();
  for (size_t i = 0; i < units.size(); ++i)
    if (units[i].get() == &unit) return static_cast<int>(i);
  return -1;
}

QModelIndex TServerTreeModel::IndexOf(const TUnit& unit, const TChannel* target) const {
  int unit_row = RowOf(unit);
  if (unit_row < 0) return {};
  if (!target) return createIndex(unit_row, 0, kUnitRow);
  int row = RowOfTarget(unit, *target);
  return row < 0 ? QModelIndex() : createIndex(row, 0, static_cast<quintptr>(unit.Id()));
}

TUnit* TServerTreeModel::UnitAt(const QModelIndex& index) const {
  if (!index.isValid()) return nullptr;
  if (index.internalId() != kUnitRow) return world_.FindUnitById(index.internalId());
  const auto& units = world_.Units();
  return index.row() < static_cast<int>(units.size()) ? units[index.row()].get() : nullptr;
}

TChannel* TServerTreeModel::TargetAt(const QModelIndex& index) const {
  if (!index.isValid() || index.internalId() == kUnitRow) return nullptr;
  TUnit* unit = UnitAt(index);
  if (!unit || index.row() >= static_cast<int>(unit->Channels().size())) return nullptr;
  return unit->Channels()[index.row()].get();
}

// The world tells us after the node is in place: the view asks for the new
// row once the insertion is announced.
void TServerTreeModel::NodeAdded(TUnit& unit, TChannel* target) {
  QModelIndex index = IndexOf(unit, target);
  if (!index.isValid()) return;
  beginInsertRows(index.parent(), index.row(), index.row());
  endInsertRows();
}

void TServerTreeModel::NodeRemoved(TUnit& unit, TChannel* target) {
  QModelIndex index = IndexOf(unit, target);
  if (!index.isValid()) return;
  beginRemoveRows(index.parent(), index.row(), index.row());
  endRemoveRows();
}

void TServerTreeModel::NodeChanged(TUnit& unit, TChannel* target) {
  QModelIndex index = IndexOf(unit, target);
  if (index.isValid()) emit dataChanged(index, index);
}

void TServerTreeModel::NodeMoved(TUnit& unit, TChannel* target, int step) {
  const QModelIndex parent = target ? IndexOf(unit, nullptr) : QModelIndex();
  const int row = IndexOf(unit, target).row();
  const int old_row = row - step;
  // Qt names the destination as the row before which the moved row goes;
  // the rows already moved, so nothing is read between the two calls.
  beginMoveRows(parent, old_row, old_row, parent, step > 0 ? old_row + 2 : old_row - 1);
  endMoveRows();
}

void TServerTreeModel::SetLook(std::shared_ptr<const TScreenLook> look) {
  look_ = std::move(look);
  const int units = rowCount({});
  if (units == 0) return;
  emit dataChanged(index(0, 0, {}), index(units - 1, 0, {}));
  for (int row = 0; row < units; ++row) {
    const QModelIndex unit = index(row, 0, {});
    if (const int targets = rowCount(unit)) emit dataChanged(index(0, 0, unit), index(targets - 1, 0, unit));
  }
}

QModelIndex TServerTreeModel::index(int row, int column, const QModelIndex& parent) const {
  if (column != 0 || row < 0) return {};
  if (!parent.isValid())
    return row < static_cast<int>(world_.Units().size()) ? createIndex(row, 0, kUnitRow) : QModelIndex();
  TUnit* unit = UnitAt(parent);
  if (!unit || parent.internalId() != kUnitRow || row >= static_cast<int>(unit->Channels().size())) return {};
  return createIndex(row, 0, static_cast<quintptr>(unit->Id()));
}

QModelIndex TServerTreeModel::parent(const QModelIndex& child) const {
  if (!child.isValid() || child.internalId() == kUnitRow) return {};
  TUnit* unit = world_.FindUnitById(child.internalId());
  return unit ? IndexOf(*unit, nullptr) : QModelIndex();
}

int TServerTreeModel::rowCount(const QModelIndex& parent) const {
  if (!parent.isValid()) return static_cast<int>(world_.Units().size());
  if (parent.internalId() != kUnitRow) return 0;
  TUnit* unit = UnitAt(parent);
  return unit ? static_cast<int>(unit->Channels().size()) : 0;
}

QVariant TServerTreeModel::data(const QModelIndex& index, int role) const {
  TUnit* unit = UnitAt(index);
  if (!unit) return {};
  TChannel* target = TargetAt(index);
  const TTreeNode& node = target ? static_cast<const TTreeNode&>(*target) : *unit;
  switch (role) {
    case Qt::DisplayRole:
      if (!target) return ToQString(unit->Name()) + StateSuffix(*unit);
      if (target->IsChannel() && target->IsJoined())
        return QStringLiteral("%1 (%2)").arg(ToQString(target->Name())).arg(target->Members().MemberCount());
      return ToQString(target->Name());
    case Qt::ForegroundRole:
    case Qt::BackgroundRole:
    case Qt::FontRole: return LookData(node, role);
    default: return {};
  }
}

QVariant TServerTreeModel::LookData(const TTreeNode& node, int role) const {
  if (!look_) return {};
  if (role != Qt::FontRole) return PairRole(TreeNodeColours(node, look_->Look().realised), role);
  if (!IsMarked(node)) return {};
  // Marked nodes stand out in bold as well, for eyes that miss a colour.
  QFont font = look_->TreeFont();
  font.setBold(true);
  return font;
}

}  // namespace zeph
