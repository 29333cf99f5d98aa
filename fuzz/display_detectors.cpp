// Log text through the URL and address detectors. Matches must lie inside
// the text, start on whole characters, follow each other, and be exactly
// what the bare expressions find over the whole text: the quick rejections,
// the search run by run and the hand-written URL matcher may save work but
// never change a result.
#include <oniguruma.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <vector>

#include "display/address_pattern.h"
#include "display/onig_regex.h"
#include "display/url_detector.h"
#include "platform/sjis.h"
#include "support/url_pattern.h"

using namespace zeph;

namespace {

bool IsAsciiAlnum(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Text the expressions see unchanged: within the cap, and without a lead
// byte that stands alone.
bool IsPlainForExpressions(std::string_view text) {
  if (text.size() > TUrlDetector::kMaxScannedBytes) return false;
  for (size_t pos = 0; pos < text.size(); pos += SjisCharLength(text, pos)) {
    if (SjisCharLength(text, pos) == 1 && IsSjisLead(static_cast<unsigned char>(text[pos]))) return false;
  }
  return true;
}

// The whole text searched with the address expression alone, as long as no
// search runs into the limits (the detector gives up early on such text).
std::optional<std::vector<TTextRange>> BareAddresses(const TOnigRegex& regex, std::string_view text) {
  std::vector<TTextRange> found;
  size_t start = 0;
  while (start < text.size()) {
    bool aborted = false;
    auto match = regex.Search(text, start, &aborted);
    if (aborted) return std::nullopt;
    if (!match) break;
    bool followed = match->end < text.size() && IsAsciiAlnum(text[match->end]);
    if (!followed) found.push_back(*match);
    start = match->end > match->start ? match->end : match->start + 1;
  }
  return found;
}

void CheckRanges(std::string_view text, const std::vector<TTextRange>& ranges) {
  std::vector<uint8_t> starts(text.size() + 1, 0);
  for (size_t pos = 0; pos < text.size(); pos += SjisCharLength(text, pos)) starts[pos] = 1;
  starts[text.size()] = 1;
  size_t previousEnd = 0;
  for (const TTextRange& r : ranges) {
    if (r.start < previousEnd || r.end <= r.start || r.end > text.size()) abort();
    if (!starts[r.start] || !starts[r.end]) abort();
    previousEnd = r.end;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  const TUrlDetector& detector = TUrlDetector::Shared();
  std::vector<TTextRange> urls, addresses;
  detector.FindAllUrls(text, urls);
  detector.FindAllAddresses(text, addresses);
  CheckRanges(text, urls);
  CheckRanges(text, addresses);
  for (const TTextRange& a : addresses) {
    if (a.end < text.size() && IsAsciiAlnum(text[a.end])) abort();
  }
  if (detector.StartsWithUrl(text) != (!urls.empty() && urls[0].start == 0)) abort();
  auto first = detector.FindUrl(text, 0);
  if (first.has_value() != !urls.empty() || (first && *first != urls[0])) abort();

  if (IsPlainForExpressions(text)) {
    static const TOnigRegex bareAddress(
        AddressPattern(), ONIG_OPTION_CAPTURE_GROUP | ONIG_OPTION_IGNORECASE | ONIG_OPTION_IGNORECASE_IS_ASCII);
    auto bareUrls = test::ReferenceUrls(text);
    if (bareUrls && *bareUrls != urls) abort();
    auto bareAddresses = BareAddresses(bareAddress, text);
    if (bareAddresses && *bareAddresses != addresses) abort();
  }
  return 0;
}
