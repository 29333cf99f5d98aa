#pragma once

#include <filesystem>
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

}  // namespace zeph
