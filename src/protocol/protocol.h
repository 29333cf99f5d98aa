#pragma once

#include <string_view>

#include "engine/world_hooks.h"
#include "protocol/channel_events.h"
#include "protocol/incoming_messages.h"
#include "protocol/numeric_replies.h"

namespace zeph {

// The handlers of received messages that live above the engine, installed
// on the world by the program. Every received command passes one table
// here: its handler prints it and reacts to it (auto-op, sounds, windows),
// then the unit's macros are offered the message and the events derived
// from it.
class TProtocol final : public TProtocolHandler {
 public:
  explicit TProtocol(TWorld& world);

  TNumericReplies& Numerics() { return numerics_; }
  TIncomingMessages& Incoming() { return incoming_; }

  void OnReceived(TUnit& unit, TIrcMessage& message) override;
  void OnUnitShutdown(TUnit& unit) override { numerics_.OnUnitShutdown(unit); }

 private:
  // Each returns whether the printed line hit a keyword.
  using THandler = bool (*)(TProtocol& protocol, TUnit& unit, TIrcMessage& message);
  struct TRoute {
    std::string_view command;
    THandler handler;
  };
  static const TRoute kRoutes[];

  template <void (TChannelEvents::*handler)(TUnit&, const TIrcMessage&)>
  static bool Event(TProtocol& protocol, TUnit& unit, TIrcMessage& message) {
    (protocol.events_.*handler)(unit, message);
    return false;
  }
  template <bool (TIncomingMessages::*handler)(TUnit&, TIrcMessage&)>
  static bool Message(TProtocol& protocol, TUnit& unit, TIrcMessage& message) {
    return (protocol.incoming_.*handler)(unit, message);
  }
  static bool Numeric(TProtocol& protocol, TUnit& unit, TIrcMessage& message) {
    protocol.numerics_.Handle(unit, message);
    return false;
  }
  static THandler HandlerOf(const TIrcMessage& message);
  void OfferToMacros(TUnit& unit, const TIrcMessage& message, bool keyword);

  TWorld& world_;
  TNumericReplies numerics_;
  TIncomingMessages incoming_;
  TChannelEvents events_;
};

}  // namespace zeph
