#pragma once

#include <cstdint>
#include <string>

#include "display/link_key.h"

namespace zeph {

// The live units and channels a link key may lead to; the world implements
// it.
class TLinkTargets {
 public:
  virtual ~TLinkTargets() = default;
  virtual bool HasUnit(TNodeId unit) const = 0;
  // The channel, talk or DCC chat is open and belongs to the unit.
  virtual bool HasChannel(TNodeId unit, TNodeId channel) const = 0;
  // Selects the unit log (channel kNoNode) or the channel in the tree.
  virtual void Select(TNodeId unit, TNodeId channel) = 0;
  // Scrolls the selected log to the line with this serial, if it still
  // holds it.
  virtual void RevealLine(TNodeId unit, TNodeId channel, std::uint64_t serial) = 0;
  virtual void JoinChannel(TNodeId unit, const std::string& channel_name) = 0;
};

// Carries out the activation of a line with this link key. A key whose unit
// or channel no longer exists does nothing. Returns whether it led anywhere.
bool FollowLink(const TLinkKey& key, TLinkTargets& targets);

}  // namespace zeph
