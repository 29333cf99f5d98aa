// Any text through the hand-written URL matcher and through Oniguruma with
// the expression the matcher stands for: both must find the same URLs,
// anchored at every character and searched left to right.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "display/url_matcher.h"
#include "platform/sjis.h"
#include "support/url_pattern.h"

using namespace zeph;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  for (size_t pos = 0; pos < text.size(); pos += SjisCharLength(text, pos)) {
    std::optional<size_t> end = UrlEndAt(text, pos);
    std::optional<size_t> length = test::UrlRegex().MatchAt(text, pos);
    if (end != (length ? std::optional<size_t>(pos + *length) : std::nullopt)) abort();
  }
  for (size_t start = 0;;) {
    test::TReferenceSearch reference = test::ReferenceUrlSearch(text, start);
    if (reference.aborted) abort();
    std::optional<TTextRange> url = SearchUrl(text, start);
    if (url != reference.match) abort();
    if (!url) break;
    start = url->end;
  }
  return 0;
}
