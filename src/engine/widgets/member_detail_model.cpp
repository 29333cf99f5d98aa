#include "engine/widgets/member_detail_model.h"

#include "engine/channel.h"
#include "platform/qt/qt_text.h"

namespace zeph {

TMemberDetailModel::TMemberDetailModel(TChannel& channel, QObject* parent)
    : QAbstractTableModel(parent), channel_(&channel) {
  channel.AddMemberObserver(this, TMemberView::Detail);
}

TMemberDetailModel::~TMemberDetailModel() { Detach(); }

void TMemberDetailModel::Detach() {
  if (!channel_) return;
  beginResetModel();
  channel_->RemoveMemberObserver(this);
  channel_ = nullptr;
  endResetModel();
}

const TMember* TMemberDetailModel::MemberAt(int row) const {
  if (!channel_ || row < 0 || row >= rowCount()) return nullptr;
  return channel_->Members().DetailOrder()[static_cast<size_t>(row)];
}

int TMemberDetailModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || !channel_) return 0;
  return channel_->Members().MemberCount();
}

int TMemberDetailModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

QVariant TMemberDetailModel::data(const QModelIndex& index, int role) const {
  const TMember* member = MemberAt(index.row());
  if (!member) return {};
  if (role == Qt::DisplayRole) {
    switch (index.column()) {
      case 0: {
        static const char* const kMarks[] = {"", "+", "@"};
        return QString::fromLatin1(kMarks[MemberIcon(*member)]);
      }
      case 1: return ToQString(member->nick);
      case 2: return ToQString(member->user);
      case 3: return ToQString(member->host);
      case 4: return ToQString(member->info2);
      case 5: return ToQString(member->info1);
    }
  }
  return {};
}

QVariant TMemberDetailModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  static const char* const kTitles[kColumnCount] = {"", "ニックネーム", "ログイン名", "アドレス", "名前", "サーバ"};
  if (section < 0 || section >= kColumnCount) return {};
  return QString::fromUtf8(kTitles[section]);
}

void TMemberDetailModel::OnMemberAdded(const TMember&, int row) {
  // The list already holds the member; the rows before and after it are
  // the ones the view has.
  beginInsertRows({}, row, row);
  endInsertRows();
}

void TMemberDetailModel::MoveRow(int old_row, int new_row) {
  if (old_row != new_row) {
    // Qt names the destination as the row before which the moved row goes.
    const int destination = new_row > old_row ? new_row + 1 : new_row;
    beginMoveRows({}, old_row, old_row, {}, destination);
    endMoveRows();
  }
  emit dataChanged(index(new_row, 0), index(new_row, kColumnCount - 1));
}

void TMemberDetailModel::OnMemberChanged(const TMember&, int old_row, int new_row) { MoveRow(old_row, new_row); }

void TMemberDetailModel::OnMemberRemoved(const TMember&, int row) {
  beginRemoveRows({}, row, row);
  endRemoveRows();
}

void TMemberDetailModel::OnMemberRenamed(const TMember&, std::string_view, int old_row, int new_row) {
  MoveRow(old_row, new_row);
}

void TMemberDetailModel::OnMembersCleared() {
  beginResetModel();
  endResetModel();
}

void TMemberDetailModel::OnMembersResorted() {
  emit layoutAboutToBeChanged();
  emit layoutChanged();
}

}  // namespace zeph
