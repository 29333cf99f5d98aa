#pragma once

#include <string>
#include <string_view>

// Code page 932 (the Windows form of Shift_JIS) against Unicode, from glibc
// iconv's "CP932" tables. Conversion is per character: a byte sequence or a
// character without a counterpart becomes the geta mark "〓" (0x81AC,
// U+3013), so one bad character never empties a text.
namespace zeph::cp932 {

inline constexpr char32_t kGeta = 0x3013;

// False when iconv has no "CP932" tables (a stripped C library): every
// non-ASCII character then converts to "〓", so callers fall back to wire
// encodings that need no code page.
bool Available();

// The Unicode character of the Shift_JIS character at text[*pos], which
// advances past it; kGeta for a byte that starts no character.
char32_t DecodeChar(std::string_view text, size_t* pos);
// The end of the run from pos of double-byte characters that code page 932
// has; pos itself when none starts there. Japanese text comes in such runs,
// and a run costs one call instead of one per character.
size_t DoubleByteRunEnd(std::string_view text, size_t pos);
// Appends the Shift_JIS bytes of a character; false (nothing appended) when
// code page 932 has no code for it.
bool EncodeChar(char32_t c, std::string* out);

std::string ToUtf8(std::string_view sjis);
std::string FromUtf8(std::string_view utf8);

// Reads one UTF-8 character at text[*pos] and advances past it. An invalid
// or truncated sequence yields U+FFFD and advances past its longest valid
// beginning (at least one byte): a character cut short is one U+FFFD and
// never swallows the byte after it; overlong forms and surrogates are
// invalid.
char32_t NextUtf8(std::string_view text, size_t* pos);
void AppendUtf8(char32_t c, std::string* out);

}  // namespace zeph::cp932
