#pragma once

#include <optional>
#include <string>
#include <string_view>

// CTCP messages travel inside the text of PRIVMSG (queries) and NOTICE
// (replies), framed by the byte 0x01.
namespace zeph {

inline constexpr char kCtcpDelimiter = '\x01';

struct TCtcpFrame {
  std::string command;   // the first word, ASCII letters upper-cased; may be empty
  std::string argument;  // the rest, leading blanks removed
};

// The CTCP message a text carries, when it starts with 0x01. The frame ends
// at the next 0x01 or, when a peer left it open, at the end of the text.
// Only the first frame of a text counts: whatever follows its closing 0x01,
// further frames included, is dropped, so one line can never make us answer
// more than once.
std::optional<TCtcpFrame> ParseCtcpFrame(std::string_view text);

}  // namespace zeph
