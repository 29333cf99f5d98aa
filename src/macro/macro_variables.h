#pragma once

#include <string>
#include <string_view>

#include "macro/macro_context.h"

// The %-variables of macro texts.
namespace zeph {

// The text with every %-variable replaced by its value for the event of the
// context, in one pass: a value is never scanned again, so a peer's text
// that holds "%0" stays as it is. %0 … %9 are the words of the message (the
// tenth holds the whole rest), %% a percent sign, %a the active channel, %c
// the event's channel, %d the date (%Y%m%d), %f the reply target (a channel
// or "=" name, else the sender), %h, %l, %n the sender's host, user and
// nick, %m the message, %s the selected text, %t the time (%H:%M:%S), %u
// our nick and %y our address. Any other byte after "%" stays with it; a
// "%" at the very end is dropped. CR, LF and NUL inside a value become
// blanks, so a value can never add a line to a command.
std::string ExpandVariables(std::string_view text, const TMacroContext& context);

// The same for a file name: a value may name no folder, so "/", "\", ":"
// and control bytes in it become "_", and a value that is "." or ".."
// becomes "_". What the user wrote himself stays as written.
std::string ExpandFileNameVariables(std::string_view text, const TMacroContext& context);
// One inserted value made safe as part of a file name, as above.
std::string FileNamePart(std::string_view value);

// Whether the expansion of the text reads the variable (%s: "%%s" is no
// use of it, "%%%s" is).
bool UsesVariable(std::string_view text, char name);

}  // namespace zeph
