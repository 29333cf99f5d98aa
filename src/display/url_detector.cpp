#include "display/url_detector.h"

#include <oniguruma.h>

#include "display/detector_patterns.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

bool IsAsciiAlnum(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Every URL contains "://", so a text without it holds none.
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

// After a match, the next search starts at its end; an empty match would
// find itself again, so the search then moves on by one character.
size_t NextSearchStart(std::string_view text, const TTextRange& match) {
  return match.end > match.start ? match.end : match.start + SjisCharLength(text, match.start);
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

// Cuts the text to kMaxScannedBytes at a character boundary. Oniguruma takes
// any lead byte as the first of two, also before an invalid second byte or at
// the very end; the program counts such a lead byte as one byte. A lone lead
// byte therefore reaches the expressions as a blank, which no pattern
// matches either, so positions stay the same and the next byte is read on
// its own.
std::string_view TUrlDetector::PrepareForSearch(std::string_view text) const {
  size_t pos = 0;
  bool hasLoneLead = false;
  while (pos < text.size() && pos < kMaxScannedBytes) {
    size_t length = SjisCharLength(text, pos);
    if (length == 1 && IsSjisLead(static_cast<unsigned char>(text[pos]))) hasLoneLead = true;
    pos += length;
  }
  if (pos > kMaxScannedBytes) pos -= 2;  // a double-byte character straddles the cap
  std::string_view searched = text.substr(0, pos);
  if (!hasLoneLead) return searched;
  scratch_.assign(searched);
  for (size_t p = 0; p < scratch_.size(); p += SjisCharLength(scratch_, p)) {
    if (IsSjisLead(static_cast<unsigned char>(scratch_[p])) && SjisCharLength(scratch_, p) == 1) scratch_[p] = ' ';
  }
  return scratch_;
}

std::optional<TTextRange> TUrlDetector::FindUrl(std::string_view text, size_t start) const {
  if (start >= text.size() || !MayHoldUrl(text.substr(start))) return std::nullopt;
  return url_.Search(PrepareForSearch(text), start);
}

std::optional<TTextRange> TUrlDetector::FindAddress(std::string_view text, size_t start) const {
  if (start >= text.size() || !MayHoldAddress(text.substr(start))) return std::nullopt;
  return NextAddress(text, PrepareForSearch(text), start);
}

std::optional<TTextRange> TUrlDetector::NextAddress(std::string_view original, std::string_view searched,
                                                    size_t start) const {
  while (start < searched.size()) {
    std::optional<TTextRange> match = address_.Search(searched, start);
    if (!match) return std::nullopt;
    if (match->end >= original.size() || !IsAsciiAlnum(original[match->end])) return match;
    start = NextSearchStart(searched, *match);
  }
  return std::nullopt;
}

void TUrlDetector::FindAllUrls(std::string_view text, std::vector<TTextRange>& out) const {
  if (!MayHoldUrl(text)) return;
  std::string_view searched = PrepareForSearch(text);
  for (size_t start = 0; start < searched.size();) {
    std::optional<TTextRange> match = url_.Search(searched, start);
    if (!match) return;
    out.push_back(*match);
    start = NextSearchStart(searched, *match);
  }
}

void TUrlDetector::FindAllAddresses(std::string_view text, std::vector<TTextRange>& out) const {
  if (!MayHoldAddress(text)) return;
  std::string_view searched = PrepareForSearch(text);
  for (size_t start = 0; start < searched.size();) {
    std::optional<TTextRange> match = NextAddress(text, searched, start);
    if (!match) return;
    out.push_back(*match);
    start = NextSearchStart(searched, *match);
  }
}

bool TUrlDetector::StartsWithUrl(std::string_view text) const {
  if (!MayHoldUrl(text)) return false;
  std::optional<size_t> length = url_.MatchAt(PrepareForSearch(text), 0);
  return length && *length > 0;
}

}  // namespace zeph
