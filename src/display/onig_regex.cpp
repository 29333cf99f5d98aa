#include "display/onig_regex.h"

#include <oniguruma.h>

namespace zeph {
namespace {

// Bounds on the work of one search (a retry costs roughly 10 ns, so a search
// ends within about half a millisecond). A line of ordinary chat stays far
// below them; a crafted line that would make the expressions backtrack for
// long simply yields no (further) match.
constexpr unsigned long kRetryLimitInMatch = 20000;
constexpr unsigned long kRetryLimitInSearch = 50000;
constexpr unsigned int kMatchStackLimit = 100000;

void InitializeOnigurumaOnce() {
  static const bool initialized = [] {
    OnigEncoding encodings[] = {ONIG_ENCODING_SJIS};
    onig_initialize(encodings, 1);
    return true;
  }();
  (void)initialized;
}

const OnigUChar* Bytes(std::string_view text) { return reinterpret_cast<const OnigUChar*>(text.data()); }

}  // namespace

TOnigRegex::TOnigRegex(std::string_view pattern, unsigned int options) {
  InitializeOnigurumaOnce();
  OnigErrorInfo error;
  if (onig_new(&regex_, Bytes(pattern), Bytes(pattern) + pattern.size(), options, ONIG_ENCODING_SJIS,
               ONIG_SYNTAX_RUBY, &error) != ONIG_NORMAL) {
    regex_ = nullptr;
    return;
  }
  region_ = onig_region_new();
  limits_ = onig_new_match_param();
  onig_initialize_match_param(limits_);
  onig_set_retry_limit_in_match_of_match_param(limits_, kRetryLimitInMatch);
  onig_set_retry_limit_in_search_of_match_param(limits_, kRetryLimitInSearch);
  onig_set_match_stack_limit_size_of_match_param(limits_, kMatchStackLimit);
}

TOnigRegex::~TOnigRegex() {
  if (limits_) onig_free_match_param(limits_);
  if (region_) onig_region_free(region_, 1);
  if (regex_) onig_free(regex_);
}

std::optional<TTextRange> TOnigRegex::Search(std::string_view text, size_t start, bool* aborted) const {
  if (!regex_ || start > text.size()) return std::nullopt;
  const OnigUChar* begin = Bytes(text);
  const OnigUChar* end = begin + text.size();
  int found = onig_search_with_param(regex_, begin, end, begin + start, end, region_, ONIG_OPTION_NONE, limits_);
  if (found < 0 && found != ONIG_MISMATCH && aborted) *aborted = true;
  if (found < 0 || region_->num_regs < 1 || region_->beg[0] < 0 || region_->end[0] < region_->beg[0])
    return std::nullopt;
  return TTextRange{static_cast<size_t>(region_->beg[0]), static_cast<size_t>(region_->end[0])};
}

std::optional<size_t> TOnigRegex::MatchAt(std::string_view text, size_t start) const {
  if (!regex_ || start > text.size()) return std::nullopt;
  const OnigUChar* begin = Bytes(text);
  int length = onig_match_with_param(regex_, begin, begin + text.size(), begin + start, region_, ONIG_OPTION_NONE,
                                     limits_);
  if (length < 0) return std::nullopt;
  return static_cast<size_t>(length);
}

}  // namespace zeph
