#pragma once

#include <optional>
#include <string_view>

#include "display/text_range.h"

// Finds URLs in Shift_JIS text: a scheme ("http", "https", "ftp", "ttp" or
// "ttps"), "://", a host of one or more of a-z A-Z 0-9 _ - . ! ~ * ' : @ %,
// and then either a path ("/", more URL characters, ending on a letter, a
// digit or one of _ - / ?) or a lone "/" or nothing. Written by hand
// because a regular expression costs far more to set up per search than
// this costs in all, on a path every received line takes.
namespace zeph {

// The end of the URL starting at pos, or none.
std::optional<size_t> UrlEndAt(std::string_view text, size_t pos);

// The first URL starting at or after start. A URL starts on a character,
// never on the second byte of a double-byte one.
std::optional<TTextRange> SearchUrl(std::string_view text, size_t start);

}  // namespace zeph
