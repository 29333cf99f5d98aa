#pragma once

#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "settings/preferences.h"
#include "macro/macro_context.h"

namespace zeph::test {

// A unit as the macro tests need it: the user's masks and groups, operators
// by channel and nick, the away flag and the view's answers.
class TFakeMacroFacts : public TMacroFacts {
 public:
  std::string my_nick = "me";
  TPreferences preferences;
  std::set<std::pair<std::string, std::string>> operators;  // channel, nick
  bool away = false;
  std::string active_channel = "#active";
  std::string selected_text;
  std::string local_address = "192.0.2.7";

  bool IsSelfUser(std::string_view nick, std::string_view user, std::string_view host) const override {
    return zeph::IsSelfUser(preferences, my_nick, nick, user, host);
  }
  bool IsGroupMember(int group, std::string_view nick, std::string_view user, std::string_view host) const override {
    return zeph::IsGroupMember(preferences, group, nick, user, host);
  }
  bool IsOperator(std::string_view channel, std::string_view nick) const override {
    return operators.contains({std::string(channel), std::string(nick)});
  }
  bool IsAway() const override { return away; }
  std::string ActiveChannelName() const override { return active_channel; }
  std::string SelectedText() const override { return selected_text; }
  std::string LocalAddress() const override { return local_address; }
};

}  // namespace zeph::test
