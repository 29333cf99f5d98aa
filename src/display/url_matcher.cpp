#include "display/url_matcher.h"

#include <array>

#include "platform/sjis.h"

// The matches are those a backtracking engine gives for
//   (http|https|ftp|ttp|ttps)://[host]+((/[path]*[last])|(/)|())
// (the sets as in the tables below), case-sensitive, leftmost start first:
// - At one position at most one scheme is followed by "://" ("http" and
//   "https" cannot both be), so the order of the schemes never shows.
// - The host run is taken whole. The group after it always matches, its
//   last alternative being empty, so the engine never has to give a host
//   character back.
// - After the host, a "/" starts the first alternative: the path run is
//   taken whole, then given back one character at a time until the last
//   kept one is a [last] character. As every [last] character is also a
//   [path] one, the match ends after the last [last] character of that run.
// - If the run holds none, "(/)" takes the "/" alone; without a "/" the
//   empty alternative ends the match right after the host.
// An engine's search thus costs about one pass over the text, far below the
// retry limits TOnigRegex sets, so it never gives up on a text this finds a
// URL in.
namespace zeph {
namespace {

template <typename InSet>
constexpr std::array<bool, 256> ByteTable(InSet in_set) {
  std::array<bool, 256> table{};
  for (int b = 0; b < 256; ++b) table[b] = in_set(static_cast<char>(b));
  return table;
}

constexpr bool IsAsciiAlnum(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

constexpr bool IsOneOf(char c, std::string_view set) { return set.find(c) != std::string_view::npos; }

constexpr std::array<bool, 256> kHostBytes =
    ByteTable([](char c) { return IsAsciiAlnum(c) || IsOneOf(c, "_-.!~*':@%"); });
constexpr std::array<bool, 256> kPathBytes =
    ByteTable([](char c) { return IsAsciiAlnum(c) || IsOneOf(c, "_-.!~*'%;/?:@&=+$,#"); });
constexpr std::array<bool, 256> kLastPathBytes =
    ByteTable([](char c) { return IsAsciiAlnum(c) || IsOneOf(c, "_-/?"); });

constexpr std::string_view kSchemeEnd = "://";
// Schemes are 3 to 5 letters long.
constexpr size_t kShortestScheme = 3;
constexpr size_t kLongestScheme = 5;

bool In(const std::array<bool, 256>& set, char c) { return set[static_cast<unsigned char>(c)]; }

size_t SpanEnd(const std::array<bool, 256>& set, std::string_view text, size_t pos) {
  while (pos < text.size() && In(set, text[pos])) ++pos;
  return pos;
}

// The length of the scheme and "://" at pos, or 0.
size_t SchemeLength(std::string_view text, size_t pos) {
  for (std::string_view scheme : {"http", "https", "ftp", "ttp", "ttps"}) {
    std::string_view rest = text.substr(pos);
    if (rest.starts_with(scheme) && rest.substr(scheme.size()).starts_with(kSchemeEnd))
      return scheme.size() + kSchemeEnd.size();
  }
  return 0;
}

// A byte outside the lead range always ends a character, and lead-range
// bytes after it pair up (each is a valid second byte too). So a letter at
// pos (a valid second byte as well) starts a character when an even number
// of lead-range bytes stands right before it.
bool StartsLetterCharacter(std::string_view text, size_t pos) {
  size_t first = pos;
  while (first > 0 && IsSjisLead(static_cast<unsigned char>(text[first - 1]))) --first;
  return (pos - first) % 2 == 0;
}

}  // namespace

std::optional<size_t> UrlEndAt(std::string_view text, size_t pos) {
  if (pos > text.size()) return std::nullopt;
  size_t scheme = SchemeLength(text, pos);
  if (scheme == 0) return std::nullopt;
  size_t host = pos + scheme;
  size_t host_end = SpanEnd(kHostBytes, text, host);
  if (host_end == host) return std::nullopt;
  if (host_end == text.size() || text[host_end] != '/') return host_end;
  size_t path = host_end + 1;
  for (size_t end = SpanEnd(kPathBytes, text, path); end > path; --end) {
    if (In(kLastPathBytes, text[end - 1])) return end;
  }
  return path;
}

// Every URL holds "://", with its scheme right before it, so the search
// jumps from one "://" to the next and tries the few places a scheme could
// start, leftmost first. Those of an earlier "://" all lie before those of a
// later one, as a scheme holds letters only.
std::optional<TTextRange> SearchUrl(std::string_view text, size_t start) {
  for (size_t mark = text.find(kSchemeEnd, start + kShortestScheme); mark != std::string_view::npos;
       mark = text.find(kSchemeEnd, mark + kSchemeEnd.size())) {
    size_t first = mark >= start + kLongestScheme ? mark - kLongestScheme : start;
    for (size_t pos = first; pos + kShortestScheme <= mark; ++pos) {
      std::optional<size_t> end = UrlEndAt(text, pos);
      if (end && StartsLetterCharacter(text, pos)) return TTextRange{pos, *end};
    }
  }
  return std::nullopt;
}

}  // namespace zeph
