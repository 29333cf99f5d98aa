#include "app/widgets/member_list_model.h"

#include "platform/qt/qt_text.h"

namespace zeph {

TMemberListModel::TMemberListModel(TChannel& channel, QObject* parent)
    : QAbstractListModel(parent), channel_(channel), rows_(channel.Members().MemberCount()) {
  channel_.AddMemberObserver(this, TMemberView::Panel);
}

TMemberListModel::~TMemberListModel() { channel_.RemoveMemberObserver(this); }

const TMember* TMemberListModel::MemberAt(int row) const {
  const auto& rows = channel_.Members().PanelOrder();
  return row >= 0 && row < static_cast<int>(rows.size()) ? rows[row] : nullptr;
}

int TMemberListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

QVariant TMemberListModel::data(const QModelIndex& index, int role) const {
  const TMember* member = MemberAt(index.row());
  if (!member || role != Qt::DisplayRole) return {};
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
