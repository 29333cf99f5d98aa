#include "display/line_composition.h"

#include "display/message_format.h"

namespace zeph {
namespace {

bool IsMessageKind(TMessageKind kind) {
  return kind == TMessageKind::Privmsg || kind == TMessageKind::Notice || kind == TMessageKind::Action;
}

}  // namespace

std::string ComposePlace(const TMessageFormat& format, const TLineRequest& request) {
  bool concerns_channel = !request.channel_name.empty();
  switch (request.log) {
    case TLogKind::Unit:
      return concerns_channel ? format.FormatChannelPrefix(request.channel_name) : std::string();
    case TLogKind::Channel:
      // A talk's log needs no reminder of where it is; a channel's only
      // when the user asks for it, and then on messages alone.
      if (format.enable_channel_in_channel_log && concerns_channel && !request.channel_is_talk &&
          IsMessageKind(request.kind))
        return format.FormatChannelPrefix(request.channel_name);
      return {};
    case TLogKind::Console:
      return concerns_channel ? format.FormatUnitChannelPrefix(request.unit_name, request.channel_name)
                             : format.FormatUnitPrefix(request.unit_name);
  }
  return {};
}

TLinePieces ComposeLine(const TMessageFormat& format, const TLineRequest& request, std::string body) {
  TLinePieces pieces;
  pieces.time = format.FormatTime(request.time);
  pieces.place = ComposePlace(format, request);
  if (IsMessageKind(request.kind) && !request.nick.empty()) pieces.nick_piece = format.FormatNickPrefix(request.nick);
  pieces.body = std::move(body);
  return pieces;
}

}  // namespace zeph
