#include "protocol/ctcp_handler.h"

#include <ctime>

#include "settings/preferences.h"
#include "display/decoration_tags.h"
#include "engine/irc_message.h"
#include "engine/irc_text.h"
#include "engine/unit.h"
#include "engine/world.h"
#include "platform/system_name.h"
#include "protocol/ctcp_frame.h"
#include "protocol/ctcp_texts.h"

namespace zeph {
namespace {

TSender SenderOf(const TIrcMessage& m) { return TSender{m.nick, m.user, m.host}; }

// Replies whose argument a peer may start with ":".
bool StripsColon(const std::string& command) {
  return command == "TIME" || command == "VERSION" || command == "USERINFO" || command == "CLIENTINFO";
}

}  // namespace

void TCtcpHandler::OnQuery(TUnit& unit, const TIrcMessage& m, const TCtcpFrame& frame) {
  if (frame.command == "DCC") {
    if (!world_.Dcc().OnDccQuery(unit, m, frame.argument)) PrintQuery(unit, m, frame.command, false);
    return;
  }
  // Our own address must be learnt whatever the gates below say.
  if (frame.command == "GETADDRESS" && unit.IsOwnNick(m.nick)) {
    LearnOwnAddress(unit, m);
    return;
  }
  // A query from the server itself has nobody to answer.
  if (m.nick.empty() || Refuses(unit)) {
    PrintQuery(unit, m, frame.command, true);
    return;
  }
  unit.Replies().NoteCtcpAnswer(world_.Loop().NowMs());
  if (frame.command == "GETADDRESS") return;  // someone else's: not ours to use
  if (std::optional<std::string> answer = AnswerTo(unit, frame))
    unit.SendCtcpReply(m.nick, *answer, TAutomatic::kAnswer);
  PrintQuery(unit, m, frame.command, false);
}

void TCtcpHandler::LearnOwnAddress(TUnit& unit, const TIrcMessage& m) {
  unit.NoteQueriedAddress(m.user, m.host);
}

bool TCtcpHandler::Refuses(TUnit& unit) const {
  const TPreferences& prefs = unit.Prefs();
  if (prefs.IgnoreCtcp) return true;
  // Answers that could not leave yet are enough: a flood of queries is
  // refused rather than answered minutes late.
  if (!unit.Connection().HasRoomForAnswer()) return true;
  long long last = unit.Replies().LastCtcpAnswerMs();
  return prefs.EnableCtcpSequenceLimit && last >= 0 && world_.Loop().NowMs() - last < kSequenceLimitMs;
}

std::optional<std::string> TCtcpHandler::AnswerTo(TUnit& unit, const TCtcpFrame& frame) const {
  const std::string& command = frame.command;
  if (command == "PING") return "PING " + frame.argument;
  if (command == "TIME") {
    std::time_t now = world_.Now();
    std::tm local{};
    localtime_r(&now, &local);
    return "TIME " + CtcpTimeText(local);
  }
  if (command == "VERSION") return "VERSION " + CtcpVersionText(OperatingSystemName());
  if (command == "USERINFO") {
    std::string info = TagsToControlCodes(unit.Config().user_info);
    info = unit.ExpandVariables(info);
    return "USERINFO " + info;
  }
  if (command == "CLIENTINFO") return "CLIENTINFO " + std::string(kCtcpClientInfo);
  return std::nullopt;
}

void TCtcpHandler::OnReply(TUnit& unit, const TIrcMessage& m, const TCtcpFrame& frame) {
  unit.PrintToUnit(TMessageKind::CTCPReply, m.nick,
                   world_.Formats().FormatCTCPReply(SenderOf(m), frame.command, ReplyText(frame)));
}

std::string TCtcpHandler::ReplyText(const TCtcpFrame& frame) const {
  if (frame.command == "PING") {
    // A stamp we cannot have sent shows as the peer wrote it, not as a
    // nonsense round trip.
    if (std::optional<std::string> round_trip = CtcpPingRoundTrip(frame.argument, world_.Loop().NowMs()))
      return *round_trip;
    return StripColon(frame.argument);
  }
  return StripsColon(frame.command) ? StripColon(frame.argument) : frame.argument;
}

void TCtcpHandler::PrintQuery(TUnit& unit, const TIrcMessage& m, const std::string& command, bool refused) {
  std::string text = world_.Formats().FormatCTCPQuery(SenderOf(m), command);
  if (refused) text += " : ignored";
  unit.PrintToUnit(TMessageKind::CTCPQuery, m.nick, text);
}

}  // namespace zeph
