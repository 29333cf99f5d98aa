#pragma once

#include "engine/world_hooks.h"
#include "protocol/incoming_messages.h"
#include "protocol/numeric_replies.h"

namespace zeph {

// The handlers of received messages that live above the engine, installed
// on the world by the program: numeric replies, CTCP, messages and talks.
class TProtocol final : public TProtocolHandler {
 public:
  explicit TProtocol(TWorld& world) : numerics_(world), incoming_(world) {}

  TNumericReplies& Numerics() { return numerics_; }
  TIncomingMessages& Incoming() { return incoming_; }

  void OnNumeric(TUnit& unit, TIrcMessage& message) override { numerics_.Handle(unit, message); }
  bool OnPrivmsg(TUnit& unit, TIrcMessage& message) override { return incoming_.OnPrivmsg(unit, message); }
  bool OnNotice(TUnit& unit, TIrcMessage& message) override { return incoming_.OnNotice(unit, message); }
  void OnNickChanged(TUnit& unit, const std::string& old_nick, const std::string& new_nick) override {
    numerics_.OnNickChanged(unit, old_nick, new_nick);
  }
  void OnUnitShutdown(TUnit& unit) override { numerics_.OnUnitShutdown(unit); }
  void OnMaskListChange(TUnit& unit, TChannel& channel, char list, bool add, const std::string& mask) override {
    numerics_.OnMaskListChange(unit, channel, list, add, mask);
  }

 private:
  TNumericReplies numerics_;
  TIncomingMessages incoming_;
};

}  // namespace zeph
