#pragma once

#include <string>

#include "display/message_kind.h"

namespace zeph {

class TChannel;
class TUnit;
class TWorld;
struct TIncoming;
struct TIrcMessage;

// Puts a received message (an ordinary PRIVMSG or NOTICE, or a CTCP ACTION)
// into its log: the channel's, a talk's for messages to our nick (opening
// the talk on demand), or the unit log. On the way it drops ignored
// senders, records what the message tells of its sender, marks the node,
// plays the message sounds and shows the tray balloon.
class TMessageDisplay {
 public:
  explicit TMessageDisplay(TWorld& world) : world_(world) {}

  // Whether the printed line hit a keyword.
  bool Show(TUnit& unit, const TIrcMessage& message, TMessageKind kind, std::string text);

 private:
  bool ShowInChannel(TUnit& unit, const TIncoming& in);
  bool ShowInTalk(TUnit& unit, const TIncoming& in);
  TChannel* OpenTalk(TUnit& unit, const TIncoming& in);
  // Prints into the target, or the unit log when target is null.
  bool Print(TUnit& unit, TChannel* target, const TIncoming& in, const std::string& channel_name);

  TWorld& world_;
};

}  // namespace zeph
