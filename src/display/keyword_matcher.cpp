#include "display/keyword_matcher.h"

#include <algorithm>

#include "display/folded_text.h"
#include "platform/sjis.h"

namespace zeph {

// The text being matched, with its character starts worked out only once an
// occurrence has to be checked against them: most lines hold no keyword.
struct TKeywordMatcher::TSearch {
  std::string_view text;
  std::vector<std::uint8_t>& starts;
  bool startsReady = false;
  bool dislikedReady = false;

  bool IsWholeCharacters(size_t start, size_t end) {
    if (!startsReady) {
      MarkCharacterStarts(text, starts);
      startsReady = true;
    }
    return starts[start] && starts[end];
  }

  // Calls found(range) for every occurrence of pattern from left to right.
  // An occurrence that starts or ends inside a double-byte character is no
  // occurrence: the search resumes one byte later. Otherwise it resumes at
  // the occurrence's end.
  template <typename Found>
  void ForEachOccurrence(std::string_view pattern, Found found) {
    size_t pos = text.find(pattern);
    while (pos != std::string_view::npos) {
      size_t end = pos + pattern.size();
      if (IsWholeCharacters(pos, end)) {
        found(TTextRange{pos, end});
        pos = text.find(pattern, end);
      } else {
        pos = text.find(pattern, pos + 1);
      }
    }
  }
};

namespace {

std::vector<std::string> PreparePatterns(const std::vector<std::string>& patterns, bool matchCase) {
  std::vector<std::string> prepared;
  for (const std::string& pattern : patterns) {
    if (pattern.empty()) continue;
    prepared.emplace_back();
    if (matchCase)
      prepared.back() = pattern;
    else
      FoldAsciiUpper(pattern, prepared.back());
  }
  return prepared;
}

bool OverlapsAny(const TTextRange& range, std::span<const TTextRange> others) {
  return std::any_of(others.begin(), others.end(), [&](const TTextRange& other) { return range.Overlaps(other); });
}

}  // namespace

void TKeywordMatcher::Configure(const TKeywordSettings& settings) {
  settings_ = settings;
  like_ = PreparePatterns(settings.like, settings.matchCase);
  dislike_ = PreparePatterns(settings.dislike, settings.matchCase);
}

bool TKeywordMatcher::WantsCheck(bool isNotice, int nickClass) const {
  if (isNotice && settings_.ignoreNotice) return false;
  if (nickClass == 1) return false;
  if (nickClass >= 2 && nickClass <= 6) return settings_.enableGroup[nickClass - 2];
  return settings_.enableNormal;
}

void TKeywordMatcher::CollectDisliked(TSearch& search) const {
  disliked_.clear();
  for (const std::string& pattern : dislike_)
    search.ForEachOccurrence(pattern, [&](const TTextRange& range) { disliked_.push_back(range); });
  search.dislikedReady = true;
}

bool TKeywordMatcher::Match(std::string_view body, std::span<const TTextRange> urls,
                            std::vector<TTextRange>& out) const {
  if (like_.empty() || body.empty()) return false;
  std::string_view text = body;
  if (!settings_.matchCase) {
    FoldAsciiUpper(body, folded_);
    text = folded_;
  }
  TSearch search{text, starts_};
  size_t before = out.size();
  for (const std::string& pattern : like_) {
    search.ForEachOccurrence(pattern, [&](const TTextRange& range) {
      if (settings_.ignoreUrl && OverlapsAny(range, urls)) return;
      if (!search.dislikedReady) CollectDisliked(search);
      if (OverlapsAny(range, disliked_)) return;
      out.push_back(range);
    });
  }
  return out.size() > before;
}

}  // namespace zeph
