#pragma once

#include <string_view>

#include "macro/macro_context.h"
#include "macro/macro_item.h"

// Whether a macro item matches an event.
namespace zeph {

// How a pattern field is read.
struct TPatternRules {
  bool is_self = false;           // the event is our own: only "%me" may match
  bool expand_variables = false;  // %-variables of the event apply in the pattern
  bool allow_specials = false;    // "%su", "%g1" … "%g5", "%mu", "%nu" test the sender
  bool is_command = false;        // alternatives are upper-cased; "DCCCHATMES" is DCCCHATMESSAGE
};

// Whether `value` matches a pattern list: alternatives separated by "|",
// tried from left to right until one decides. An empty list matches
// everything except our own events. "$NOT" before an alternative turns a
// match into a failure of the whole list (a $NOT alternative that does not
// match decides nothing); "$LIST(file)" tries each line of a data file as
// an alternative; the special words decide at once, true or false.
bool MatchPattern(std::string_view value, std::string_view pattern_list, const TPatternRules& rules,
                  const TMacroContext& context);

// Whether an enabled item matches the event of the context: its user,
// command, channel (channel events only) and message patterns, and its
// self and sender conditions.
bool MatchItem(const TMacroItem& item, const TMacroContext& context);

}  // namespace zeph
