#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "display/text_range.h"

// The user's keywords: which messages are matched against them and where in
// a line they occur.
namespace zeph {

// The keyword preferences (section "Keyword"); filled from TPreferences.
struct TKeywordSettings {
  bool blink_title = true;                   // BlinkTitleOnKeyword
  bool whole_line = false;                   // WholeLine
  bool match_case = false;                   // Case
  bool ignore_url = true;                    // IgnoreURL
  bool ignore_notice = true;                 // IgnoreNotice
  std::array<bool, 5> enable_group = {true, true, true, true, true};  // EnableGroup1..EnableGroup5
  bool enable_normal = true;                 // EnableNormal
  std::vector<std::string> like;            // Like.%02d.Pattern
  std::vector<std::string> dislike;         // Dislike.%02d.Pattern

  bool operator==(const TKeywordSettings&) const = default;
};

class TKeywordMatcher {
 public:
  TKeywordMatcher() = default;
  explicit TKeywordMatcher(const TKeywordSettings& settings) { Configure(settings); }

  // Takes new settings; empty patterns are dropped.
  void Configure(const TKeywordSettings& settings);
  const TKeywordSettings& Settings() const { return settings_; }
  // Changes with every Configure, so that a result kept from an earlier
  // match can tell whether it still holds.
  std::uint64_t Version() const { return version_; }

  // True when there is at least one keyword, so that matching can find
  // anything at all.
  bool HasKeywords() const { return !like_.empty(); }

  // Whether a received message is matched at all: never a Notice while
  // notices are ignored, never the user's own message, and for other
  // senders the switch of their class. nick_class as in log lines: 0 other
  // users, 1 the user himself, 2..6 user groups 1..5.
  bool WantsCheck(bool is_notice, int nick_class) const;

  // Appends to out the ranges of body where keywords occur, in the order of
  // the keyword list and then of position; ranges may overlap each other. A
  // keyword is dropped where it overlaps a disliked word, or a URL range
  // while URLs are ignored. Returns whether anything was appended.
  // Not thread-safe: scratch buffers are reused between calls.
  bool Match(std::string_view body, std::span<const TTextRange> urls, std::vector<TTextRange>& out) const;

 private:
  struct TSearch;
  void CollectDisliked(TSearch& search) const;

  TKeywordSettings settings_;
  std::uint64_t version_ = 0;
  std::vector<std::string> like_;     // upper-cased unless match_case
  std::vector<std::string> dislike_;  // likewise
  mutable std::string folded_;
  mutable std::vector<std::uint8_t> starts_;
  mutable std::vector<TTextRange> disliked_;
};

}  // namespace zeph
