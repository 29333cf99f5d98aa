// Error replies: printed, and for refused nicks and channels the retries
// and bookkeeping that follow.
#include "settings/preferences.h"
#include "engine/channel_name.h"
#include "engine/irc_message.h"
#include "engine/unit.h"
#include "engine/world.h"
#include "protocol/numeric_replies.h"

namespace zeph {
namespace {

constexpr int kNickUnavailable = 437;

bool IsNickRefusal(int numeric) { return numeric == 432 || numeric == 433 || numeric == 436; }

// Refusals that end a join for good: the key we asked with is forgotten.
bool IsFinalChannelRefusal(int numeric) {
  switch (numeric) {
    case 405: case 471: case 473: case 474: case 475: case 476: return true;
    default: return false;
  }
}

}  // namespace

void TNumericReplies::PrintError(TUnit& unit, const TIrcMessage& m) {
  unit.PrintToUnit(TMessageKind::ErrorReply, std::string(), world_.Formats().FormatErrorReply(m.numeric, m.JoinParams(1)));
}

void TNumericReplies::OnError(TUnit& unit, const TIrcMessage& m) {
  PrintError(unit, m);
  const std::string& subject = m.Param(1);
  bool about_channel = IsChannelName(subject, kServerChannelPrefixes);
  if (IsNickRefusal(m.numeric) || (m.numeric == kNickUnavailable && !about_channel)) {
    nick_policy_.OnRejected(unit, m.numeric);
    return;
  }
  if (unit.IsLoggedIn() && about_channel) ForgetRefusedChannel(unit, m);
}

void TNumericReplies::ForgetRefusedChannel(TUnit& unit, const TIrcMessage& m) {
  std::string name = StripSafeId(m.Param(1));
  if (IsFinalChannelRefusal(m.numeric)) {
    unit.Rejoins().Remove(name);
    if (IsSafeChannel(name) && !IsSafeCreate(name)) unit.Replies().TakeSafeCreateRequest(name);
  } else if (m.numeric == kNickUnavailable && world_.Preferences().RejoinOnError437) {
    unit.Rejoins().OnRefused(name);
  }
}

// A "!" channel the user asked for that does not exist yet: ask the server
// to create it ("!!name").
void TNumericReplies::OnNoSuchChannel(TUnit& unit, const TIrcMessage& m) {
  const std::string& name = m.Param(1);
  if (IsSafeChannel(name) && unit.Replies().TakeSafeCreateRequest(name) && name.size() > 1) {
    unit.SendJoin("!" + name, std::string());
    return;
  }
  PrintError(unit, m);
}

}  // namespace zeph
