#include "display/url_detector.h"

#include <oniguruma.h>

#include <algorithm>
#include <array>

#include "display/detector_patterns.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

constexpr bool IsAsciiAlnum(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// A table of the bytes for which in_set holds.
template <typename InSet>
constexpr std::array<bool, 256> ByteTable(InSet in_set) {
  std::array<bool, 256> table{};
  for (int b = 0; b < 256; ++b) table[b] = in_set(static_cast<char>(b));
  return table;
}

// Every character either expression can match. All are ASCII, so none is a
// lead byte, and a run of them that starts on a character boundary never
// holds part of a double-byte character.
constexpr std::array<bool, 256> kUrlBytes = ByteTable([](char c) {
  return IsAsciiAlnum(c) || std::string_view("_-.!~*':@%;/?&=+$,#").find(c) != std::string_view::npos;
});
constexpr std::array<bool, 256> kAddressBytes =
    ByteTable([](char c) { return IsAsciiAlnum(c) || c == '.' || c == '-'; });

bool IsUrlByte(char c) { return kUrlBytes[static_cast<unsigned char>(c)]; }

// Every URL contains "://".
bool MayHoldUrl(std::string_view text) { return text.find("://") != std::string_view::npos; }

// Every address holds at least two dots with an ASCII letter or digit on
// both sides: after each label before the top-level name (there are two or
// more), or between the four numbers of an IPv4 address. Checking the bytes
// alone over-approximates, which is all a quick rejection needs.
bool MayHoldAddress(std::string_view text) {
  int dots = 0;
  for (size_t dot = text.find('.', 1); dot != std::string_view::npos && dot + 1 < text.size();
       dot = text.find('.', dot + 1)) {
    if (IsAsciiAlnum(text[dot - 1]) && IsAsciiAlnum(text[dot + 1]) && ++dots == 2) return true;
  }
  return false;
}

struct TDetectorKind {
  const std::array<bool, 256>& in_set;
  bool (*may_hold)(std::string_view);
  bool skip_followed_by_alnum;
};

const TDetectorKind kUrl = {kUrlBytes, MayHoldUrl, false};
const TDetectorKind kAddress = {kAddressBytes, MayHoldAddress, true};

// The text up to TUrlDetector::kMaxScannedBytes, not cutting a double-byte
// character.
std::string_view Capped(std::string_view text) {
  if (text.size() <= TUrlDetector::kMaxScannedBytes) return text;
  size_t pos = 0;
  while (pos + SjisCharLength(text, pos) <= TUrlDetector::kMaxScannedBytes) pos += SjisCharLength(text, pos);
  return text.substr(0, pos);
}

// Calls found(match) for every match at or after from, left to right, each
// search starting where the previous match ended, until found returns false.
//
// A match never reaches beyond a run of characters of the kind's set, so
// each run is searched on its own, as a text of its own: the expressions see
// no byte outside it. Searching a run alone finds exactly what searching the
// whole text finds there (the expressions look neither behind nor ahead),
// and a lead byte standing alone before a run (which Oniguruma would pair
// with the run's first byte) stays outside it, as the program's Shift_JIS
// rule has it. A search that runs into the expression's limits ends the
// whole scan: a text that costs that much holds no more matches for us.
template <typename Found>
void ScanMatches(const TOnigRegex& regex, const TDetectorKind& kind, std::string_view text, size_t from,
                 Found found) {
  if (from >= text.size() || !kind.may_hold(text.substr(from))) return;
  std::string_view searched = Capped(text);
  size_t pos = 0;
  while (pos < searched.size()) {
    size_t length = SjisCharLength(searched, pos);
    if (length == 2 || !kind.in_set[static_cast<unsigned char>(searched[pos])]) {
      pos += length;
      continue;
    }
    size_t run_start = pos;
    while (pos < searched.size() && kind.in_set[static_cast<unsigned char>(searched[pos])]) ++pos;
    if (pos <= from) continue;
    size_t offset = std::max(run_start, from);
    std::string_view run = searched.substr(offset, pos - offset);
    if (!kind.may_hold(run)) continue;
    for (size_t start = 0; start < run.size();) {
      bool aborted = false;
      std::optional<TTextRange> match = regex.Search(run, start, &aborted);
      if (aborted) return;
      if (!match) break;
      // A run holds single-byte characters only, so an empty match moves on
      // by one byte.
      start = match->end > match->start ? match->end : match->start + 1;
      TTextRange in_text{offset + match->start, offset + match->end};
      bool followed_by_alnum = in_text.end < text.size() && IsAsciiAlnum(text[in_text.end]);
      if (kind.skip_followed_by_alnum && followed_by_alnum) continue;
      if (!found(in_text)) return;
    }
  }
}

std::optional<TTextRange> FirstMatch(const TOnigRegex& regex, const TDetectorKind& kind, std::string_view text,
                                     size_t from) {
  std::optional<TTextRange> first;
  ScanMatches(regex, kind, text, from, [&](const TTextRange& match) {
    first = match;
    return false;
  });
  return first;
}

void AllMatches(const TOnigRegex& regex, const TDetectorKind& kind, std::string_view text,
                std::vector<TTextRange>& out) {
  ScanMatches(regex, kind, text, 0, [&](const TTextRange& match) {
    out.push_back(match);
    return true;
  });
}

}  // namespace

TUrlDetector::TUrlDetector()
    : url_(UrlPattern(), ONIG_OPTION_CAPTURE_GROUP),
      // Case folding stays ASCII-only, like everywhere else in the program.
      address_(AddressPattern(), ONIG_OPTION_CAPTURE_GROUP | ONIG_OPTION_IGNORECASE | ONIG_OPTION_IGNORECASE_IS_ASCII) {}

const TUrlDetector& TUrlDetector::Shared() {
  static const TUrlDetector detector;
  return detector;
}

std::optional<TTextRange> TUrlDetector::FindUrl(std::string_view text, size_t start) const {
  return FirstMatch(url_, kUrl, text, start);
}

std::optional<TTextRange> TUrlDetector::FindAddress(std::string_view text, size_t start) const {
  return FirstMatch(address_, kAddress, text, start);
}

void TUrlDetector::FindAllUrls(std::string_view text, std::vector<TTextRange>& out) const {
  AllMatches(url_, kUrl, text, out);
}

void TUrlDetector::FindAllAddresses(std::string_view text, std::vector<TTextRange>& out) const {
  AllMatches(address_, kAddress, text, out);
}

bool TUrlDetector::StartsWithUrl(std::string_view text) const {
  std::string_view searched = Capped(text);
  size_t run_end = 0;
  while (run_end < searched.size() && IsUrlByte(searched[run_end])) ++run_end;
  std::string_view run = searched.substr(0, run_end);
  if (!MayHoldUrl(run)) return false;
  std::optional<size_t> length = url_.MatchAt(run, 0);
  return length && *length > 0;
}

}  // namespace zeph
