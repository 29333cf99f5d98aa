#pragma once

#include <string>
#include <string_view>
#include <vector>

// One macro item: the conditions an event must meet and the action that
// runs when it does. A macro file is an ordered list of them.
namespace zeph {

// The values of the self condition (which also serve the sender
// condition's 0 to 2). Other values read from a file are kept and mean no
// condition.
inline constexpr int kConditionNone = 0;
inline constexpr int kConditionOperator = 1;
inline constexpr int kConditionNotOperator = 2;
inline constexpr int kConditionAway = 3;
inline constexpr int kConditionNotAway = 4;

struct TMacroItem {
  bool disabled = false;
  std::string user_pattern;     // "ユーザ": the sender's whole prefix
  std::string command_pattern;  // "コマンド": the event name
  std::string channel_pattern;  // "チャンネル"
  std::string message_pattern;  // "メッセージ"
  int self_condition = kConditionNone;    // "自分"
  int sender_condition = kConditionNone;  // "送信者"
  std::string action;  // "動作": action word, any letter case
  std::string target;  // "送信先"
  std::string info;    // "動作の情報"
  bool stop = false;   // "停止": skip the rest of the file after this item

  bool operator==(const TMacroItem&) const = default;
};

// The item of one line of a macro file, or nothing for an empty line or a
// "#" comment. Missing fields read empty or 0; the two reserved fields and
// anything after the thirteenth are ignored.
bool ParseMacroItem(std::string_view line, TMacroItem* item);
// The line of an item, without its CR LF.
std::string MacroItemLine(const TMacroItem& item);

// How the editor shows a condition: "+o", "-o", "+a", "-a" for 1 to 4,
// empty otherwise; and the stop flag: "○" when set.
const std::string& ConditionLabel(int condition);
const std::string& StopLabel(bool stop);

}  // namespace zeph
