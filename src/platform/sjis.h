#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Shift_JIS is the program's internal text. Every byte scan steps over
// double-byte characters whole by the one rule below.
namespace zeph {

inline bool IsSjisLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
inline bool IsSjisTrail(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// No byte of text has the high bit set: it reads the same in every encoding
// the program speaks.
inline bool IsSevenBit(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// The length of the character at text[pos]: 2 for a lead byte followed by a
// valid trail byte; 1 otherwise, also for a lead byte at the very end.
inline size_t SjisCharLength(std::string_view text, size_t pos) {
  if (pos + 1 < text.size() && IsSjisLead(static_cast<unsigned char>(text[pos])) &&
      IsSjisTrail(static_cast<unsigned char>(text[pos + 1])))
    return 2;
  return 1;
}

// The longest start of a text of at most `limit` bytes that ends between
// characters.
std::string_view CutSjis(std::string_view text, size_t limit);

// ASCII-only case folding; never the C locale's, which could touch the
// bytes of double-byte characters.
inline char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }
inline char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

// Changes every single-byte character of a text by a byte rule (AsciiUpper,
// the IRC case mapping); double-byte characters keep their bytes, so a
// second byte that looks like a letter is never folded. A 7-bit byte is
// always a character of its own: names, folded for every look-up, mostly
// are nothing else.
template <class Rule>
void FoldSingleByteChars(std::string& text, Rule rule) {
  for (size_t pos = 0; pos < text.size();) {
    if (static_cast<unsigned char>(text[pos]) < 0x80) {
      text[pos] = rule(text[pos]);
      ++pos;
      continue;
    }
    size_t length = SjisCharLength(text, pos);
    if (length == 1) text[pos] = rule(text[pos]);
    pos += length;
  }
}

// The text with its ASCII letters raised or lowered, double-byte characters
// kept whole. FoldAsciiUpper reuses the storage of out, for scans that fold
// every line they see.
void FoldAsciiUpper(std::string_view text, std::string& out);
std::string AsciiUpperText(std::string_view text);
std::string AsciiLowerText(std::string_view text);

// The program's own message texts are written in the source as UTF-8 and
// converted here once: Sjis("接続は拒否されました") is the internal text.
const std::string& Sjis(std::string_view utf8);

}  // namespace zeph
