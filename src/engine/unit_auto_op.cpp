// Giving operator status to users on the auto-op lists, in batches after a
// random delay, and getting it back for ourselves by rejoining a channel
// we are alone in.
#include "settings/preferences.h"
#include "engine/channel_name.h"
#include "engine/mask.h"
#include "engine/unit.h"
#include "engine/world.h"

namespace zeph {
namespace {

constexpr size_t kOpsPerLine = 3;

// The wait before the next batch: AutoOpDelayMax itself is never drawn.
int DrawOpDelay(const TPreferences& p, double random01) {
  if (!p.EnableAutoOpDelay) return 0;
  if (p.AutoOpDelayMin >= p.AutoOpDelayMax) return p.AutoOpDelayMin;
  return p.AutoOpDelayMin + static_cast<int>(random01 * (p.AutoOpDelayMax - p.AutoOpDelayMin));
}

}  // namespace

void TUnit::CheckAutoOp(TChannel& channel, const std::string& nick, const std::string& user, const std::string& host) {
  if (!channel.IsOperator()) return;
  std::string address = UserAddress(nick, user, host);
  if (MatchesAnyMask(world_.auto_op_masks, address) || MatchesAnyMask(config_.auto_op_masks, address) ||
      MatchesAnyMask(channel.AutoOpMasks(), address))
    PushToOpQueue(channel, nick);
}

void TUnit::AutoOpPass(TChannel& channel) {
  std::vector<const TMember*> members = channel.Members().PanelOrder();
  for (const TMember* member : members) {
    if (IsOwnNick(member->nick) || member->is_operator) continue;
    CheckAutoOp(channel, member->nick, member->user, member->host);
  }
}

void TUnit::PushToOpQueue(TChannel& channel, const std::string& nick) {
  if (!channel.IsJoined() || !channel.IsOperator()) return;
  const TMember* member = channel.Members().FindMember(nick);
  if (member == nullptr || member->is_operator) return;
  if (!channel.AutoOpQueue().queued.insert(IrcUpper(nick)).second) return;
  // A queue that is still running keeps its counter.
  if (channel.AutoOpQueue().nicks.empty()) channel.AutoOpQueue().delay = DrawOpDelay(Prefs(), world_.Random());
  channel.AutoOpQueue().nicks.push_back(nick);
  OpQueueTick(channel, false);
}

void TUnit::OpQueueTick(TChannel& channel, bool counting) {
  TAutoOpQueue& queue = channel.AutoOpQueue();
  if (channel.IsClosing() || queue.nicks.empty()) return;
  if (queue.delay >= 1) {
    if (counting) --queue.delay;
    return;
  }
  // A flood of joining friends waits here, not in the send queue.
  if (!connection_.HasRoomForAnswer()) return;
  std::vector<std::string> batch;
  while (batch.size() < kOpsPerLine && !queue.nicks.empty()) {
    std::string nick = std::move(queue.nicks.front());
    queue.nicks.pop_front();
    queue.queued.erase(IrcUpper(nick));
    const TMember* member = channel.Members().FindMember(nick);
    if (member != nullptr && !member->is_operator) batch.push_back(nick);
  }
  if (!batch.empty()) SendMassMode(channel.WireName(), 'o', {}, batch, TAutomatic::kAnswer);
  if (queue.nicks.empty()) queue.delay = DrawOpDelay(Prefs(), world_.Random());
}

void TUnit::RecoverOperator(TChannel& channel) {
  if (!Prefs().RejoinToRecoverOp || !channel.IsChannel() || !channel.IsJoined()) return;
  if (channel.Mode().r || channel.Mode().a || channel.IsOperator() || channel.Members().MemberCount() > 1) return;
  if (!IsChannelName(channel.Name(), kJoinChannelPrefixes)) return;
  // Only once the member list is complete does "alone" mean alone.
  if (!channel.NamesComplete()) return;
  std::string name = channel.WireName().empty() ? channel.Name() : channel.WireName();
  SendPart(name, ExpandVariables(config_.part_message));
  SendJoin(name, channel.Mode().key);
  // The old topic goes back as the channel had it: it is channel text, not
  // decoration markup to be converted.
  if (!channel.Topic().empty()) SendCommand("TOPIC", name, ":" + channel.Topic(), 2, 0);
}

}  // namespace zeph
