#pragma once

#include <compare>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "display/text_range.h"

// Finding text in a log: the find dialog's search, the shared search
// highlight, and the matches the view paints. Matches start only between
// characters, so a search never lands on the second byte of a double-byte
// character.
namespace zeph {

// A place in a log: a line index and a byte offset in its text.
struct TLogPos {
  size_t line = 0;
  size_t offset = 0;

  auto operator<=>(const TLogPos&) const = default;
};

struct TLogMatch {
  size_t line = 0;
  TTextRange range;

  bool operator==(const TLogMatch&) const = default;
};

// The text of the line at an index below the line count.
using TLineTextSource = std::function<std::string_view(size_t line)>;

// The first occurrence of `word` in `text` starting at a character boundary
// at or after `from`; none when there is none.
std::optional<size_t> FindWord(std::string_view text, std::string_view word, size_t from = 0);

// Every occurrence, overlapping ones included, as byte ranges.
void FindAllWords(std::string_view text, std::string_view word, std::vector<TTextRange>& out);

// The find dialog's search. Downward it starts at `from` (the selection's
// end; the start of the log without one); upward at `from` (the selection's
// start; the end of the log without one) and takes in each line the last
// occurrence starting before the limit. With wrap it goes on once from the
// other end. Without match case the text and the lines are compared in
// lower case.
std::optional<TLogMatch> FindInLog(size_t count, const TLineTextSource& lines, std::string_view text, bool match_case,
                                   bool downward, bool wrap, std::optional<TLogPos> from);

// The search highlight's step to the next (or previous) match of any of
// `words` (already lower-cased): downward the earliest occurrence in the
// first line from `from` that has one, the first word winning a tie;
// upward the occurrence ending furthest right in the first line back that
// has one before the limit. Wraps once.
std::optional<TLogMatch> FindHighlightInLog(size_t count, const TLineTextSource& lines,
                                            const std::vector<std::string>& words, bool downward,
                                            std::optional<TLogPos> from);

}  // namespace zeph
