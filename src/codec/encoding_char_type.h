#pragma once

#include <cstddef>
#include <string_view>

namespace zeph {

enum TCharType : int {
  kSingleByte = 0,  // a character of its own (also a lone or broken lead byte)
  kLeadByte = 1,    // starts a double-byte character
  kTrailByte = 2,   // the second byte of a double-byte character
};

// The role of the byte at text[index] in a Shift_JIS text, found without
// scanning from the start; agrees with SjisCharLength. An index past the
// end is kSingleByte.
TCharType CharType(std::string_view text, size_t index);

}  // namespace zeph
