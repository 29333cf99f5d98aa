#include "codec/encoding_detect.h"

#include <cstdint>
#include <cstring>

#include "platform/cp932.h"

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

// Eight bytes at a time past bytes that decide nothing: 7-bit and no ESC.
// Every received text is scanned here, and most of it is such bytes.
size_t SkipPlainBytes(std::string_view text, size_t pos) {
  constexpr std::uint64_t kOnes = 0x0101010101010101, kHighBits = 0x8080808080808080;
  for (; pos + 8 <= text.size(); pos += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + pos, 8);
    std::uint64_t esc_zeroed = word ^ (kOnes * kEsc);
    bool has_esc = ((esc_zeroed - kOnes) & ~esc_zeroed & kHighBits) != 0;
    if ((word & kHighBits) != 0 || has_esc) break;
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

}  // namespace zeph
