#include "display/log_search.h"

#include <cstring>

#include "platform/sjis.h"

namespace zeph {
namespace {

bool MatchesAt(std::string_view text, size_t pos, std::string_view word) {
  return text.size() - pos >= word.size() && std::memcmp(text.data() + pos, word.data(), word.size()) == 0;
}

// What one line offers to a search: the match in the line's (folded) text
// that starts at or after `from` (downward) or before `limit` (upward).
using TLineSearch = std::function<std::optional<TTextRange>(std::string_view text, size_t from, size_t limit)>;

// Walks the lines from `from` in one direction, then once more from the
// other end when `wrap` is on, down to the line it started from.
std::optional<TLogMatch> WalkLines(size_t count, const TLineTextSource& lines, bool downward, bool wrap,
                                   TLogPos from, const TLineSearch& search) {
  if (count == 0) return std::nullopt;
  constexpr size_t kNoLimit = static_cast<size_t>(-1);
  if (downward) {
    for (size_t line = from.line; line < count; ++line) {
      size_t start = line == from.line ? from.offset : 0;
      if (auto range = search(lines(line), start, kNoLimit)) return TLogMatch{line, *range};
    }
    if (!wrap) return std::nullopt;
    for (size_t line = 0; line < count && line <= from.line; ++line)
      if (auto range = search(lines(line), 0, kNoLimit)) return TLogMatch{line, *range};
    return std::nullopt;
  }
  size_t first = from.line < count ? from.line : count - 1;
  for (size_t line = first + 1; line-- > 0;) {
    size_t limit = line == from.line ? from.offset : kNoLimit;
    if (auto range = search(lines(line), 0, limit)) return TLogMatch{line, *range};
  }
  if (!wrap) return std::nullopt;
  for (size_t line = count; line-- > first;)
    if (auto range = search(lines(line), 0, kNoLimit)) return TLogMatch{line, *range};
  return std::nullopt;
}

}  // namespace

std::optional<size_t> FindWord(std::string_view text, std::string_view word, size_t from) {
  if (word.empty()) return std::nullopt;
  for (size_t pos = 0; pos < text.size(); pos += SjisCharLength(text, pos))
    if (pos >= from && MatchesAt(text, pos, word)) return pos;
  return std::nullopt;
}

void FindAllWords(std::string_view text, std::string_view word, std::vector<TTextRange>& out) {
  if (word.empty()) return;
  for (size_t pos = 0; pos < text.size(); pos += SjisCharLength(text, pos))
    if (MatchesAt(text, pos, word)) out.push_back({pos, pos + word.size()});
}

std::optional<TLogMatch> FindInLog(size_t count, const TLineTextSource& lines, std::string_view text, bool match_case,
                                   bool downward, bool wrap, std::optional<TLogPos> from) {
  if (text.empty()) return std::nullopt;
  std::string word(text);
  if (!match_case) word = AsciiLowerText(word);
  std::string folded;
  auto search = [&](std::string_view line, size_t start, size_t limit) -> std::optional<TTextRange> {
    if (!match_case) {
      folded = AsciiLowerText(line);
      line = folded;
    }
    if (downward) {
      auto pos = FindWord(line, word, start);
      if (pos) return TTextRange{*pos, *pos + word.size()};
      return std::nullopt;
    }
    std::optional<TTextRange> last;
    for (auto pos = FindWord(line, word); pos && *pos < limit; pos = FindWord(line, word, *pos + 1))
      last = TTextRange{*pos, *pos + word.size()};
    return last;
  };
  TLogPos start = from.value_or(downward ? TLogPos{0, 0} : TLogPos{count, 0});
  return WalkLines(count, lines, downward, wrap, start, search);
}

std::optional<TLogMatch> FindHighlightInLog(size_t count, const TLineTextSource& lines,
                                            const std::vector<std::string>& words, bool downward,
                                            std::optional<TLogPos> from) {
  std::string folded;
  std::vector<TTextRange> found;
  auto search = [&](std::string_view line, size_t start, size_t limit) -> std::optional<TTextRange> {
    folded = AsciiLowerText(line);
    std::optional<TTextRange> best;
    for (const std::string& word : words) {
      found.clear();
      FindAllWords(folded, word, found);
      for (const TTextRange& range : found) {
        if (downward ? range.start < start : range.start >= limit) continue;
        bool better = !best || (downward ? range.start < best->start : range.end > best->end);
        if (better) best = range;
      }
    }
    return best;
  };
  TLogPos start = from.value_or(downward ? TLogPos{0, 0} : TLogPos{count, 0});
  return WalkLines(count, lines, downward, true, start, search);
}

}  // namespace zeph
