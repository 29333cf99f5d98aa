#pragma once

#include <QAbstractListModel>
#include <memory>

#include "display/widgets/screen_look.h"
#include "engine/channel.h"

namespace zeph {

// The colours of a member who is not selected: the user himself, then his
// user group, else the list font colour on the list background. The
// selected member takes the list's selection colours from the view.
TColorPair MemberColours(const TMember& member, const TViewSettings& look);

// The member pane of one channel: its members in the pane's order, "@" and
// "+" before operators and voiced members. It follows the channel's member
// list from its notices and lets go of it when destroyed.
class TMemberListModel final : public QAbstractListModel, private TMemberListObserver {
 public:
  explicit TMemberListModel(TChannel& channel, QObject* parent = nullptr);
  ~TMemberListModel() override;

  const TMember* MemberAt(int row) const;
  // The view settings' colours; every row is redrawn with them.
  void SetLook(std::shared_ptr<const TScreenLook> look);
  int rowCount(const QModelIndex& parent) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  void OnMemberAdded(const TMember& member, int row) override;
  void OnMemberChanged(const TMember& member, int old_row, int new_row) override;
  void OnMemberRemoved(const TMember& member, int row) override;
  void OnMemberRenamed(const TMember& member, std::string_view old_nick, int old_row, int new_row) override;
  void OnMembersCleared() override;
  void OnMembersResorted() override;
  void Moved(int old_row, int new_row);

  TChannel& channel_;
  std::shared_ptr<const TScreenLook> look_;
  int rows_ = 0;  // the rows the view knows of
};

}  // namespace zeph
