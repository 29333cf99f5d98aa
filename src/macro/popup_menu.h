#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// The user's context menu of the log views, stored in popupmenu.lcf: one
// item per line, up to three levels deep, each running a main-window
// command or a macro action.
namespace zeph {

// Item i of the list gets the command identifier base + i.
inline constexpr int kPopupCommandBase = 45056;
inline constexpr int kPopupMaxLevel = 2;

// The search address of the default web search item, up to its query.
inline constexpr std::string_view kWebSearchEndpoint = "https://www.google.co.jp";

struct TPopupItem {
  int level = 0;        // "階層": nesting depth, used held to 0-2
  std::string caption;  // "項目名": "-" is a separator; the two characters "\t" show as a TAB
  std::string action;   // "動作": an action word, or "Menu" to run a command
  std::string target;   // "送信先"
  std::string info;     // "動作の情報": for "Menu" the command name
  int command_id = 0;   // not stored: kPopupCommandBase + index in the list

  bool operator==(const TPopupItem&) const = default;
};

struct TPopupMenu {
  std::vector<TPopupItem> items;

  bool operator==(const TPopupMenu&) const = default;
};

// The item of one line, or nothing for an empty line or a "#" comment.
// Missing fields read empty; the level reads 0 without digits.
bool ParsePopupItem(std::string_view line, TPopupItem* item);
// The line of an item, without its CR LF.
std::string PopupItemLine(const TPopupItem& item);

// The items of a file's contents (empty lines and "#" lines skipped).
std::vector<TPopupItem> ParsePopupMenu(std::string_view bytes);
// The contents written for the items: level, caption, action, target and
// info separated by TAB, CR LF after each item.
std::string PopupMenuText(const std::vector<TPopupItem>& items);

// The list used when the file cannot be read, and appended by the editor's
// "デフォルト設定を追加(&I)".
std::vector<TPopupItem> DefaultPopupItems();

// The menu of the file, or the default list when it cannot be read; old web
// search items that asked for Shift_JIS are moved to UTF-8; identifiers are
// assigned.
TPopupMenu LoadPopupMenu(const std::filesystem::path& file);
// Replaces the file whole (temporary file and rename), creating its folder
// when missing. False if it could not be written; the old file then stays.
bool SavePopupMenu(const std::filesystem::path& file, const TPopupMenu& menu);
// Gives item i the identifier kPopupCommandBase + i.
void AssignCommandIds(TPopupMenu* menu);

// The level an item is shown at: 0 to kPopupMaxLevel.
int ShownLevel(const TPopupItem& item);
// The caption as a menu shows it: each "\t" pair a TAB.
std::string ShownCaption(std::string_view caption);

}  // namespace zeph
