#pragma once

#include <string>
#include <string_view>

namespace zeph {

// Half-width katakana are the single bytes 0xA1–0xDF of Shift_JIS.
inline bool IsHalfWidthKana(unsigned char c) { return c >= 0xA1 && c <= 0xDF; }

// Half-width katakana (0xA1–0xDF) of a Shift_JIS text replaced by their
// full-width forms, a following voiced or semi-voiced mark joined into one
// character where JIS X 0208 has it («ｶﾞ» → «ガ», «ﾊﾟ» → «パ»). Lets a text
// with half-width kana cross ISO-2022-JP without any kana set.
std::string KanaToFullWidth(std::string_view sjis);

}  // namespace zeph
