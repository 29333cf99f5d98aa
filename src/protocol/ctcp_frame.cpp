#include "protocol/ctcp_frame.h"

#include "platform/sjis.h"

namespace zeph {

std::optional<TCtcpFrame> ParseCtcpFrame(std::string_view text) {
  if (text.empty() || text.front() != kCtcpDelimiter) return std::nullopt;
  text.remove_prefix(1);
  // 0x01 and the blank are below every second byte of a double-byte
  // character, so plain searches cannot stop inside one.
  text = text.substr(0, text.find(kCtcpDelimiter));

  size_t blank = text.find(' ');
  std::string_view command = text.substr(0, blank);
  std::string_view argument = blank == std::string_view::npos ? std::string_view() : text.substr(blank);
  size_t start = argument.find_first_not_of(' ');
  argument = start == std::string_view::npos ? std::string_view() : argument.substr(start);

  TCtcpFrame frame;
  FoldAsciiUpper(command, frame.command);
  frame.argument = argument;
  return frame;
}

}  // namespace zeph
