#pragma once

#include <string>
#include <string_view>

// The user's notation for decorations ("<bold>", "<color red,blue>"), turned
// into IRC control bytes just before a message is sent.
namespace zeph {

// Converts every recognised tag to its control bytes; everything else,
// including unknown or unfinished tags, stays as typed.
std::string TagsToControlCodes(std::string_view text);

// The tag for a colour pair (indexes -1..15, -1 for "no colour"), with the
// names in lower case: "<color>", "<color red>", "<color red,blue>",
// "<color ,navy>".
std::string MakeColorTag(int fore, int back);

}  // namespace zeph
