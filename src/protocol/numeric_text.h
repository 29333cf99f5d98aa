#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Reading the parameters of numeric replies: numbers, times and word lists
// as servers send them, never trusted to be well formed.
namespace zeph {

std::string TrimRight(std::string_view text);

// The space-separated words of a text; runs of blanks give no empty words.
std::vector<std::string> SplitWords(std::string_view text);

// The leading decimal digits of a parameter; 0 when it does not start with
// a digit. Saturates at the largest value instead of wrapping around.
std::uint64_t ParseDecimal(std::string_view text);
int ParseCount(std::string_view text);

// Seconds since 1970 as "%Y/%m/%d %H:%M:%S" in local time. A text that is
// not a plain decimal number, or a time the calendar cannot show, comes
// back as it stands.
std::string FormatReplyTime(std::string_view seconds);

// Idle seconds as hours, minutes and seconds: "%lu:%02lu:%02lu".
std::string FormatIdleTime(std::uint64_t seconds);

}  // namespace zeph
