#include "macro/macro_item.h"

#include "macro/record_line.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

// disabled, two reserved fields, four patterns, two conditions, action,
// target, info, stop.
constexpr size_t kFieldCount = 13;

const char* Flag(bool value) { return value ? "1" : "0"; }

}  // namespace

bool ParseMacroItem(std::string_view line, TMacroItem* item) {
  if (!IsRecordLine(line)) return false;
  std::vector<std::string> f = SplitRecord(line, kFieldCount);
  item->disabled = RecordInteger(f[0]) != 0;
  item->user_pattern = std::move(f[3]);
  item->command_pattern = std::move(f[4]);
  item->channel_pattern = std::move(f[5]);
  item->message_pattern = std::move(f[6]);
  item->self_condition = RecordInteger(f[7]);
  item->sender_condition = RecordInteger(f[8]);
  item->action = std::move(f[9]);
  item->target = std::move(f[10]);
  item->info = std::move(f[11]);
  item->stop = RecordInteger(f[12]) != 0;
  return true;
}

std::string MacroItemLine(const TMacroItem& item) {
  return JoinRecord({Flag(item.disabled), "", "", item.user_pattern, item.command_pattern, item.channel_pattern,
                     item.message_pattern, std::to_string(item.self_condition),
                     std::to_string(item.sender_condition), item.action, item.target, item.info, Flag(item.stop)});
}

const std::string& ConditionLabel(int condition) {
  static const std::string kLabels[] = {"", "+o", "-o", "+a", "-a"};
  return condition >= kConditionOperator && condition <= kConditionNotAway ? kLabels[condition] : kLabels[0];
}

const std::string& StopLabel(bool stop) {
  static const std::string kNone;
  return stop ? Sjis("○") : kNone;
}

}  // namespace zeph
