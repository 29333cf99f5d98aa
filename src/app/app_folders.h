#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zeph {

// The folders of the process, fixed at start-up. The application folder
// holds users/<profile>/ with config/, macro/ (file/, sound/) and theme/
// (image/), and the shared theme/ — the same layout as on Windows, so a
// profile folder copied from there works here.
struct TAppFolders {
  std::filesystem::path application;
  std::string user_name;  // the login name, made safe
  std::string profile;    // the profile name, made safe
  // Whose version-1 settings files the import reads: the USER value when
  // given, else the login name (both made safe).
  std::string version1_user;
  std::filesystem::path shared_theme;
  std::filesystem::path shared_theme_image;
  std::filesystem::path profile_folder;
  std::filesystem::path config;
  std::filesystem::path macro;
  std::filesystem::path macro_data;
  std::filesystem::path macro_sound;
  std::filesystem::path profile_theme;
  std::filesystem::path profile_theme_image;

  // The profile: the USER value when given, else the login name when
  // multiuser.ini exists in the application folder, else "default".
  static TAppFolders Setup(const std::filesystem::path& application, std::string_view login_name,
                           std::string_view user_argument);
  // Creates the folders the program writes into.
  bool CreateAll() const;
};

// $ZEPHLORA_HOME when set, else $XDG_DATA_HOME/zephlora, else
// ~/.local/share/zephlora.
std::filesystem::path DefaultApplicationFolder();

// A name made safe as one folder name: the characters Windows forbids, and
// the separators of both systems, become "_"; so do "." and "..", which
// would leave the users folder.
std::string SafeFolderName(std::string_view name);

}  // namespace zeph
