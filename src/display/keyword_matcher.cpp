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
  bool starts_ready = false;
  bool disliked_ready = false;

  bool IsWholeCharacters(size_t start, size_t end) {
    if (!starts_ready) {
      MarkCharacterStarts(text, starts);
      starts_ready = true;
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

std::vector<std::string> PreparePatterns(const std::vector<std::string>& patterns, bool match_case) {
  std::vector<std::string> prepared;
  for (const std::string& pattern : patterns) {
    if (pattern.empty()) continue;
    prepared.emplace_back();
    if (match_case)
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
  like_ = PreparePatterns(settings.like, settings.match_case);
  dislike_ = PreparePatterns(settings.dislike, settings.match_case);
  ++version_;
}

bool TKeywordMatcher::WantsCheck(bool is_notice, int nick_class) const {
  if (is_notice && settings_.ignore_notice) return false;
  if (nick_class == 1) return false;
  if (nick_class >= 2 && nick_class <= 6) return settings_.enable_group[nick_class - 2];
  return settings_.enable_normal;
}

void TKeywordMatcher::CollectDisliked(TSearch& search) const {
  disliked_.clear();
  for (const std::string& pattern : dislike_)
    search.ForEachOccurrence(pattern, [&](const TTextRange& range) { disliked_.push_back(range); });
  search.disliked_ready = true;
}

bool TKeywordMatcher::Match(std::string_view body, std::span<const TTextRange> urls,
                            std::vector<TTextRange>& out) const {
  if (like_.empty() || body.empty()) return false;
  std::string_view text = body;
  if (!settings_.match_case) {
    FoldAsciiUpper(body, folded_);
    text = folded_;
  }
  TSearch search{text, starts_};
  size_t before = out.size();
  for (const std::string& pattern : like_) {
    search.ForEachOccurrence(pattern, [&](const TTextRange& range) {
      if (settings_.ignore_url && OverlapsAny(range, urls)) return;
      if (!search.disliked_ready) CollectDisliked(search);
      if (OverlapsAny(range, disliked_)) return;
      out.push_back(range);
    });
  }
  return out.size() > before;
}

}  // namespace zeph
