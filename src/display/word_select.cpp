#include "display/word_select.h"

#include <vector>

#include "platform/sjis.h"

namespace zeph {
namespace {

constexpr int kLongVowelClass = 7;

struct TCodeRange {
  unsigned first;
  unsigned last;
  int word_class;
};

constexpr TCodeRange kDoubleByteClasses[] = {
    {0x824F, 0x8258, 3}, {0x8260, 0x8279, 3}, {0x8281, 0x829A, 3},  // full-width digits and letters
    {0x829F, 0x82F1, 4},                                            // hiragana
    {0x8340, 0x8396, 5},                                            // katakana
    {0x889F, 0x9872, 6}, {0x989F, 0x9FFC, 6}, {0xE040, 0xEAA4, 6},  // kanji
    {0xED40, 0xEEEC, 6}, {0x8158, 0x8158, 6},                       // more kanji, the repetition mark
    {0x815B, 0x815B, kLongVowelClass},
};

bool IsWordByte(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsDoubleByteClass(int word_class) { return word_class >= 3; }

// Whether a character of class `next` continues a word of class `word`.
bool Joins(int word, int next) {
  if (IsDoubleByteClass(word)) return IsDoubleByteClass(next) && (next == word || next == kLongVowelClass);
  return next == word;
}

}  // namespace

int WordCharClass(std::string_view text, size_t pos) {
  auto lead = static_cast<unsigned char>(text[pos]);
  if (SjisCharLength(text, pos) == 1) {
    if (lead == ' ' || lead == '\t') return 0;
    return IsWordByte(lead) ? 1 : 2;
  }
  unsigned code = (lead << 8) | static_cast<unsigned char>(text[pos + 1]);
  for (const TCodeRange& range : kDoubleByteClasses)
    if (code >= range.first && code <= range.last) return range.word_class;
  return 8;
}

TTextRange WordAt(std::string_view text, size_t pos) {
  if (pos >= text.size()) return {pos, pos};
  std::vector<size_t> starts;
  size_t hit = 0;
  for (size_t p = 0; p < text.size(); p += SjisCharLength(text, p)) {
    if (p <= pos) hit = starts.size();
    starts.push_back(p);
  }
  int word = WordCharClass(text, starts[hit]);
  size_t first = hit;
  while (first > 0 && Joins(word, WordCharClass(text, starts[first - 1]))) --first;
  size_t last = hit;
  while (last + 1 < starts.size() && Joins(word, WordCharClass(text, starts[last + 1]))) ++last;
  size_t end = last + 1 < starts.size() ? starts[last + 1] : text.size();
  return {starts[first], end};
}

}  // namespace zeph
