#pragma once

#include "protocol/ctcp_handler.h"
#include "protocol/incoming_display.h"

namespace zeph {

class TUnit;
class TWorld;
struct TIrcMessage;

// Received PRIVMSG and NOTICE: CTCP queries and replies, and messages into
// channels, talks and the unit log.
class TIncomingMessages {
 public:
  explicit TIncomingMessages(TWorld& world) : display_(world), ctcp_(world) {}

  // Each returns whether the printed line hit a keyword.
  bool OnPrivmsg(TUnit& unit, TIrcMessage& message);
  bool OnNotice(TUnit& unit, TIrcMessage& message);

 private:
  TMessageDisplay display_;
  TCtcpHandler ctcp_;
};

}  // namespace zeph
