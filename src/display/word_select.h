#pragma once

#include <string_view>

#include "display/text_range.h"

// The word a double click selects in a log line's text (Shift_JIS).
namespace zeph {

// The class of the character starting at text[pos]. Single-byte: 0 space or
// tab, 1 letter, digit or "_", 2 anything else. Double-byte: 3 full-width
// digits and letters, 4 hiragana, 5 katakana, 6 kanji (and the repetition
// mark), 7 the long vowel mark, 8 anything else.
int WordCharClass(std::string_view text, size_t pos);

// The word holding the byte at pos: the neighbouring characters of its
// class (the long vowel mark joins any double-byte word); single- and
// double-byte characters never join. Empty at or past the end.
TTextRange WordAt(std::string_view text, size_t pos);

}  // namespace zeph
