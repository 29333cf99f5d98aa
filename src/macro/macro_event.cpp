#include "macro/macro_event.h"

#include <algorithm>
#include <array>

#include "engine/irc_message.h"
#include "engine/irc_text.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

constexpr char kCtcpDelimiter = '\x01';
// Some servers append the channel modes to a JOIN's channel after this byte.
constexpr char kJoinModeDelimiter = '\x07';

constexpr std::array<std::string_view, 18> kEditorEventNames = {
    "Privmsg", "Join",     "Part",   "Quit",  "Mode",    "Nick",      "Topic",     "Kick",          "Invite",
    "Action",  "Keyword",  "Op",     "Deop",  "Voice",   "Devoice",   "CTCPQuery", "CTCPReply",     "DCCChatMessage"};

constexpr std::array<std::string_view, 18> kChannelEvents = {
    "PRIVMSG", "NOTICE", "ACTION", "CTCPQUERY", "CTCPREPLY", "JOIN",           "PART", "MODE", "TOPIC",
    "KICK",    "KILL",   "INVITE", "KEYWORD",   "DCCCHATMESSAGE", "OP",       "DEOP", "VOICE", "DEVOICE"};

// The commands whose events the editor lets a channel pattern test.
constexpr std::array<std::string_view, 16> kChannelFieldCommands = {
    "privmsg", "notice",  "action", "ctcpquery", "ctcpreply", "join", "part",  "mode",
    "topic",   "kick",    "keyword", "dccchatmessage", "op",  "deop", "voice", "devoice"};

template <size_t N>
bool Contains(const std::array<std::string_view, N>& names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// A PRIVMSG or NOTICE whose text starts with 0x01 is a CTCP query or reply;
// its text is what the frame holds, and a query of the word ACTION is the
// action with the rest of its text.
void UnframeCtcp(TMacroEvent& event) {
  if ((event.command != "PRIVMSG" && event.command != "NOTICE") || event.params.empty()) return;
  std::string& text = event.params.back();
  if (text.empty() || text.front() != kCtcpDelimiter) return;
  size_t end = text.find(kCtcpDelimiter, 1);
  text = text.substr(1, end == std::string::npos ? std::string::npos : end - 1);
  event.command = event.command == "PRIVMSG" ? kEventCtcpQuery : kEventCtcpReply;
  if (event.command != kEventCtcpQuery) return;
  std::string_view rest = text;
  if (NextToken(rest) != kEventAction) return;
  event.command = kEventAction;
  text = std::string(rest);
}

void CutJoinModes(std::string& channel) {
  size_t cut = channel.find(kJoinModeDelimiter, 1);
  if (cut != std::string::npos) channel.resize(cut);
}

}  // namespace

std::span<const std::string_view> EditorEventNames() { return kEditorEventNames; }

TMacroEvent MakeMacroEvent(const TIrcMessage& message, std::string_view my_nick) {
  TMacroEvent event;
  event.my_nick = my_nick;
  event.raw = message.raw;
  event.prefix = message.prefix;
  event.nick = message.nick;
  event.user = message.user;
  event.host = message.host;
  event.command = AsciiUpperText(message.command);
  event.numeric = message.numeric;
  event.params = message.params;
  UnframeCtcp(event);
  if (event.command == "JOIN" && !event.params.empty()) CutJoinModes(event.params.front());
  if (IsChannelEvent(event.command) && !event.params.empty()) event.channel = event.params.front();
  if (!event.params.empty()) event.message = event.params.back();
  const std::string& sender = event.command == "NICK" ? message.Param(0) : event.nick;
  event.is_self = sender == my_nick;
  return event;
}

bool IsChannelEvent(std::string_view command) {
  bool numeric = !command.empty() && command.front() >= '0' && command.front() <= '9';
  return numeric || Contains(kChannelEvents, command);
}

bool IsChannelFieldEnabled(std::string_view command_pattern) {
  for (size_t pos = 0; pos < command_pattern.size();) {
    size_t length = SjisCharLength(command_pattern, pos);
    if (length == 1 && std::string_view("|*?").find(command_pattern[pos]) != std::string_view::npos) return true;
    pos += length;
  }
  return command_pattern.empty() || Contains(kChannelFieldCommands, AsciiLowerText(command_pattern));
}

}  // namespace zeph
