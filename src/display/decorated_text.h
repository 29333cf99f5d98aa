#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "display/decoration.h"

// Received IRC text with control bytes, taken apart into plain text and the
// decoration of each byte, or stripped for log files.
namespace zeph {

struct TDecodedText {
  std::string text;
  std::vector<TDecoration> decorations;  // exactly one per byte of text
};

enum class TTabs { Keep, ExpandToFourSpaces };

// Decodes into out (cleared first; its buffers are reused, so a caller that
// keeps one TDecodedText decodes without allocating). With
// TTabs::ExpandToFourSpaces every tab byte becomes four spaces carrying the
// tab's decoration, as log lines show them.
void DecodeDecoratedText(std::string_view text, TDecodedText& out, TTabs tabs = TTabs::Keep);

// The text without decoration control bytes and colour numbers.
std::string StripControlCodes(std::string_view text);

}  // namespace zeph
