#include "display/decorated_text.h"

#include <algorithm>

#include "platform/word_scan.h"

namespace zeph {
namespace {

bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// A colour number after 0x03: one or two digits, then a comma with one or
// two digits only when a digit follows the comma. Neither digits nor the
// comma can be the second byte of a double-byte character, so reading them
// byte by byte never splits one.
struct TColorNumber {
  size_t length = 0;  // bytes after the 0x03; 0 when no digit follows
  int fore = -1;
  int back = -1;
};

size_t ReadNumber(std::string_view text, size_t pos, int& number) {
  number = text[pos] - '0';
  if (pos + 1 < text.size() && IsAsciiDigit(text[pos + 1])) {
    number = number * 10 + (text[pos + 1] - '0');
    return 2;
  }
  return 1;
}

TColorNumber ReadColorNumber(std::string_view text, size_t pos) {
  TColorNumber number;
  if (pos >= text.size() || !IsAsciiDigit(text[pos])) return number;
  size_t p = pos + ReadNumber(text, pos, number.fore);
  if (p + 1 < text.size() && text[p] == ',' && IsAsciiDigit(text[p + 1]))
    p += 1 + ReadNumber(text, p + 1, number.back);
  number.length = p - pos;
  return number;
}

void ApplyColor(std::string_view text, size_t& pos, TDecoration& decoration) {
  TColorNumber number = ReadColorNumber(text, pos);
  if (number.length == 0) {
    decoration.has_fore = decoration.has_back = 0;
    decoration.fore = decoration.back = 0;
    return;
  }
  decoration.has_fore = 1;
  decoration.fore = number.fore % 16;
  if (number.back >= 0) {
    decoration.has_back = 1;
    decoration.back = number.back % 16;
  }
  pos += number.length;
}

bool IsToggleOrStop(char c) {
  return c == kBoldCode || c == kUnderlineCode || c == kReverseCode || c == kStopCode;
}

void ApplyToggleOrStop(char c, TDecoration& decoration) {
  switch (c) {
    case kBoldCode: decoration.bold ^= 1; break;
    case kUnderlineCode: decoration.underline ^= 1; break;
    case kReverseCode: decoration.reverse ^= 1; break;
    default: decoration = TDecoration(); break;
  }
}

// The end of the characters from pos on that carry no control byte (nor a
// tab, when tabs are expanded). Every byte looked for is below 0x20 and every
// second byte of a double-byte character is 0x40 or above, so the scan never
// stops inside a character and need not step over them.
size_t PlainSpanEnd(std::string_view text, size_t pos, bool stop_at_tab) {
  for (;;) {
    while (pos + kWordBytes <= text.size() && !HasByteBelow(LoadWord(text, pos), 0x20)) pos += kWordBytes;
    size_t word_end = std::min(pos + kWordBytes, text.size());
    for (; pos < word_end; ++pos) {
      char c = text[pos];
      if (static_cast<unsigned char>(c) >= 0x20) continue;
      if (IsToggleOrStop(c) || c == kColorCode || (stop_at_tab && c == '\t')) return pos;
    }
    if (pos == text.size()) return pos;
  }
}

void Append(TDecodedText& out, std::string_view bytes, TDecoration decoration) {
  if (out.spans.empty() || !(out.spans.back().decoration == decoration))
    out.spans.push_back(TDecorationSpan{out.text.size(), decoration});
  out.text.append(bytes);
}

}  // namespace

TDecoration TDecodedText::DecorationAt(size_t pos) const {
  auto after = std::upper_bound(spans.begin(), spans.end(), pos,
                                [](size_t p, const TDecorationSpan& span) { return p < span.start; });
  return after == spans.begin() ? TDecoration() : std::prev(after)->decoration;
}

void DecodeDecoratedText(std::string_view text, TDecodedText& out, TTabs tabs) {
  out.text.clear();
  out.spans.clear();
  bool expand_tabs = tabs == TTabs::ExpandToFourSpaces;
  TDecoration decoration;
  size_t pos = 0;
  while (pos < text.size()) {
    char c = text[pos];
    if (IsToggleOrStop(c)) {
      ApplyToggleOrStop(c, decoration);
      ++pos;
    } else if (c == kColorCode) {
      ++pos;
      if (pos < text.size()) ApplyColor(text, pos, decoration);
    } else if (c == '\t' && expand_tabs) {
      Append(out, "    ", decoration);
      ++pos;
    } else {
      size_t end = PlainSpanEnd(text, pos, expand_tabs);
      Append(out, text.substr(pos, end - pos), decoration);
      pos = end;
    }
  }
}

std::string StripControlCodes(std::string_view text) {
  std::string out;
  AppendWithoutControlCodes(text, out);
  return out;
}

void AppendWithoutControlCodes(std::string_view text, std::string& out) {
  size_t pos = 0;
  while (pos < text.size()) {
    char c = text[pos];
    if (IsToggleOrStop(c)) {
      ++pos;
    } else if (c == kColorCode) {
      ++pos;
      pos += ReadColorNumber(text, pos).length;
    } else {
      size_t end = PlainSpanEnd(text, pos, false);
      out.append(text.substr(pos, end - pos));
      pos = end;
    }
  }
}

}  // namespace zeph
