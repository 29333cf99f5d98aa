#pragma once

#include <string>
#include <string_view>

// Small text utilities the protocol handlers take commands apart with.
namespace zeph {

// Cuts the next blank-separated token off the front of a text, with the
// blanks before and after it.
std::string NextToken(std::string& text);
std::string_view NextToken(std::string_view& text);

// Cuts the next field up to a delimiter byte (removed too; two delimiters in
// a row give an empty field). Shift_JIS aware: a trail byte equal to the
// delimiter does not end the field.
std::string NextField(std::string& text, char delimiter);

// Parts of the prefix text they were split from.
struct TPrefixParts {
  std::string_view nick;
  std::string_view user;
  std::string_view host;
};
// "nick!user@host"; without "!" the whole prefix is the nick.
TPrefixParts SplitPrefix(std::string_view prefix);

// The flood penalty of an outgoing MODE command with these parameters.
int ModePenalty(std::string_view params);

// Removes one leading ":".
std::string StripColon(std::string_view text);

// Cuts the first line off a text; CR LF, CR or LF ends a line. Without a
// terminator the whole text is the line.
std::string SplitLine(std::string& text);

}  // namespace zeph
