#pragma once

#include <QAbstractTableModel>

#include "engine/member_list.h"

// The rows of the member information window: a channel's members in the
// detail order, kept in step with the member list one notice at a time.
namespace zeph {

class TChannel;

class TMemberDetailModel final : public QAbstractTableModel, private TMemberListObserver {
  Q_OBJECT

 public:
  static constexpr int kColumnCount = 6;

  explicit TMemberDetailModel(TChannel& channel, QObject* parent = nullptr);
  ~TMemberDetailModel() override;

  // The channel goes away: the model shows nothing from now on.
  void Detach();
  const TMember* MemberAt(int row) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  void OnMemberAdded(const TMember& member, int row) override;
  void OnMemberChanged(const TMember& member, int old_row, int new_row) override;
  void OnMemberRemoved(const TMember& member, int row) override;
  void OnMemberRenamed(const TMember& member, std::string_view old_nick, int old_row, int new_row) override;
  void OnMembersCleared() override;
  void OnMembersResorted() override;
  void MoveRow(int old_row, int new_row);

  TChannel* channel_;
};

}  // namespace zeph
