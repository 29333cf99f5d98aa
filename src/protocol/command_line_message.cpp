#include "protocol/command_line_message.h"

#include <vector>

#include "engine/irc_message.h"
#include "engine/irc_text.h"
#include "engine/world.h"
#include "platform/sjis.h"
#include "protocol/message_split.h"

namespace zeph {
namespace {

// The longest host name a server shows in a prefix.
constexpr size_t kMaxHostLength = 63;

TMessageKind KindOf(TUnit::TMessageType type) {
  switch (type) {
    case TUnit::TMessageType::Notice: return TMessageKind::Notice;
    case TUnit::TMessageType::Action: return TMessageKind::Action;
    default: return TMessageKind::Privmsg;
  }
}

const char* EventCommand(TUnit::TMessageType type) {
  switch (type) {
    case TUnit::TMessageType::Notice: return "NOTICE";
    case TUnit::TMessageType::Action: return "ACTION";
    default: return "PRIVMSG";
  }
}

// Until our own JOIN shows how the server writes us, count the longest
// prefix it may use: an unverified "~" user name and a host of the
// greatest length.
size_t OwnOverhead(const TUnit& unit, const std::string& target, TUnit::TMessageType type) {
  std::string user = unit.OwnUser().empty() ? "~" + unit.Config().username : unit.OwnUser();
  std::string host = unit.OwnHost().empty() ? std::string(kMaxHostLength, 'x') : unit.OwnHost();
  bool action = type == TUnit::TMessageType::Action;
  const char* command = type == TUnit::TMessageType::Notice ? "NOTICE" : "PRIVMSG";
  return RelayOverhead(unit.Wire(), unit.Nick(), user, host, command, target, action);
}

void RaiseOwnEvent(TUnit& unit, const std::string& command, const std::string& target, const std::string& text) {
  TWorld& world = unit.World();
  if (world.macros_stopped) return;
  TIrcMessage event;
  event.nick = unit.Nick();
  event.user = unit.OwnUser();
  event.host = unit.OwnHost();
  event.prefix = event.nick + "!" + event.user + "@" + event.host;
  event.command = command;
  event.params = {target, text};
  world.Macros().OnProgramEvent(unit, event);
}

// Each name of the list that is one of our targets gets the line; the
// others share one line in the unit log.
void PrintOwnLine(TUnit& unit, const std::string& targets, TMessageKind kind, const std::string& text) {
  std::string shown = WireRoundTrip(unit, text);
  std::string names = targets;
  std::string elsewhere;
  while (!names.empty()) {
    std::string name = NextField(names, ',');
    if (name.empty()) continue;
    if (TChannel* target = unit.FindTarget(name)) {
      unit.PrintToChannel(*target, kind, unit.Nick(), shown);
    } else {
      elsewhere += elsewhere.empty() ? name : "," + name;
    }
  }
  if (!elsewhere.empty()) unit.PrintToUnit(kind, unit.Nick(), shown, elsewhere);
}

void ReportUnsent(TUnit& unit, const std::string& targets, const std::string& unsent) {
  std::string text = Sjis("一行に収まらないため送信できませんでした: ") + unsent;
  std::string names = targets;
  TChannel* target = unit.FindTarget(NextField(names, ','));
  if (target) {
    unit.PrintSystem(text, target);
  } else {
    unit.PrintSystem(text);
  }
}

}  // namespace

std::string WireRoundTrip(const TUnit& unit, const std::string& text) {
  TWireEncoding wire = unit.Wire();
  if (wire.session_encoding == kEncodingUtf8 || wire.kana_method != 0) return text;
  return wire.Decode(wire.Encode(text));
}

void SendOwnMessage(TUnit& unit, const std::string& target, const std::string& text, TUnit::TMessageType type,
                    bool raise_events) {
  if (target.empty() || text.empty()) return;
  TMessagePieces split = SplitMessage(text, unit.Wire(), OwnOverhead(unit, target, type));
  // Targets are looked up by name for every piece: a macro run by the
  // event of one piece may have closed one of them.
  for (const std::string& piece : split.pieces) {
    unit.SendMessage(target, piece, type);
    PrintOwnLine(unit, target, KindOf(type), piece);
    if (raise_events) RaiseOwnEvent(unit, EventCommand(type), target, piece);
  }
  if (!split.unsent.empty()) ReportUnsent(unit, target, split.unsent);
}

bool SendOwnChatLine(TUnit& unit, TChannel& chat, const std::string& text, TUnit::TMessageType type,
                     bool raise_events) {
  if (!unit.World().Dcc().SendChatLine(unit, chat, text)) return false;
  std::string name = chat.Name();
  unit.PrintToChannel(chat, KindOf(type), unit.Nick(), WireRoundTrip(unit, text));
  if (raise_events) RaiseOwnEvent(unit, "DCCCHATMESSAGE", name, text);
  return true;
}

}  // namespace zeph
