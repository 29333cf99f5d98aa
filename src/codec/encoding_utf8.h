#pragma once

#include <string>
#include <string_view>

// UTF-8 on the wire against the internal Shift_JIS (code page 932).
namespace zeph {

// A character code page 932 lacks, and each broken or overlong UTF-8
// sequence, becomes "〓"; the rest of the text always survives. Look-alikes
// Mac and Linux send (U+301C WAVE DASH, U+2212 MINUS SIGN, …) reach the
// code page 932 characters Windows users type.
std::string DecodeUtf8(std::string_view utf8);

// A byte that starts no Shift_JIS character becomes "〓".
std::string EncodeUtf8(std::string_view sjis);

}  // namespace zeph
