#pragma once

// The URLs the hand-written matcher (display/url_matcher.h) finds, as the
// regular expression it stands for, searched by Oniguruma: tests and fuzz
// targets check the matcher against it. Header-only, so that fuzz targets
// reach it without the test libraries (and without oniguruma.h, which
// clashes with the regex.h GoogleTest includes).
#include <optional>
#include <string_view>
#include <vector>

#include "display/onig_regex.h"
#include "display/text_range.h"

namespace zeph::test {

// Case-sensitive, over Shift_JIS text.
inline std::string_view UrlPattern() {
  return R"re((http|https|ftp|ttp|ttps)://[a-zA-Z0-9_\-.!~*':@%]+((/[a-zA-Z0-9_\-.!~*'%;/?:@&=+$,#]*[a-zA-Z0-9_\-/?])|(/)|()))re";
}

// No options: whether groups capture changes nothing about where a match
// lies.
inline const TOnigRegex& UrlRegex() {
  static const TOnigRegex regex(UrlPattern(), 0);
  return regex;
}

// What the expression finds at or after start, or nothing at all when the
// search ran into Oniguruma's limits (so that no comparison passes by
// accident).
struct TReferenceSearch {
  std::optional<TTextRange> match;
  bool aborted = false;
};

inline TReferenceSearch ReferenceUrlSearch(std::string_view text, size_t start) {
  TReferenceSearch search;
  search.match = UrlRegex().Search(text, start, &search.aborted);
  return search;
}

// Every URL left to right, each search starting where the previous match
// ended; none when a search ran into the limits.
inline std::optional<std::vector<TTextRange>> ReferenceUrls(std::string_view text) {
  std::vector<TTextRange> urls;
  for (size_t start = 0;;) {
    TReferenceSearch search = ReferenceUrlSearch(text, start);
    if (search.aborted) return std::nullopt;
    if (!search.match) return urls;
    urls.push_back(*search.match);
    start = search.match->end;
  }
}

}  // namespace zeph::test
