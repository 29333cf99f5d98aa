#include "display/url_detector.h"

#include <oniguruma.h>

#include <algorithm>

#include "display/address_pattern.h"
#include "display/url_matcher.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

constexpr bool IsAsciiAlnum(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Every character the address expression can match. All are ASCII, so
// none is a lead byte, and a run of them that starts on a character boundary
// never holds part of a double-byte character.
bool IsAddressByte(char c) { return IsAsciiAlnum(c) || c == '.' || c == '-'; }

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

// The text up to TUrlDetector::kMaxScannedBytes, not cutting a double-byte
// character.
std::string_view Capped(std::string_view text) {
  return text.size() <= TUrlDetector::kMaxScannedBytes ? text : CutSjis(text, TUrlDetector::kMaxScannedBytes);
}

// Calls found(address) for every address at or after from, left to right,
// each search starting where the previous match ended, until found returns
// false.
//
// A match never reaches beyond a run of address characters, so each run is
// searched on its own, as a text of its own: the expression sees no byte
// outside it. Searching a run alone finds exactly what searching the whole
// text finds there (the expression looks neither behind nor ahead), and a
// lead byte standing alone before a run (which Oniguruma would pair with the
// run's first byte) stays outside it, as the program's Shift_JIS rule has
// it. A search that runs into the expression's limits ends the whole scan: a
// text that costs that much holds no more addresses for us.
template <typename Found>
void ScanAddresses(const TOnigRegex& regex, std::string_view text, size_t from, Found found) {
  if (from >= text.size() || !MayHoldAddress(text.substr(from))) return;
  std::string_view searched = Capped(text);
  size_t pos = 0;
  while (pos < searched.size()) {
    size_t length = SjisCharLength(searched, pos);
    if (length == 2 || !IsAddressByte(searched[pos])) {
      pos += length;
      continue;
    }
    size_t run_start = pos;
    while (pos < searched.size() && IsAddressByte(searched[pos])) ++pos;
    if (pos <= from) continue;
    size_t offset = std::max(run_start, from);
    std::string_view run = searched.substr(offset, pos - offset);
    if (!MayHoldAddress(run)) continue;
    for (size_t start = 0; start < run.size();) {
      bool aborted = false;
      std::optional<TTextRange> match = regex.Search(run, start, &aborted);
      if (aborted) return;
      if (!match) break;
      // A run holds single-byte characters only, so an empty match moves on
      // by one byte.
      start = match->end > match->start ? match->end : match->start + 1;
      TTextRange in_text{offset + match->start, offset + match->end};
      if (in_text.end < text.size() && IsAsciiAlnum(text[in_text.end])) continue;
      if (!found(in_text)) return;
    }
  }
}

}  // namespace

TUrlDetector::TUrlDetector()
    // Case folding stays ASCII-only, like everywhere else in the program.
    : address_(AddressPattern(),
               ONIG_OPTION_CAPTURE_GROUP | ONIG_OPTION_IGNORECASE | ONIG_OPTION_IGNORECASE_IS_ASCII) {}

const TUrlDetector& TUrlDetector::Shared() {
  static const TUrlDetector detector;
  return detector;
}

std::optional<TTextRange> TUrlDetector::FindUrl(std::string_view text, size_t start) const {
  return SearchUrl(Capped(text), start);
}

std::optional<TTextRange> TUrlDetector::FindAddress(std::string_view text, size_t start) const {
  std::optional<TTextRange> first;
  ScanAddresses(address_, text, start, [&](const TTextRange& match) {
    first = match;
    return false;
  });
  return first;
}

void TUrlDetector::FindAllUrls(std::string_view text, std::vector<TTextRange>& out) const {
  std::string_view searched = Capped(text);
  // A URL is never empty, so each search starts further on.
  for (auto url = SearchUrl(searched, 0); url; url = SearchUrl(searched, url->end)) out.push_back(*url);
}

void TUrlDetector::FindAllAddresses(std::string_view text, std::vector<TTextRange>& out) const {
  ScanAddresses(address_, text, 0, [&](const TTextRange& match) {
    out.push_back(match);
    return true;
  });
}

bool TUrlDetector::StartsWithUrl(std::string_view text) const { return UrlEndAt(Capped(text), 0).has_value(); }

}  // namespace zeph
