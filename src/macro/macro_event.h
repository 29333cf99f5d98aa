#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

// The events macros react to: received messages named by their command,
// and the events the program derives or raises itself.
namespace zeph {

struct TIrcMessage;

// Event names the program offers besides the received commands.
inline constexpr std::string_view kEventKeyword = "KEYWORD";  // a received message that hit a keyword
inline constexpr std::string_view kEventOp = "OP";            // one +o of a channel MODE
inline constexpr std::string_view kEventDeop = "DEOP";        // one -o
inline constexpr std::string_view kEventVoice = "VOICE";      // one +v
inline constexpr std::string_view kEventDevoice = "DEVOICE";  // one -v
inline constexpr std::string_view kEventDccChatMessage = "DCCCHATMESSAGE";
// Names the matching gives to PRIVMSG and NOTICE texts framed by 0x01.
inline constexpr std::string_view kEventCtcpQuery = "CTCPQUERY";
inline constexpr std::string_view kEventCtcpReply = "CTCPREPLY";
inline constexpr std::string_view kEventAction = "ACTION";

// The event names the item editor offers, in its order (any other command
// name, a numeric included, may be typed).
std::span<const std::string_view> EditorEventNames();

// One event as the macros see it, normalized.
struct TMacroEvent {
  std::string my_nick;  // the unit's nick when the event was offered
  std::string raw;
  std::string prefix;
  std::string nick;
  std::string user;
  std::string host;
  std::string command;  // upper-cased; CTCPQUERY, CTCPREPLY or ACTION for CTCP texts
  int numeric = 0;
  std::vector<std::string> params;
  std::string channel;  // the first parameter for channel events, else empty
  std::string message;  // the last parameter; for CTCP the framed text
  bool is_self = false;  // the event is our own (for NICK: the new nick is ours)
};

// The event of a message and the unit's current nick: the command is
// upper-cased, CTCP texts are unframed and named, a JOIN's channel loses
// the modes some servers append after 0x07, and the channel, message and
// self flag are set.
TMacroEvent MakeMacroEvent(const TIrcMessage& message, std::string_view my_nick);

// Whether the event names a channel in its first parameter: numerics and
// PRIVMSG, NOTICE, ACTION, CTCPQUERY, CTCPREPLY, JOIN, PART, MODE, TOPIC,
// KICK, KILL, INVITE, KEYWORD, DCCCHATMESSAGE, OP, DEOP, VOICE, DEVOICE.
bool IsChannelEvent(std::string_view command);

// Whether the item editor enables the channel field for a command pattern:
// when the pattern may name a channel event.
bool IsChannelFieldEnabled(std::string_view command_pattern);

}  // namespace zeph
