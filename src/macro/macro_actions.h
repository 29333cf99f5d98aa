#pragma once

#include "macro/macro_context.h"
#include "macro/macro_host.h"
#include "macro/macro_item.h"

// What a macro item does once it runs: its target gets the event's
// variables, its text the substitutions and variables, and the action word
// says what happens with them.
namespace zeph {

// from_menu is true for popup-menu items, false for items that matched an
// event. An unknown action word does nothing.
void RunMacroItem(const TMacroItem& item, bool from_menu, const TMacroContext& context, TMacroHost& host);

// Cuts a text at each CR LF, CR or LF.
std::vector<std::string> SplitLines(std::string_view text);

}  // namespace zeph
