#pragma once

#include <string>
#include <string_view>

// The wildcards of macro patterns.
namespace zeph {

// "*" any run of bytes, "?" one byte, "\" makes the next byte literal.
// Other bytes match only a byte of the same kind (a single-byte character,
// the first or the second byte of a double-byte character): single-byte
// characters compare after IRC case folding ("{|}" equal "[\]"), bytes of
// double-byte characters exactly. Time grows with the product of the
// lengths at worst, whatever the pattern.
bool MatchWildcard(std::string_view pattern, std::string_view text);

// A text prepared once for MatchWildcard against many patterns (the lines
// of a list file against one message).
class TWildcardText {
 public:
  explicit TWildcardText(std::string_view text);
  bool Matches(std::string_view pattern) const;

 private:
  std::string form_;
};

// User masks against nick!user@host, the same rule the member list and the
// ignore and auto-op lists use.
bool MatchMask(std::string_view mask, std::string_view text);

}  // namespace zeph
