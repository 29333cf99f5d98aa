#pragma once

#include <string>

namespace zeph {

class TChannel;
class TUnit;

// What the user typed into the input line for the selected node (a null
// target when the unit itself is selected). A line that starts with the
// command prefix runs as a command line; other text goes to the target as
// a PRIVMSG, NOTICE or ACTION. Returns whether the input line may be
// cleared: false when the text could not be sent.
bool SubmitInput(TUnit& unit, TChannel* target, const std::string& text, bool as_notice, bool as_action,
                 bool allow_command);

// Runs one command line (without the command prefix). A line from a macro
// raises no macro events, so macros cannot set each other off.
void ExecuteCommandLine(TUnit& unit, const std::string& line, bool from_macro);

// Sends a pasted block line by line, as PRIVMSG or as NOTICE; empty lines
// are skipped. False when nothing could be sent.
bool SendMultiLine(TUnit& unit, TChannel* target, const std::string& text, bool as_notice);

}  // namespace zeph
