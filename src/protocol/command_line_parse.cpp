#include "protocol/command_line_parse.h"

#include <algorithm>
#include <array>

#include "display/decoration_tags.h"
#include "engine/irc_text.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

constexpr std::array<std::string_view, 13> kTargetCommands = {
    "PRIVMSG", "MSG", "NOTICE", "ACTION", "CTCPQUERY", "CTCPREPLY", "CTCPPING",
    "JOIN",    "PART", "MODE",  "TOPIC",  "KICK",      "INVITE",
};

constexpr std::array<std::string_view, 56> kKnownIrcCommands = {
    "PRIVMSG", "NOTICE",  "MODE",     "NICK",    "JOIN",     "PART",     "QUIT",    "PING",
    "PONG",    "TOPIC",   "ISON",     "KICK",    "NAMES",    "WHO",      "WHOIS",   "INVITE",
    "AWAY",    "VERSION", "WHOWAS",   "LIST",    "NJOIN",    "ADMIN",    "DNS",     "HAZH",
    "HELP",    "INFO",    "LINKS",    "LUSERS",  "MOTD",     "OPER",     "PASS",    "SERVICE",
    "SERVLIST", "SERVSET", "SQUERY",  "STATS",   "SUMMON",   "TIME",     "TRACE",   "UMODE",
    "USER",    "USERHOST", "USERS",   "CLOSE",   "CONNECT",  "DIE",      "KILL",    "REHASH",
    "RESTART", "SQUIT",   "ERROR",    "RECONNECT", "SERVER", "WALLOPS",  "SET",     "MAP",
};

constexpr char kCtcpDelimiter = '\x01';

// "\x01BODY\x01..." → "BODY".
std::string CtcpBody(std::string_view rest) {
  rest.remove_prefix(1);
  return std::string(rest.substr(0, rest.find(kCtcpDelimiter)));
}

void ResolveAliases(TParsedCommand& parsed) {
  if (parsed.command == "MSG") parsed.command = "PRIVMSG";
  bool ctcp = !parsed.rest.empty() && parsed.rest.front() == kCtcpDelimiter;
  if (ctcp && parsed.command == "PRIVMSG") {
    parsed.command = "CTCPQUERY";
    parsed.rest = CtcpBody(parsed.rest);
  } else if (ctcp && parsed.command == "NOTICE") {
    parsed.command = "CTCPREPLY";
    parsed.rest = CtcpBody(parsed.rest);
  }
  if (parsed.command != "CTCPQUERY") return;
  std::string_view words = parsed.rest;
  if (AsciiUpperText(NextToken(words)) != "ACTION") return;
  parsed.command = "ACTION";
  parsed.rest = words;
}

}  // namespace

bool TakesTarget(std::string_view command) {
  return std::find(kTargetCommands.begin(), kTargetCommands.end(), command) != kTargetCommands.end();
}

bool IsKnownIrcCommand(std::string_view command) {
  return std::find(kKnownIrcCommands.begin(), kKnownIrcCommands.end(), command) != kKnownIrcCommands.end();
}

TParsedCommand ParseCommandLine(std::string_view line) {
  std::string converted = TagsToControlCodes(line);
  std::string_view rest = converted;
  TParsedCommand parsed;
  parsed.command = AsciiUpperText(NextToken(rest));
  if (TakesTarget(parsed.command)) {
    parsed.target = NextToken(rest);
    parsed.lone_colon = rest == ":";
    parsed.rest = StripColon(rest);
  } else {
    parsed.rest = rest;
  }
  ResolveAliases(parsed);
  return parsed;
}

}  // namespace zeph
