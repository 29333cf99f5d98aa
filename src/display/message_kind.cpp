#include "display/message_kind.h"

#include "display/message_format.h"

namespace zeph {

int KindCategory(TMessageKind kind) {
  using K = TMessageKind;
  switch (kind) {
    case K::Privmsg: return 0;
    case K::Notice: return 1;
    case K::Action: return 2;
    case K::Join: return 3;
    case K::Part: return 4;
    case K::Quit:
    case K::UserQuit: return 5;
    case K::Kick: return 6;
    case K::Invite: return 7;
    case K::Nick: return 8;
    case K::Mode:
    case K::UserMode:
    case K::ModeReply: return 9;
    case K::Topic:
    case K::TopicReply: return 10;
    case K::CTCPQuery:
    case K::CTCPReply: return 11;
    case K::DCCSend: return 12;
    case K::DCCChat: return 13;
    case K::Error:
    case K::ErrorReply:
    case K::DCCSendFail:
    case K::DCCReceiveFail: return 14;
    case K::System: return 16;
    case K::MacroOutput: return 17;
    default: return 15;
  }
}

bool IsOwnLogEnabled(TMessageKind kind, const TMessageFormat& format) {
  if (kind == TMessageKind::Privmsg) return true;  // the list offers no switch for it
  const TKindFormat* settings = format.FindKind(kind);
  return settings == nullptr || settings->channel_enabled;
}

bool IsConsoleEnabled(TMessageKind kind, const TMessageFormat& format) {
  const TKindFormat* settings = format.FindKind(kind);
  return settings == nullptr || settings->console_enabled;
}

}  // namespace zeph
