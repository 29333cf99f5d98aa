#include "display/decoration_tags.h"

#include <array>

#include "display/decoration.h"
#include "display/palette.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

struct TSimpleTag {
  std::string_view tag;
  char code;
};

constexpr std::array<TSimpleTag, 4> kSimpleTags = {{
    {"<bold>", kBoldCode},
    {"<reverse>", kReverseCode},
    {"<underline>", kUnderlineCode},
    {"<stop>", kStopCode},
}};

constexpr std::string_view kColorTagStart = "<color";

// The position of the first of the delimiters at or after pos, stepping
// over double-byte characters whole; npos when there is none.
size_t FindDelimiter(std::string_view text, size_t pos, std::string_view delimiters) {
  while (pos < text.size()) {
    if (delimiters.find(text[pos]) != std::string_view::npos) return pos;
    pos += SjisCharLength(text, pos);
  }
  return std::string_view::npos;
}

void AppendTwoDigits(std::string& out, int number) {
  out += static_cast<char>('0' + number / 10);
  out += static_cast<char>('0' + number % 10);
}

// "<color NAME>" or "<color NAME,NAME>" starting at pos (the "<"). Returns
// the length of the tag, or 0 when the text ends before its closing ">".
size_t ConvertNamedColorTag(std::string_view text, size_t pos, std::string& out) {
  size_t fore_start = pos + kColorTagStart.size() + 1;
  size_t fore_end = FindDelimiter(text, fore_start, ",>");
  if (fore_end == std::string_view::npos) return 0;
  size_t close = fore_end;
  std::string_view back_name;
  bool has_back = text[fore_end] == ',';
  if (has_back) {
    close = FindDelimiter(text, fore_end + 1, ">");
    if (close == std::string_view::npos) return 0;
    back_name = text.substr(fore_end + 1, close - fore_end - 1);
  }
  int fore = ColorIndexFromName(text.substr(fore_start, fore_end - fore_start));
  int back = has_back ? ColorIndexFromName(back_name) : kNoColor;
  out += kColorCode;
  if (fore != kNoColor) {
    AppendTwoDigits(out, fore);
    if (back != kNoColor) {
      out += ',';
      AppendTwoDigits(out, back);
    }
  }
  return close + 1 - pos;
}

// Converts the tag at pos (a "<") and returns its length, or 0 when the
// text there is no tag.
size_t ConvertTag(std::string_view text, size_t pos, std::string& out) {
  std::string_view rest = text.substr(pos);
  for (const TSimpleTag& simple : kSimpleTags) {
    if (rest.starts_with(simple.tag)) {
      out += simple.code;
      return simple.tag.size();
    }
  }
  if (!rest.starts_with(kColorTagStart) || rest.size() == kColorTagStart.size()) return 0;
  char next = rest[kColorTagStart.size()];
  if (next == '>') {
    out += kColorCode;
    return kColorTagStart.size() + 1;
  }
  if (next == ' ') return ConvertNamedColorTag(text, pos, out);
  return 0;
}

}  // namespace

std::string TagsToControlCodes(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t pos = 0;
  while (pos < text.size()) {
    if (text[pos] == '<') {
      if (size_t length = ConvertTag(text, pos, out)) {
        pos += length;
        continue;
      }
    }
    size_t length = SjisCharLength(text, pos);
    out.append(text.substr(pos, length));
    pos += length;
  }
  return out;
}

std::string MakeColorTag(int fore, int back) {
  auto lower_name = [](int index) {
    std::string name(PaletteTagName(index));
    for (char& c : name) c = AsciiLower(c);
    return name;
  };
  bool has_fore = fore >= 0 && fore < kPaletteSize;
  bool has_back = back >= 0 && back < kPaletteSize;
  if (has_back) return "<color " + lower_name(fore) + "," + lower_name(back) + ">";
  if (has_fore) return "<color " + lower_name(fore) + ">";
  return "<color>";
}

}  // namespace zeph
