#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Shift_JIS aware helpers for searching text without regard to case.
namespace zeph {

// out := text with ASCII letters upper-cased; double-byte characters are
// stepped over whole and keep their bytes, so a second byte that happens to
// equal a lower-case letter stays as it is.
void FoldAsciiUpper(std::string_view text, std::string& out);

// One flag per byte of text, 1 where a character starts (by the shared
// Shift_JIS rule), plus one final flag for the end of the text.
void MarkCharacterStarts(std::string_view text, std::vector<std::uint8_t>& starts);

}  // namespace zeph
