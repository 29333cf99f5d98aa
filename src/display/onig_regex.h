#pragma once

#include <optional>
#include <string_view>

#include "display/text_range.h"

struct re_pattern_buffer;
struct re_registers;
struct OnigMatchParamStruct;

// One compiled Oniguruma expression over Shift_JIS text with the Ruby
// syntax, searched under retry and stack limits so that a hostile line costs
// a bounded amount of work. Not thread-safe: the match region and the limits
// are reused by every search.
namespace zeph {

class TOnigRegex {
 public:
  // options are Oniguruma's ONIG_OPTION_* bits. A pattern that does not
  // compile leaves an expression that never matches.
  TOnigRegex(std::string_view pattern, unsigned int options);
  ~TOnigRegex();
  TOnigRegex(const TOnigRegex&) = delete;
  TOnigRegex& operator=(const TOnigRegex&) = delete;

  bool IsValid() const { return regex_ != nullptr; }

  // The first match (group 0) starting at or after start. A search that
  // runs into a limit, or fails in any other way, finds nothing and sets
  // *aborted when given.
  std::optional<TTextRange> Search(std::string_view text, size_t start, bool* aborted = nullptr) const;

  // The length of the match anchored at start, or none.
  std::optional<size_t> MatchAt(std::string_view text, size_t start) const;

 private:
  re_pattern_buffer* regex_ = nullptr;
  re_registers* region_ = nullptr;
  OnigMatchParamStruct* limits_ = nullptr;
};

}  // namespace zeph
