#include "codec/encoding_detect.h"

#include <cstdint>

#include "platform/cp932.h"
#include "platform/word_scan.h"

namespace zeph {
namespace {

constexpr unsigned char kEsc = 0x1B;
constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

bool IsDesignation(std::string_view text, size_t pos) {
  return pos + 1 < text.size() && (text[pos + 1] == '(' || text[pos + 1] == '$');
}

// Reads the UTF-8 sequence at text[*pos] and moves past it; false when it is
// not well-formed. The strict reader marks a bad sequence with U+FFFD, so
// only a U+FFFD written out in full is a character of its own.
bool ReadUtf8Sequence(std::string_view text, size_t* pos) {
  size_t start = *pos;
  return cp932::NextUtf8(text, pos) != 0xFFFD || text.substr(start, *pos - start) == kReplacementCharacter;
}

// A word at a time past bytes that decide nothing: 7-bit and no ESC.
// Every received text is scanned here, and most of it is such bytes.
size_t SkipPlainBytes(std::string_view text, size_t pos) {
  for (; pos + kWordBytes <= text.size(); pos += kWordBytes) {
    std::uint64_t word = LoadWord(text, pos);
    if (HasByteAbove(word, 0x7F) || HasByte(word, kEsc)) break;
  }
  return pos;
}

}  // namespace

TDetection DetectEncoding(std::string_view text) {
  TDetection found;
  bool broken = false;
  size_t pos = 0;
  while ((pos = SkipPlainBytes(text, pos)) < text.size()) {
    auto c = static_cast<unsigned char>(text[pos]);
    if (c < 0x80) {
      if (c == kEsc && IsDesignation(text, pos)) found.designation = true;
      ++pos;
      continue;
    }
    found.eight_bit = true;
    if (broken) {
      ++pos;
    } else {
      broken = !ReadUtf8Sequence(text, &pos);
    }
  }
  found.utf8 = found.eight_bit && !broken;
  return found;
}

bool HasDesignation(std::string_view text) {
  constexpr char esc = static_cast<char>(kEsc);
  for (size_t pos = text.find(esc); pos != std::string_view::npos; pos = text.find(esc, pos + 1)) {
    if (IsDesignation(text, pos)) return true;
  }
  return false;
}

}  // namespace zeph
