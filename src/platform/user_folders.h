#pragma once

#include <filesystem>
#include <optional>
#include <string>

// The logged-in user's identity and standard folders.
namespace zeph {

// $HOME, else the home folder of the password database; empty if neither.
std::filesystem::path HomeFolder();

// The user's documents and desktop folders, found as `xdg-user-dir` finds
// them: the XDG_DOCUMENTS_DIR or XDG_DESKTOP_DIR entry of user-dirs.dirs
// in $XDG_CONFIG_HOME (default ~/.config), else ~/Documents or ~/Desktop.
// Empty when there is no home folder and no entry.
std::filesystem::path DocumentsFolder();
std::filesystem::path DesktopFolder();

// The login name: the password database's, else $USER or $LOGNAME; empty
// if none is known.
std::string UserLoginName();

// The password database entry of the effective user, as far as it is used
// here.
struct TAccount {
  std::string login_name;
  std::filesystem::path home;
};
using TAccountLookup = std::optional<TAccount> (*)();
// Replaces the password database lookup, for tests that must not depend on
// the accounts of the machine; nullptr restores the real one. Returns the
// lookup replaced.
TAccountLookup SetAccountLookup(TAccountLookup lookup);

}  // namespace zeph
