#include "macro/popup_layout.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

#include "macro/keyword_case.h"
#include "macro/macro_variables.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

using TKind = TPopupEntry::TKind;
// A menu as the positions of its submenu entries from the top menu down.
using TMenuPath = std::vector<size_t>;

// The actions that send to the server.
constexpr std::array<std::string_view, 15> kServerActions = {
    "send", "action", "join", "part",     "quit",      "mode",      "nick",         "topic",
    "kick", "away",   "invite", "ctcpping", "ctcpquery", "ctcpreply", "pushtoopqueue"};

std::vector<TPopupEntry>& MenuAt(std::vector<TPopupEntry>& top, const TMenuPath& path) {
  std::vector<TPopupEntry>* menu = &top;
  for (size_t position : path) menu = &(*menu)[position].children;
  return *menu;
}

TPopupEntry EntryOf(const TPopupItem& item, size_t index, TKind kind) {
  TPopupEntry entry;
  entry.kind = kind;
  entry.caption = ShownCaption(item.caption);
  entry.item = index;
  entry.command_id = item.command_id;
  return entry;
}

// The entry of an item that opens no submenu; nothing for a command name
// that is not known.
std::optional<TPopupEntry> LeafEntry(const TPopupItem& item, size_t index) {
  if (item.caption == "-") return EntryOf(item, index, TKind::Separator);
  if (!EqualsKeyword(item.action, "menu")) return EntryOf(item, index, TKind::Item);
  std::optional<TMainCommand> command = LookupCommand(item.info);
  if (!command) return std::nullopt;
  TPopupEntry entry = EntryOf(item, index, TKind::Command);
  entry.command = *command;
  return entry;
}

}  // namespace

std::vector<TPopupEntry> BuildPopupMenu(const TPopupMenu& menu) {
  std::vector<TPopupEntry> top;
  std::array<TMenuPath, kPopupMaxLevel + 1> menu_of_level;  // all the top menu at first
  const std::vector<TPopupItem>& items = menu.items;
  for (size_t i = 0; i < items.size(); ++i) {
    int level = ShownLevel(items[i]);
    std::vector<TPopupEntry>& current = MenuAt(top, menu_of_level[static_cast<size_t>(level)]);
    int next_level = i + 1 < items.size() ? ShownLevel(items[i + 1]) : 0;
    if (next_level > level) {
      current.push_back(EntryOf(items[i], i, TKind::Submenu));
      TMenuPath submenu = menu_of_level[static_cast<size_t>(level)];
      submenu.push_back(current.size() - 1);
      for (int deeper = level + 1; deeper <= next_level; ++deeper) menu_of_level[static_cast<size_t>(deeper)] = submenu;
      continue;
    }
    if (std::optional<TPopupEntry> entry = LeafEntry(items[i], i)) current.push_back(std::move(*entry));
  }
  return top;
}

bool IsPopupItemEnabled(const TPopupItem& item, const TPopupState& state) {
  if (!state.unit_selected) return false;
  if (!state.text_selected && (UsesVariable(item.target, 's') || UsesVariable(item.info, 's'))) return false;
  std::string action = AsciiLowerText(item.action);
  bool sends = std::find(kServerActions.begin(), kServerActions.end(), action) != kServerActions.end();
  return state.logged_in || !sends;
}

}  // namespace zeph
