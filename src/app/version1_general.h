#pragma once
#include <string>
#include <vector>

#include "settings/preferences.h"
#include "settings/window_layout.h"

// The general file of a version-1 configuration (user name + "-general.ini"):
// preferences, three window options, and the user's identity, which version
// 1 kept once for all servers.
namespace zeph {

class TIniFile;

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

// Reads the file (loaded with quotes stripped) into *prefs and its window
// options into *layout (find case, menu bar, topmost): each key with the
// setting's current value as its default, so a key the file lacks leaves
// the setting as it was. Gives the user's identity.
TVersion1User ReadVersion1General(TIniFile& ini, TPreferences* prefs, TWindowLayout* layout);

}  // namespace zeph
