#pragma once

#include <string>
#include <string_view>

// Code page 932 (the Windows form of Shift_JIS) against Unicode, from glibc
// iconv's "CP932" tables. Conversion is per character: a byte sequence or a
// character without a counterpart becomes the geta mark "〓" (0x81AC,
// U+3013), so one bad character never empties a text.
namespace zeph::cp932 {

inline constexpr char32_t kGeta = 0x3013;

// The Unicode character of the Shift_JIS character at text[*pos], which
// advances past it; kGeta for a byte that starts no character.
char32_t DecodeChar(std::string_view text, size_t* pos);
// Appends the Shift_JIS bytes of a character; false (nothing appended) when
// code page 932 has no code for it.
bool EncodeChar(char32_t c, std::string* out);

std::string ToUtf8(std::string_view sjis);
std::string FromUtf8(std::string_view utf8);

// Reads one UTF-8 character at text[*pos] and advances past it; an invalid
// or truncated sequence yields U+FFFD and advances one byte.
char32_t NextUtf8(std::string_view text, size_t* pos);
void AppendUtf8(char32_t c, std::string* out);

}  // namespace zeph::cp932
