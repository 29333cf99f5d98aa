#include "display/link_follower.h"

namespace zeph {

bool FollowLink(const TLinkKey& key, TLinkTargets& targets) {
  if (key.IsEmpty() || !targets.HasUnit(key.unit)) return false;
  if (key.kind == TLinkKind::Invite) {
    targets.JoinChannel(key.unit, key.channel_name);
    return true;
  }
  if (key.channel != kNoNode && !targets.HasChannel(key.unit, key.channel)) return false;
  targets.Select(key.unit, key.channel);
  if (key.kind == TLinkKind::Line) targets.RevealLine(key.unit, key.channel, key.serial);
  return true;
}

}  // namespace zeph
