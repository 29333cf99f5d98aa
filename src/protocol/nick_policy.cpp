#include "protocol/nick_policy.h"

#include <algorithm>

#include "settings/preferences.h"
#include "engine/channel_name.h"
#include "engine/unit.h"
#include "engine/world.h"
#include "platform/sjis.h"
#include "protocol/numeric_windows.h"

namespace zeph {
namespace {

constexpr int kDefaultNickLength = 9;
constexpr int kErroneousNickname = 432;

}  // namespace

int MaxNickLength(const TUnit& unit) {
  const TServerConfig& config = unit.Config();
  return std::max(0, config.enable_nick_len ? config.nick_len : kDefaultNickLength);
}

std::string CutNick(std::string_view nick, int max_bytes) {
  size_t limit = static_cast<size_t>(std::max(0, max_bytes));
  size_t end = 0;
  while (end < nick.size()) {
    size_t next = end + SjisCharLength(nick, end);
    if (next > limit) break;
    end = next;
  }
  return std::string(nick.substr(0, end));
}

std::optional<std::string> UnderscoreRetry(std::string_view nick, int max_length) {
  std::string retry(nick);
  if (retry.size() >= static_cast<size_t>(std::max(0, max_length))) {
    retry = CutNick(retry, max_length);
    size_t last = std::string::npos;
    size_t last_length = 0;
    for (size_t pos = 0; pos < retry.size(); pos += SjisCharLength(retry, pos)) {
      if (retry[pos] == '_') continue;
      last = pos;
      last_length = SjisCharLength(retry, pos);
    }
    if (last == std::string::npos) return std::nullopt;
    retry.erase(last, last_length);
  }
  return retry + "_";
}

TNumberedRetry NumberedRetry(std::string_view nick, int number, int max_length) {
  std::string suffix = std::to_string(number);
  TNumberedRetry retry{std::string(nick), std::string()};
  if (retry.cut.size() + suffix.size() > static_cast<size_t>(std::max(0, max_length))) {
    // A limit shorter than the number leaves nothing of the nick, never
    // less than nothing.
    retry.cut = CutNick(retry.cut, max_length - static_cast<int>(suffix.size()));
  }
  retry.candidate = retry.cut + suffix;
  return retry;
}

void TNickPolicy::OnRejected(TUnit& unit, int numeric) {
  if (numeric == kErroneousNickname) {
    if (unit.IsLoggedIn()) {
      // The server keeps the nick we had; the user's choice goes back.
      unit.NickRetries().RevertChoice();
      return;
    }
    // A nick that cleaning cannot improve would only be refused again:
    // the policy has to find another one.
    if (SanitizeNick(unit.NickRetries().Requested()) != unit.NickRetries().Requested()) {
      Clean(unit);
      return;
    }
  }
  switch (static_cast<TNickPolicyKind>(world_.Preferences().NickPolicy)) {
    case TNickPolicyKind::Underscores: RetryWithUnderscore(unit); break;
    case TNickPolicyKind::Numbers: RetryWithNumber(unit); break;
    case TNickPolicyKind::Ask:
      // Without a window to ask in (a headless run) the session must not
      // hang in registration: fall back to underscores.
      if (windows_.Host()) {
        Ask(unit);
      } else {
        RetryWithUnderscore(unit);
      }
      break;
    default: break;
  }
}

void TNickPolicy::Clean(TUnit& unit) {
  TNickRetries& retries = unit.NickRetries();
  retries.Request(SanitizeNick(retries.Requested()));
  unit.SetCurrentNick(retries.Requested());
  unit.SendCommand("NICK", retries.Requested(), std::string(), 2, 0);
}

void TNickPolicy::RetryWithUnderscore(TUnit& unit) {
  std::optional<std::string> retry = UnderscoreRetry(unit.NickRetries().Requested(), MaxNickLength(unit));
  if (!retry) {
    unit.PrintToUnit(TMessageKind::Error, std::string(), Sjis("使えるニックがありません"));
    if (unit.State() == TUnitState::Connected) unit.Disconnect(true, false);
    return;
  }
  unit.NickRetries().Request(*retry);
  SendRetry(unit, *retry);
}

void TNickPolicy::RetryWithNumber(TUnit& unit) {
  TNickRetries& retries = unit.NickRetries();
  TNumberedRetry retry = NumberedRetry(retries.Requested(), retries.TakeNumber(), MaxNickLength(unit));
  retries.Request(retry.cut);
  SendRetry(unit, retry.candidate);
}

void TNickPolicy::SendRetry(TUnit& unit, const std::string& nick) {
  if (!unit.IsLoggedIn()) unit.SetCurrentNick(nick);
  unit.SendCommand("NICK", nick, std::string(), 2, 0);
}

void TNickPolicy::Ask(TUnit& unit) {
  // One question at a time: a burst of refusals must not stack dialogs.
  if (!asking_.insert(unit.Id()).second) return;
  TNickQuestion question{world_.Preferences().nick_list, unit.Nick(), unit.IsAway()};
  TNodeId id = unit.Id();
  windows_.Host()->AskNick(unit, question, [this, id](const TNickAnswer& answer) { ApplyAnswer(id, answer); });
}

void TNickPolicy::ApplyAnswer(TNodeId unit_id, const TNickAnswer& answer) {
  asking_.erase(unit_id);
  world_.Preferences().nick_list = answer.nick_list;
  TUnit* unit = world_.FindUnitById(unit_id);
  if (unit == nullptr || unit->IsClosing() || !answer.ok) return;
  if (!answer.nick.empty()) unit->SendNick(answer.nick, true);
  if (answer.away == unit->IsAway()) return;
  if (!answer.away) {
    unit->SendAway(std::string());
    return;
  }
  std::string message = unit->AwayMessage();
  if (message.empty()) {
    const std::string& configured = unit->Config().away_message;
    message = unit->ExpandVariables(configured);
  }
  unit->SendAway(message.empty() ? "Gone" : message);
}

}  // namespace zeph
