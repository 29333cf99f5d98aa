#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "display/onig_regex.h"
#include "display/text_range.h"

// Finds URLs and host addresses in log text. URLs are found by a matcher of
// their own; addresses by a regular expression compiled once. An address
// consists of ASCII characters of a small set only, so the expression runs
// just over the stretches of such characters that could hold one;
// everything else (Japanese text, ordinary words) is passed over by a byte
// scan. That saves work without changing any result.
namespace zeph {

class TUrlDetector {
 public:
  // Text beyond this many bytes is not searched. An IRC line holds at most
  // 512 bytes, so only unusually long lines (DCC chat, macro output) lose
  // anything; the address expression costs time that grows with the square
  // of the length on crafted text, and the cap bounds it.
  static constexpr size_t kMaxScannedBytes = 1024;

  TUrlDetector();

  // The program's one detector. Single-threaded use only, like every
  // detector: searches reuse the expression's match region.
  static const TUrlDetector& Shared();

  // The first URL starting at or after start.
  std::optional<TTextRange> FindUrl(std::string_view text, size_t start) const;

  // The first host address starting at or after start that is not directly
  // followed by an ASCII letter or digit; one that is so followed is skipped
  // and the search goes on from its end.
  std::optional<TTextRange> FindAddress(std::string_view text, size_t start) const;

  // All URLs (or addresses) left to right, each search starting where the
  // previous match ended; appended to out.
  void FindAllUrls(std::string_view text, std::vector<TTextRange>& out) const;
  void FindAllAddresses(std::string_view text, std::vector<TTextRange>& out) const;

  // True when a URL of at least one byte starts at position 0.
  bool StartsWithUrl(std::string_view text) const;

 private:
  TOnigRegex address_;
};

}  // namespace zeph
