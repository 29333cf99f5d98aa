#pragma once

#include <string>
#include <string_view>

#include "display/message_kind.h"
#include "engine/member_list.h"

// Who a received message is from and to whom it goes, as the message
// display needs it.
namespace zeph {

class TUnit;
struct TIrcMessage;

struct TIncoming {
  TMessageKind kind = TMessageKind::Privmsg;
  std::string nick;    // empty for a message from the server
  std::string user;
  std::string host;
  std::string target;  // a channel, a nick, or empty
  std::string text;
  bool keyword_check = false;  // whether the printed line is searched for keywords
};

// The message as it is shown: a server message names no sender, and one
// that is not addressed to us carries its target in its text («NOTICE AUTH
// :…» reads «AUTH …»). Text is parameter 1, or the ACTION's argument.
TIncoming NormaliseIncoming(const TUnit& unit, const TIrcMessage& message, TMessageKind kind, std::string text);

// The user group of a sender: our own nick (case-folded as the server
// does) or a "Self" mask gives self; else the first group 1-5 with a
// matching mask; else none. DCC auto-acceptance uses the same rule.
TMemberGroup ClassifySender(const TUnit& unit, std::string_view nick, std::string_view user,
                            std::string_view host);

// Whether keywords are looked for in the line: never in our own messages
// nor, with IgnoreNotice, in notices; otherwise as the sender's group
// allows.
bool WantsKeywordCheck(const TUnit& unit, const TIncoming& message);

// Whether the message is a user writing to our own nick, and so belongs in
// a talk; everything else goes to a channel or the unit log.
bool IsForTalk(const TUnit& unit, const TIncoming& message);

}  // namespace zeph
