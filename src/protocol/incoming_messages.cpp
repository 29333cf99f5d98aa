#include "protocol/incoming_messages.h"

#include "engine/irc_message.h"
#include "protocol/ctcp_frame.h"

namespace zeph {

bool TIncomingMessages::OnPrivmsg(TUnit& unit, TIrcMessage& message) {
  const std::string& text = message.Param(1);
  std::optional<TCtcpFrame> frame = ParseCtcpFrame(text);
  if (!frame) return display_.Show(unit, message, TMessageKind::Privmsg, text);
  if (frame->command == "ACTION") return display_.Show(unit, message, TMessageKind::Action, frame->argument);
  ctcp_.OnQuery(unit, message, *frame);
  return false;
}

bool TIncomingMessages::OnNotice(TUnit& unit, TIrcMessage& message) {
  const std::string& text = message.Param(1);
  std::optional<TCtcpFrame> frame = ParseCtcpFrame(text);
  if (!frame) return display_.Show(unit, message, TMessageKind::Notice, text);
  ctcp_.OnReply(unit, message, *frame);
  return false;
}

}  // namespace zeph
