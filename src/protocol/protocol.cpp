#include "protocol/protocol.h"

#include "engine/irc_message.h"
#include "engine/mode_letters.h"
#include "engine/unit.h"
#include "engine/world.h"

namespace zeph {
TProtocol::TProtocol(TWorld& world)
    : world_(world), numerics_(world), incoming_(world), events_(world, numerics_) {}

// Numerics have a table of their own.
const TProtocol::TRoute TProtocol::kRoutes[] = {
    {"PRIVMSG", &Message<&TIncomingMessages::OnPrivmsg>},
    {"NOTICE", &Message<&TIncomingMessages::OnNotice>},
    {"JOIN", &Event<&TChannelEvents::OnJoin>},
    {"PART", &Event<&TChannelEvents::OnPart>},
    {"QUIT", &Event<&TChannelEvents::OnQuit>},
    {"KICK", &Event<&TChannelEvents::OnKick>},
    {"NICK", &Event<&TChannelEvents::OnNick>},
    {"MODE", &Event<&TChannelEvents::OnMode>},
    {"TOPIC", &Event<&TChannelEvents::OnTopic>},
    {"INVITE", &Event<&TChannelEvents::OnInvite>},
    {"PING", &Event<&TChannelEvents::OnPing>},
    {"ERROR", &Event<&TChannelEvents::OnError>},
    {"WALLOPS", &Event<&TChannelEvents::OnWallops>},
    {"KILL", &Event<&TChannelEvents::OnKill>},
};

TProtocol::THandler TProtocol::HandlerOf(const TIrcMessage& m) {
  if (m.numeric > 0) return &Numeric;
  for (const TRoute& route : kRoutes) {
    if (route.command == m.command) return route.handler;
  }
  return nullptr;
}

void TProtocol::OnReceived(TUnit& unit, TIrcMessage& message) {
  bool keyword = false;
  if (THandler handler = HandlerOf(message)) keyword = handler(*this, unit, message);
  OfferToMacros(unit, message, keyword);
}

void TProtocol::OfferToMacros(TUnit& unit, const TIrcMessage& message, bool keyword) {
  if (world_.macros_stopped) return;
  unit.RaiseMacroEvent(message);
  if (keyword) {
    TIrcMessage event = message;
    event.command = "KEYWORD";
    unit.RaiseMacroEvent(event);
  }
  if (message.command != "MODE") return;
  // Operator and voice changes are events of their own, one per nick.
  std::string modes = message.JoinParams(1);
  for (const TModeLetter& mode : ModeLetters(modes, TModeWords::kAll)) {
    if (mode.letter != 'o' && mode.letter != 'v') continue;
    TIrcMessage event = message;
    event.params = {message.Param(0), std::string(mode.argument)};
    event.command = mode.letter == 'o' ? (mode.plus ? "OP" : "DEOP") : (mode.plus ? "VOICE" : "DEVOICE");
    unit.RaiseMacroEvent(event);
  }
}

}  // namespace zeph
