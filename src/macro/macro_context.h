#pragma once

#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "macro/macro_event.h"

// What an item's patterns and texts are evaluated against: the event, what
// the unit knows, the data folder and the time.
namespace zeph {

struct TPreferences;

// The questions macros ask the unit that offers the event.
class TMacroFacts {
 public:
  virtual ~TMacroFacts() = default;
  // Whether nick!user@host is the user himself: the unit's own nick, or a
  // match of one of the user's own masks.
  virtual bool IsSelfUser(std::string_view nick, std::string_view user, std::string_view host) const = 0;
  // Whether nick!user@host matches a mask of user group `group` + 1 (0-4).
  virtual bool IsGroupMember(int group, std::string_view nick, std::string_view user,
                             std::string_view host) const = 0;
  // Whether the unit has the channel and nick is an operator in it.
  virtual bool IsOperator(std::string_view channel, std::string_view nick) const = 0;
  virtual bool IsAway() const = 0;
  // The unit's channel or talk last selected in the tree; empty for its
  // console.
  virtual std::string ActiveChannelName() const = 0;
  // The text selected in the log, CR LF as blanks; empty when none is.
  virtual std::string SelectedText() const = 0;
  // The unit's own IPv4 address, dotted.
  virtual std::string LocalAddress() const = 0;
};

// A uniform random number from 0 to 32767, for the random line of a file.
int RandomUpTo32767();

struct TMacroContext {
  const TMacroEvent& event;
  const TMacroFacts& facts;
  std::filesystem::path data_folder;  // where relative data-file names lie
  std::time_t now = std::time(nullptr);
  std::function<int()> random = RandomUpTo32767;
};

// The answers of IsSelfUser and IsGroupMember from the user's own masks and
// the user groups of the preferences.
bool IsSelfUser(const TPreferences& preferences, std::string_view my_nick, std::string_view nick,
                std::string_view user, std::string_view host);
bool IsGroupMember(const TPreferences& preferences, int group, std::string_view nick, std::string_view user,
                   std::string_view host);

}  // namespace zeph
