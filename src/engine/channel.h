#pragma once

#include <deque>
#include <string>
#include <unordered_set>
#include <vector>

#include "settings/server_config.h"
#include "engine/channel_mode.h"
#include "engine/member_list.h"
#include "engine/tree_node.h"

namespace zeph {

class TUnit;

enum class TTargetKind { Channel = 0, Talk = 1, DccChat = 2 };

// Nicks waiting for operator status in one channel, sent in batches after a
// random delay so that several clients with the same lists do not all send
// MODE at once.
struct TAutoOpQueue {
  std::deque<std::string> nicks;          // arrival order, no duplicates
  std::unordered_set<std::string> queued;  // the same nicks, IrcUpper-folded
  int delay = 0;                          // whole seconds before the next batch
};

// One conversation target of a unit: a channel, a talk with one user, or a
// DCC chat.
class TChannel final : public TTreeNode {
 public:
  TChannel(TUnit& unit, const TChannelConfig& config, TTargetKind kind);

  TUnit& Unit() const { return unit_; }
  TTargetKind Kind() const { return kind_; }
  bool IsChannel() const { return kind_ == TTargetKind::Channel; }
  bool IsTalk() const { return kind_ == TTargetKind::Talk; }
  bool IsDccChat() const { return kind_ == TTargetKind::DccChat; }

  // Settings of the channel's entry in the server tree. The name changes
  // only through Rename, which the unit's look-ups follow.
  const std::string& Name() const { return name_; }  // as shown and typed: #chan, %chan, !chan, a nick, =nick
  const std::string& Key() const { return key_; }                    // sent with JOIN
  const std::string& ModeSetting() const { return mode_setting_; }  // applied when we create the channel
  const std::string& TopicSetting() const { return topic_setting_; }
  bool AutoJoin() const { return auto_join_; }
  const std::vector<std::string>& AutoOpMasks() const { return auto_op_masks_; }
  // Whether tree.ini keeps the entry: every channel the user configured,
  // whatever its name; a channel a server made us join only under a name
  // the file and a later JOIN can hold.
  bool StoredInTree() const { return stored_in_tree_; }
  void SetStoredInTree(bool stored) { stored_in_tree_ = stored; }

  // The name as the server knows it: «#x:*.jp» for «%x», the id-carrying
  // form of a "!" channel once our JOIN told it, the name otherwise.
  const std::string& WireName() const { return wire_name_; }
  void SetWireName(std::string wire_name);
  // A talk follows its partner's new nick: name and wire name.
  void Rename(const std::string& new_name);

  // As last seen on the server. Every change goes through a method that
  // announces it: the tree, the title and the member list follow without
  // being told.
  const TChannelMode& Mode() const { return mode_; }
  const std::string& Topic() const { return topic_; }
  bool IsJoined() const { return joined_; }  // for a talk: the talk is active
  bool IsOperator() const { return op_; }    // we are channel operator here
  bool NamesComplete() const { return names_complete_; }
  bool WhoComplete() const { return who_complete_; }
  const TMemberList& Members() const { return members_; }
  const std::string& Partner() const { return partner_; }  // DCC chat: the partner's nick
  bool OpenedByPeer() const { return opened_by_peer_; }     // a talk someone else opened by writing to us
  bool IsClosing() const { return closing_; }

  void SetMode(TChannelMode mode);
  void ApplyMode(const std::string& modes);
  void SetTopic(std::string topic);
  void SetOperator(bool op);
  void SetNamesComplete();
  void SetWhoComplete();
  // The member list is to be built again from WHO: emptied, not complete.
  void ResetMembers();
  void SetPartner(std::string nick);
  void SetOpenedByPeer() { opened_by_peer_ = true; }
  void SetClosing() { closing_ = true; }

  void AddMember(const TMember& member, bool merge);
  // Whether the member's address became known or changed.
  bool UpdateMember(std::string_view nick, std::string_view user, std::string_view host);
  void RemoveMember(std::string_view nick);
  void RenameMember(std::string_view old_nick, std::string_view new_nick);
  void SetMemberMode(std::string_view nick, char letter, bool value);
  void SetMemberSortMethod(TMemberSortMethod method) { members_.SetSortMethod(method); }
  // After the user groups or the self masks changed.
  void RecomputeMemberGroups() { members_.RecomputeGroups(); }
  // A window that shows the members follows them from here on.
  void AddMemberObserver(TMemberListObserver* observer, TMemberView view) { members_.AddObserver(observer, view); }
  void RemoveMemberObserver(TMemberListObserver* observer) { members_.RemoveObserver(observer); }

  // Nicks waiting for operator status; the unit's auto-op runs it.
  TAutoOpQueue& AutoOpQueue() { return auto_op_; }
  void ClearAutoOpQueue() { auto_op_ = TAutoOpQueue(); }

  // Joined (or the talk opened): the record starts afresh.
  void Activate();
  // A talk goes on after a new login.
  void Reopen();
  // Left: members and pending auto-ops are gone.
  void Deactivate();

  // The entry as the server tree stores it.
  TChannelConfig ToConfig() const;
  // The entry's settings as edited in its properties; the name stays (a
  // joined channel keeps its name on the server).
  void ApplyConfig(const TChannelConfig& config);

 private:
  void Changed() override;

  std::string name_;
  std::string key_;
  std::string mode_setting_;
  std::string topic_setting_;
  bool auto_join_ = false;
  std::vector<std::string> auto_op_masks_;
  bool stored_in_tree_ = true;
  TUnit& unit_;
  const TTargetKind kind_;
  std::string wire_name_;
  TChannelMode mode_;
  std::string topic_;
  bool joined_ = false;
  bool op_ = false;
  bool names_complete_ = false;
  bool who_complete_ = false;
  TMemberList members_;
  std::string partner_;
  bool opened_by_peer_ = false;
  TAutoOpQueue auto_op_;
  bool closing_ = false;
};

}  // namespace zeph
