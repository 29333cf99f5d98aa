#include "display/line_composition.h"

#include "display/message_format.h"

namespace zeph {
namespace {

bool IsMessageKind(TMessageKind kind) {
  return kind == TMessageKind::Privmsg || kind == TMessageKind::Notice || kind == TMessageKind::Action;
}

std::string PlacePiece(const TMessageFormat& format, const TLineRequest& request) {
  bool concernsChannel = !request.channelName.empty();
  switch (request.log) {
    case TLogKind::Unit:
      return concernsChannel ? format.FormatChannelPrefix(request.channelName) : std::string();
    case TLogKind::Channel:
      // A talk's log needs no reminder of where it is; a channel's only
      // when the user asks for it, and then on messages alone.
      if (format.enableChannelInChannelLog && concernsChannel && !request.channelIsTalk &&
          IsMessageKind(request.kind))
        return format.FormatChannelPrefix(request.channelName);
      return {};
    case TLogKind::Console:
      return concernsChannel ? format.FormatUnitChannelPrefix(request.unitName, request.channelName)
                             : format.FormatUnitPrefix(request.unitName);
  }
  return {};
}

}  // namespace

TLinePieces ComposeLine(const TMessageFormat& format, const TLineRequest& request, std::string body) {
  TLinePieces pieces;
  pieces.time = format.FormatTime(request.time);
  pieces.place = PlacePiece(format, request);
  if (IsMessageKind(request.kind) && !request.nick.empty()) pieces.nickPiece = format.FormatNickPrefix(request.nick);
  pieces.body = std::move(body);
  return pieces;
}

}  // namespace zeph
