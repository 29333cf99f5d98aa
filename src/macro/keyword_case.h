#pragma once

#include <string>
#include <string_view>

// Macro and menu texts name their keywords ("$LIST", "%me", action and
// command words) in any letter case. Keywords are ASCII, so a text that
// holds a double-byte character where the keyword has a letter never
// equals it.
namespace zeph {

bool EqualsKeyword(std::string_view text, std::string_view keyword);
bool StartsWithKeyword(std::string_view text, std::string_view keyword);

}  // namespace zeph
