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
  std::string name;          // as shown and typed: #chan, %chan, !chan, a nick, =nick
  std::string key;           // sent with JOIN
  std::string mode_setting;  // applied when we create the channel
  std::string topic_setting;
  bool auto_join = false;
  bool update = true;
  bool console = true;
  bool keyword = true;
  std::vector<std::string> auto_op_masks;
  // Whether tree.ini keeps the entry: every channel the user configured,
  // whatever its name; a channel a server made us join only under a name
  // the file and a later JOIN can hold.
  bool stored_in_tree = true;

  // The name as the server knows it: «#x:*.jp» for «%x», the id-carrying
  // form of a "!" channel once our JOIN told it, the name otherwise.
  const std::string& WireName() const { return wire_name_; }
  void SetWireName(std::string wire_name);
  // A talk follows its partner's new nick: name and wire name.
  void Rename(const std::string& new_name);

  // As last seen on the server.
  TChannelMode mode;
  std::string topic;
  bool joined = false;  // for a talk: the talk is active
  bool op = false;      // we are channel operator here
  bool names_complete = false;
  bool who_complete = false;
  TMemberList members;
  std::string partner;  // DCC chat: the partner's nick
  bool opened_by_peer = false;  // a talk someone else opened by writing to us
  TAutoOpQueue auto_op;
  bool closing = false;

  // Joined (or the talk opened): the record starts afresh.
  void Activate();
  // Left: members and pending auto-ops are gone.
  void Deactivate();

  // The entry as the server tree stores it.
  TChannelConfig ToConfig() const;

 private:
  TUnit& unit_;
  const TTargetKind kind_;
  std::string wire_name_;
};

}  // namespace zeph
