#pragma once
#include <optional>
#include <string>
#include <vector>

#include "settings/preferences.h"

// The general file of a version-1 configuration (user name + "-general.ini"):
// preferences, three window options, and the user's identity, which version
// 1 kept once for all servers.
namespace zeph {

class TIniFile;

// The window options of window.ini it carries; each only when the file has
// the key.
struct TVersion1Window {
  std::optional<bool> find_case;     // [Find] Case
  std::optional<bool> menu_visible;  // [Main] MenuVisible
  std::optional<bool> top_most;      // [Main] TopMost
};

// Section User, given to every server entry the import makes.
struct TVersion1User {
  std::string username = "username";
  std::string realname = "my name";
  std::string part_message = "Leaving...";
  std::string quit_message = "Leaving...";
  std::string away_message = "Gone";
  std::string user_info;
  std::string user_mode = "+i";
  // Section Mode: the modes of channels by name.
  std::vector<std::pair<std::string, std::string>> channel_modes;
};

struct TVersion1General {
  TVersion1Window window;
  TVersion1User user;
};

// Reads the file (loaded with quotes stripped) into *prefs: each key with
// the preference's current value as its default, so a key the file lacks
// leaves the preference as it was.
TVersion1General ReadVersion1General(TIniFile& ini, TPreferences* prefs);

}  // namespace zeph
