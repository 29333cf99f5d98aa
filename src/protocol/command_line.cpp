#include "protocol/command_line.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "settings/preferences.h"
#include "display/decoration_tags.h"
#include "engine/channel_name.h"
#include "engine/irc_text.h"
#include "engine/unit.h"
#include "engine/world.h"
#include "protocol/command_line_message.h"
#include "protocol/command_line_parse.h"
#include "protocol/ctcp_texts.h"

namespace zeph {
namespace {

using TMessageType = TUnit::TMessageType;

constexpr int kRawPenalty = 2;
constexpr int kMaxKickPenalty = 10;

bool IsConnected(const TUnit& unit) { return unit.State() == TUnitState::Connected || unit.IsLoggedIn(); }

// --- Channel names in server form ------------------------------------------

// A "!" name we know with its server id, and the «%name» shorthand, as the
// server knows them.
std::string ServerChannelName(const TUnit& unit, const std::string& name) {
  if (IsSafeChannel(name) && !IsSafeCreate(name)) {
    TChannel* known = unit.FindChannel(name);
    return known && known->WireName().size() > name.size() ? known->WireName() : name;
  }
  return ExpandShortName(name);
}

// Empty fields stay, so that JOIN keys keep their positions.
std::string ServerChannelList(const TUnit& unit, std::string list) {
  std::string converted;
  for (bool first = true; !list.empty(); first = false) {
    if (!first) converted += ',';
    converted += ServerChannelName(unit, NextField(list, ','));
  }
  return converted;
}

// MODE and TOPIC name a single channel, where the shorthand the tree shows
// must work just as well.
bool TakesChannelList(std::string_view command) {
  constexpr std::array<std::string_view, 11> kListCommands = {
      "PRIVMSG", "NOTICE", "ACTION", "CTCPQUERY", "CTCPREPLY", "CTCPPING",
      "JOIN",    "PART",   "KICK",   "MODE",      "TOPIC",
  };
  return std::find(kListCommands.begin(), kListCommands.end(), command) != kListCommands.end();
}

void ConvertChannelNames(const TUnit& unit, TParsedCommand& c) {
  if (TakesChannelList(c.command)) c.target = ServerChannelList(unit, c.target);
  if (c.command != "INVITE") return;
  std::string rest = c.rest;
  std::string channel = NextToken(rest);
  c.rest = rest.empty() ? ServerChannelName(unit, channel) : ServerChannelName(unit, channel) + " " + rest;
}

// --- The commands ----------------------------------------------------------

void SendToChat(TUnit& unit, const std::string& name, const std::string& text, TMessageType type,
                bool raise_events) {
  TChannel* chat = unit.FindChannel(name);
  if (chat && chat->IsDccChat()) SendOwnChatLine(unit, *chat, text, type, raise_events);
}

void RunMessage(TUnit& unit, const TParsedCommand& c, TMessageType type, bool from_macro) {
  if (c.rest.empty()) return;
  std::string names = c.target;
  std::string on_server;
  while (!names.empty()) {
    std::string name = NextField(names, ',');
    if (name.empty()) continue;
    if (name.front() == '=') {
      SendToChat(unit, name, c.rest, type, !from_macro);
    } else {
      on_server += on_server.empty() ? name : "," + name;
    }
  }
  SendOwnMessage(unit, on_server, c.rest, type, !from_macro);
}

void RunPrivmsg(TUnit& unit, const TParsedCommand& c, bool from_macro) {
  RunMessage(unit, c, TMessageType::Privmsg, from_macro);
}

void RunNotice(TUnit& unit, const TParsedCommand& c, bool from_macro) {
  RunMessage(unit, c, TMessageType::Notice, from_macro);
}

void RunAction(TUnit& unit, const TParsedCommand& c, bool from_macro) {
  RunMessage(unit, c, TMessageType::Action, from_macro);
}

// An empty rest goes out as typed, as an empty CTCP.
void RunCtcpQuery(TUnit& unit, const TParsedCommand& c, bool) {
  if (!c.target.empty()) unit.SendCtcpQuery(c.target, c.rest);
}

void RunCtcpReply(TUnit& unit, const TParsedCommand& c, bool) {
  if (!c.target.empty()) unit.SendCtcpReply(c.target, c.rest);
}

// The answer carries the tick back, which gives the round-trip time.
void RunCtcpPing(TUnit& unit, const TParsedCommand& c, bool) {
  if (!c.target.empty()) unit.SendCtcpQuery(c.target, CtcpPingQueryText(unit.World().Loop().NowMs()));
}

// Only the first word: the rest would become part of the nick the retries
// after a refusal are built from.
void RunNick(TUnit& unit, const TParsedCommand& c, bool) {
  std::string rest = c.rest;
  std::string nick = NextToken(rest);
  if (!nick.empty()) unit.SendNick(nick, false);
}

void RunMode(TUnit& unit, const TParsedCommand& c, bool) {
  if (!c.target.empty()) unit.SendMode(c.target, c.rest);
}

// Each nick costs the server three penalty points, the command itself one.
void RunKick(TUnit& unit, const TParsedCommand& c, bool) {
  std::string rest = c.rest;
  std::string typed = NextToken(rest);
  std::string nicks;
  int count = 0;
  while (!typed.empty()) {
    std::string nick = NextField(typed, ',');
    if (nick.empty()) continue;
    nicks += nicks.empty() ? nick : "," + nick;
    ++count;
  }
  if (c.target.empty() || count == 0) return;
  unit.SendKick(c.target, nicks, StripColon(rest), std::min(3 * count - 2, kMaxKickPenalty));
}

void RunQuit(TUnit& unit, const TParsedCommand& c, bool) { unit.SendQuit(c.rest); }

void RunTopic(TUnit& unit, const TParsedCommand& c, bool) {
  if (c.target.empty()) return;
  if (c.rest.empty() && !c.lone_colon) {
    unit.SendTopicQuery(c.target);
  } else {
    unit.SendTopic(c.target, c.rest);
  }
}

void RunPart(TUnit& unit, const TParsedCommand& c, bool) {
  if (!c.target.empty()) unit.SendPart(c.target, c.rest);
}

void RunJoin(TUnit& unit, const TParsedCommand& c, bool) { unit.SendJoin(c.target, c.rest); }

void RunAway(TUnit& unit, const TParsedCommand& c, bool) { unit.SendAway(c.rest); }

// «invite nick» without a channel goes out as typed; the server answers it.
void RunInvite(TUnit& unit, const TParsedCommand& c, bool) {
  if (!c.target.empty()) unit.SendInvite(c.target, c.rest);
}

bool MacroTakesCommand(TUnit& unit, const TParsedCommand& c) {
  TWorld& world = unit.World();
  if (world.macros_stopped) return false;
  return world.Macros().OnUnknownCommand(unit, c.command, c.target, c.rest);
}

// A command the server does not know may be one of the user's macros.
void RunOther(TUnit& unit, const TParsedCommand& c, bool from_macro) {
  if (!from_macro && !IsKnownIrcCommand(c.command) && MacroTakesCommand(unit, c)) return;
  unit.SendCommand(c.command, c.target, c.rest, kRawPenalty, 0);
}

struct TCommandEntry {
  std::string_view name;
  void (*run)(TUnit&, const TParsedCommand&, bool from_macro);
};

constexpr std::array<TCommandEntry, 15> kCommands = {{
    {"PRIVMSG", RunPrivmsg},
    {"NOTICE", RunNotice},
    {"ACTION", RunAction},
    {"CTCPQUERY", RunCtcpQuery},
    {"CTCPREPLY", RunCtcpReply},
    {"CTCPPING", RunCtcpPing},
    {"NICK", RunNick},
    {"MODE", RunMode},
    {"KICK", RunKick},
    {"QUIT", RunQuit},
    {"TOPIC", RunTopic},
    {"PART", RunPart},
    {"JOIN", RunJoin},
    {"AWAY", RunAway},
    {"INVITE", RunInvite},
}};

void RunCommand(TUnit& unit, const TParsedCommand& c, bool from_macro) {
  for (const TCommandEntry& entry : kCommands) {
    if (entry.name == c.command) {
      entry.run(unit, c, from_macro);
      return;
    }
  }
  RunOther(unit, c, from_macro);
}

// --- Typed and pasted text -------------------------------------------------

std::optional<std::string> CommandLineOf(const TUnit& unit, const std::string& text, bool allow_command) {
  const TPreferences& prefs = unit.Prefs();
  if (!allow_command || !prefs.EnableCommand || prefs.CommandPrefix.empty()) return std::nullopt;
  if (!text.starts_with(prefs.CommandPrefix)) return std::nullopt;
  return text.substr(prefs.CommandPrefix.size());
}

TMessageType TypeOf(bool as_notice, bool as_action) {
  if (as_action) return TMessageType::Action;
  return as_notice ? TMessageType::Notice : TMessageType::Privmsg;
}

// The chat is looked up again for every line: a macro run by the event of
// one line may have closed it.
bool SendChatLines(TUnit& unit, const std::string& chat_name, const std::vector<std::string>& lines,
                   TMessageType type) {
  for (const std::string& line : lines) {
    TChannel* chat = unit.FindChannel(chat_name);
    if (chat == nullptr || !SendOwnChatLine(unit, *chat, line, type, true)) return false;
  }
  return true;
}

// Lines for a channel or talk go out only while we are registered and the
// target is joined or open.
bool SendTargetLines(TUnit& unit, TChannel& target, const std::vector<std::string>& lines, TMessageType type) {
  if (!unit.IsLoggedIn() || !target.IsJoined()) return false;
  if (target.IsTalk() && unit.Prefs().UnawayOnSendTalk && unit.IsAway()) unit.SendAway(std::string());
  std::string name = target.WireName().empty() ? target.Name() : target.WireName();
  for (const std::string& line : lines) SendOwnMessage(unit, name, line, type, true);
  return true;
}

bool SendPlainLines(TUnit& unit, TChannel& target, const std::vector<std::string>& lines, TMessageType type) {
  if (lines.empty()) return false;
  if (target.IsDccChat()) return SendChatLines(unit, target.Name(), lines, type);
  return SendTargetLines(unit, target, lines, type);
}

}  // namespace

void ExecuteCommandLine(TUnit& unit, const std::string& line, bool from_macro) {
  TParsedCommand command = ParseCommandLine(line);
  if (command.command.empty()) return;
  command.rest = WireRoundTrip(unit, command.rest);
  ConvertChannelNames(unit, command);
  if (IsConnected(unit)) RunCommand(unit, command, from_macro);
}

bool SubmitInput(TUnit& unit, TChannel* target, const std::string& text, bool as_notice, bool as_action,
                 bool allow_command) {
  if (text.empty()) return false;
  if (std::optional<std::string> line = CommandLineOf(unit, text, allow_command)) {
    ExecuteCommandLine(unit, *line, false);
    return true;
  }
  if (target == nullptr) return false;
  return SendPlainLines(unit, *target, {TagsToControlCodes(text)}, TypeOf(as_notice, as_action));
}

bool SendMultiLine(TUnit& unit, TChannel* target, const std::string& text, bool as_notice) {
  if (target == nullptr) return false;
  std::vector<std::string> lines;
  for (std::string rest = text; !rest.empty();) {
    std::string line = SplitLine(rest);
    if (!line.empty()) lines.push_back(TagsToControlCodes(line));
  }
  return SendPlainLines(unit, *target, lines, TypeOf(as_notice, false));
}

}  // namespace zeph
