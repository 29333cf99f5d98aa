#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

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

// The action words the item editors offer, in their order and spelling.
std::span<const std::string_view> EditorActionWords();
// Whether an action word (any letter case) uses the item's target; the
// editors enable the target field only then.
bool ActionUsesTarget(std::string_view action);

// Cuts a text at each CR LF, CR or LF.
std::vector<std::string> SplitLines(std::string_view text);

}  // namespace zeph
