#pragma once

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "display/link_key.h"

// What the client does when the server refuses a nick (numerics 432, 433,
// 436 and 437 for a nick), by the NickPolicy preference.
namespace zeph {

class TReplyWindows;
class TUnit;
class TWorld;

enum class TNickPolicyKind { Underscores = 0, Numbers = 1, Ask = 2, Nothing = 3 };

// The longest nick the retries build: NickLen when EnableNickLen is set,
// else 9; never below 0.
int MaxNickLength(const TUnit& unit);

// A nick cut to at most max_bytes without splitting a double-byte character.
std::string CutNick(std::string_view nick, int max_bytes);

// The underscore retry: a nick at the length limit loses its last character
// that is not "_", then "_" is appended. Nothing when only underscores are
// left.
std::optional<std::string> UnderscoreRetry(std::string_view nick, int max_length);

// The numbered retry: the nick, cut so that the number fits the limit, then
// the number.
struct TNumberedRetry {
  std::string cut;        // the requested nick from now on
  std::string candidate;  // what is sent
};
TNumberedRetry NumberedRetry(std::string_view nick, int number, int max_length);

// The question of the Ask policy and the user's answer.
struct TNickQuestion {
  std::vector<std::string> nick_list;  // the NickList preference
  std::string nick;                    // the nick the server refused
  bool away = false;
};
struct TNickAnswer {
  bool ok = false;
  std::string nick;
  std::vector<std::string> nick_list;  // edited; stored back either way
  bool away = false;
};
using TNickAnswerCallback = std::function<void(const TNickAnswer&)>;

class TNickPolicy {
 public:
  TNickPolicy(TWorld& world, TReplyWindows& windows) : world_(world), windows_(windows) {}

  void OnRejected(TUnit& unit, int numeric);

 private:
  void Clean(TUnit& unit);
  void RetryWithUnderscore(TUnit& unit);
  void RetryWithNumber(TUnit& unit);
  void Ask(TUnit& unit);
  void ApplyAnswer(TNodeId unit_id, const TNickAnswer& answer);
  // A retry before registration is also the nick we go by.
  void SendRetry(TUnit& unit, const std::string& nick);

  TWorld& world_;
  TReplyWindows& windows_;
  std::set<TNodeId> asking_;  // units whose question is on screen
};

}  // namespace zeph
