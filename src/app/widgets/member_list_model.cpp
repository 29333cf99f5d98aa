#include "app/widgets/member_list_model.h"

#include "platform/qt/qt_text.h"

namespace zeph {

TColorPair MemberColours(const TMember& member, const TViewSettings& look) {
  if (member.group == kMemberGroupSelf) return look.list_self;
  if (member.group == kMemberGroupUser && member.group_index >= 0 && member.group_index < kUserGroupCount)
    return look.list_groups[member.group_index];
  return {look.list_font.color, look.list_back_color};
}

TMemberListModel::TMemberListModel(TChannel& channel, QObject* parent)
    : QAbstractListModel(parent), channel_(channel), rows_(channel.Members().MemberCount()) {
  channel_.AddMemberObserver(this, TMemberView::Panel);
}

TMemberListModel::~TMemberListModel() { channel_.RemoveMemberObserver(this); }

const TMember* TMemberListModel::MemberAt(int row) const {
  const auto& rows = channel_.Members().PanelOrder();
  return row >= 0 && row < static_cast<int>(rows.size()) ? rows[row] : nullptr;
}

void TMemberListModel::SetLook(std::shared_ptr<const TScreenLook> look) {
  look_ = std::move(look);
  if (rows_ > 0) emit dataChanged(index(0), index(rows_ - 1));
}

int TMemberListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

QVariant TMemberListModel::data(const QModelIndex& index, int role) const {
  const TMember* member = MemberAt(index.row());
  if (!member) return {};
  if (role == Qt::ForegroundRole || role == Qt::BackgroundRole)
    return look_ ? PairRole(MemberColours(*member, look_->Look().realised), role) : QVariant();
  if (role != Qt::DisplayRole) return {};
  QString prefix = member->is_operator ? QStringLiteral("@") : member->has_voice ? QStringLiteral("+") : QString();
  return prefix + ToQString(member->nick);
}

// The list changed before it tells us; the view reads the new rows once the
// change is announced.
void TMemberListModel::OnMemberAdded(const TMember&, int row) {
  beginInsertRows({}, row, row);
  ++rows_;
  endInsertRows();
}

void TMemberListModel::OnMemberRemoved(const TMember&, int row) {
  beginRemoveRows({}, row, row);
  --rows_;
  endRemoveRows();
}

void TMemberListModel::Moved(int old_row, int new_row) {
  if (old_row == new_row) {
    emit dataChanged(index(new_row), index(new_row));
    return;
  }
  beginRemoveRows({}, old_row, old_row);
  --rows_;
  endRemoveRows();
  beginInsertRows({}, new_row, new_row);
  ++rows_;
  endInsertRows();
}

void TMemberListModel::OnMemberChanged(const TMember&, int old_row, int new_row) { Moved(old_row, new_row); }

void TMemberListModel::OnMemberRenamed(const TMember&, std::string_view, int old_row, int new_row) {
  Moved(old_row, new_row);
}

void TMemberListModel::OnMembersCleared() {
  beginResetModel();
  rows_ = 0;
  endResetModel();
}

void TMemberListModel::OnMembersResorted() {
  beginResetModel();
  rows_ = channel_.Members().MemberCount();
  endResetModel();
}

}  // namespace zeph
