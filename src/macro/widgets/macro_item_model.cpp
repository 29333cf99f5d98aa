#include "macro/widgets/macro_item_model.h"

#include <array>

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
  At(index.row()).disabled = value.toInt() != Qt::Checked;
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
