#pragma once

#include <ctime>
#include <string>
#include <string_view>

#include "display/message_kind.h"

// How a printed event becomes the four pieces of a log line: time, place,
// nick and body. Their concatenation is the line's text, what a log file
// receives and what copying from a view yields.
namespace zeph {

class TMessageFormat;

// The log a line is composed for.
enum class TLogKind { Unit, Channel, Console };

struct TLineRequest {
  TMessageKind kind = TMessageKind::System;
  TLogKind log = TLogKind::Unit;
  std::time_t time = 0;          // the clock, read once for the line
  std::string_view unit_name;     // the source unit: console places name it
  std::string_view channel_name;  // the channel, talk or DCC chat the line concerns; empty for none
  bool channel_is_talk = false;    // the channel is a talk or a DCC chat, not a channel
  std::string_view nick;         // the sender; empty for none
};

// Named as the fields of TLogLineSource they are handed to.
struct TLinePieces {
  std::string time;
  std::string place;
  std::string nick_piece;
  std::string body;

  std::string Text() const { return time + place + nick_piece + body; }
};

// body is the kind's expanded format, or the message text itself for
// messages and replies; it is taken as it is.
TLinePieces ComposeLine(const TMessageFormat& format, const TLineRequest& request, std::string body);

// The place piece alone: copies of a line into other logs differ from it in
// this piece only.
std::string ComposePlace(const TMessageFormat& format, const TLineRequest& request);

}  // namespace zeph
