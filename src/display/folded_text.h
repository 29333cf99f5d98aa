#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Searching text without regard to case: the case-folded copy comes from
// FoldAsciiUpper (platform/sjis.h), the character starts from here, so a
// match never begins or ends inside a double-byte character.
namespace zeph {

// One flag per byte of text, 1 where a character starts (by the shared
// Shift_JIS rule), plus one final flag for the end of the text.
void MarkCharacterStarts(std::string_view text, std::vector<std::uint8_t>& starts);

}  // namespace zeph
