#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "display/decoration.h"

// Received IRC text with control bytes, taken apart into plain text and the
// decoration of each byte, or stripped for log files.
namespace zeph {

// Where a decoration starts; it holds up to the next span's start.
struct TDecorationSpan {
  size_t start = 0;
  TDecoration decoration;
};

// The decorations are kept as spans, not one per byte: a line carries only a
// few changes, and its runs are built from them.
struct TDecodedText {
  std::string text;
  // Cover text from 0 when it is not empty; neighbours differ.
  std::vector<TDecorationSpan> spans;

  TDecoration DecorationAt(size_t pos) const;
};

enum class TTabs { Keep, ExpandToFourSpaces };

// Decodes into out (cleared first; its buffers are reused, so a caller that
// keeps one TDecodedText decodes without allocating). With
// TTabs::ExpandToFourSpaces every tab byte becomes four spaces carrying the
// tab's decoration, as log lines show them.
void DecodeDecoratedText(std::string_view text, TDecodedText& out, TTabs tabs = TTabs::Keep);

// The text without decoration control bytes and colour numbers.
std::string StripControlCodes(std::string_view text);
// The same appended to out.
void AppendWithoutControlCodes(std::string_view text, std::string& out);

}  // namespace zeph
