#pragma once

#include <string>
#include <vector>

#include "macro/command_names.h"
#include "macro/popup_menu.h"

// How the user's popup items become a menu, free of any platform menu: the
// view turns the entries into its own menu, and asks whether each item may
// be chosen when the menu opens.
namespace zeph {

struct TPopupEntry {
  enum class TKind {
    Submenu,    // opened by an item followed by deeper ones; holds them
    Separator,  // caption "-"
    Command,    // action "Menu": runs a main-window command
    Item,       // any other action: runs the item itself
  };
  TKind kind = TKind::Item;
  std::string caption;             // as shown: "\t" pairs are TABs
  size_t item = 0;                 // index of the item in the list
  int command_id = 0;              // the item's identifier
  TMainCommand command{};          // for Command
  std::vector<TPopupEntry> children;  // for Submenu
};

// The entries of the menu. An item opens a submenu when the next item is
// deeper; that submenu takes the items of every level from this one's + 1
// to the next item's, until a later item opens another at those levels.
// Levels are held to 0-2. A "Menu" item naming no known command is left
// out.
std::vector<TPopupEntry> BuildPopupMenu(const TPopupMenu& menu);

// What the menu depends on when it opens.
struct TPopupState {
  bool unit_selected = false;
  bool text_selected = false;  // in the log the menu opens on
  bool logged_in = false;      // the selected unit
};

// Whether the item can be chosen: a unit must be selected; an item that
// uses the selected text (%s in its target or info) needs a selection; and
// the actions that send to the server need the unit logged in.
bool IsPopupItemEnabled(const TPopupItem& item, const TPopupState& state);

}  // namespace zeph
