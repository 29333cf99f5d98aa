#pragma once

namespace zeph {

class TUnit;
class TWorld;
struct TIrcMessage;

// Received PRIVMSG and NOTICE: CTCP queries and replies, and messages into
// channels, talks and the unit log.
class TIncomingMessages {
 public:
  explicit TIncomingMessages(TWorld& world) : world_(world) {}

  // Each returns whether the printed line hit a keyword.
  bool OnPrivmsg(TUnit& unit, TIrcMessage& message);
  bool OnNotice(TUnit& unit, TIrcMessage& message);

 private:
  TWorld& world_;
};

}  // namespace zeph
