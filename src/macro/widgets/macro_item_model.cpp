#include "macro/widgets/macro_item_model.h"

#include <array>
#include <utility>

#include "platform/qt/qt_text.h"

namespace zeph {
namespace {

const std::array<const char*, TMacroItemModel::kColumnCount> kHeaders = {
    "ユーザ", "コマンド", "チャンネル", "メッセージ", "自分", "送信者", "動作", "送信先", "動作の情報", "停止"};

std::string CellText(const TMacroItem& item, int column) {
  switch (column) {
    case 0: return item.user_pattern;
    case 1: return item.command_pattern;
    case 2: return item.channel_pattern;
    case 3: return item.message_pattern;
    case 4: return ConditionLabel(item.self_condition);
    case 5: return ConditionLabel(item.sender_condition);
    case 6: return item.action;
    case 7: return item.target;
    case 8: return item.info;
    case 9: return StopLabel(item.stop);
    default: return {};
  }
}

}  // namespace

void TMacroItemModel::SetItems(std::vector<TMacroItem> items) {
  beginResetModel();
  items_ = std::move(items);
  endResetModel();
}

void TMacroItemModel::SetItem(int row, const TMacroItem& item) {
  if (!HasRow(row)) return;
  items_[static_cast<size_t>(row)] = item;
  emit dataChanged(index(row, 0), index(row, kColumnCount - 1));
}

int TMacroItemModel::Insert(int row, const TMacroItem& item) {
  if (!HasRow(row)) row = static_cast<int>(items_.size());
  beginInsertRows({}, row, row);
  items_.insert(items_.begin() + row, item);
  endInsertRows();
  return row;
}

void TMacroItemModel::Remove(int row) {
  if (!HasRow(row)) return;
  beginRemoveRows({}, row, row);
  items_.erase(items_.begin() + row);
  endRemoveRows();
}

int TMacroItemModel::Move(int row, int delta) {
  int to = row + delta;
  if (!HasRow(row) || !HasRow(to) || delta == 0) return row;
  // Qt names the destination as the row before which the item lands.
  beginMoveRows({}, row, row, {}, delta > 0 ? to + 1 : to);
  std::swap(items_[static_cast<size_t>(row)], items_[static_cast<size_t>(to)]);
  endMoveRows();
  return to;
}

int TMacroItemModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(items_.size());
}

int TMacroItemModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

QVariant TMacroItemModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || !HasRow(index.row())) return {};
  const TMacroItem& item = Item(index.row());
  if (role == Qt::DisplayRole) return ToQString(CellText(item, index.column()));
  if (role == Qt::CheckStateRole && index.column() == 0) return item.disabled ? Qt::Unchecked : Qt::Checked;
  return {};
}

bool TMacroItemModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || !HasRow(index.row()) || index.column() != 0 || role != Qt::CheckStateRole) return false;
  items_[static_cast<size_t>(index.row())].disabled = value.toInt() != Qt::Checked;
  emit dataChanged(index, index);
  return true;
}

Qt::ItemFlags TMacroItemModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  return index.column() == 0 ? flags | Qt::ItemIsUserCheckable : flags;
}

QVariant TMacroItemModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kColumnCount) return {};
  return QString::fromUtf8(kHeaders[static_cast<size_t>(section)]);
}

}  // namespace zeph
