#include "app/app_folders.h"

#include <cstdlib>

#include "platform/files.h"
#include "platform/user_folders.h"

namespace zeph {

std::string SafeFolderName(std::string_view name) {
  std::string safe(name);
  for (char& c : safe) {
    switch (c) {
      case ':': case '<': case '>': case '*': case '?': case '|': case '"': case '/': case '\\': c = '_'; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) c = '_';
        break;
    }
  }
  if (safe == "." || safe == "..") safe = "_";
  return safe;
}

std::filesystem::path DefaultApplicationFolder() {
  if (const char* home = std::getenv("ZEPHLORA_HOME"); home && *home) return home;
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) return std::filesystem::path(data) / "zephlora";
  return HomeFolder() / ".local" / "share" / "zephlora";
}

TAppFolders TAppFolders::Setup(const std::filesystem::path& application, std::string_view login_name,
                               std::string_view user_argument) {
  TAppFolders f;
  f.application = application;
  f.user_name = SafeFolderName(login_name);
  if (!user_argument.empty()) {
    f.profile = SafeFolderName(user_argument);
  } else if (!f.user_name.empty() && std::filesystem::exists(application / "multiuser.ini")) {
    f.profile = f.user_name;
  } else {
    f.profile = "default";
  }
  f.version1_user = user_argument.empty() ? f.user_name : f.profile;
  f.shared_theme = application / "theme";
  f.shared_theme_image = f.shared_theme / "image";
  f.profile_folder = application / "users" / f.profile;
  f.config = f.profile_folder / "config";
  f.macro = f.profile_folder / "macro";
  f.macro_data = f.macro / "file";
  f.macro_sound = f.macro / "sound";
  f.profile_theme = f.profile_folder / "theme";
  f.profile_theme_image = f.profile_theme / "image";
  return f;
}

bool TAppFolders::CreateAll() const {
  bool ok = CreateFolders(shared_theme_image, TFilePrivacy::Shared);
  // The configuration holds passwords.
  ok &= CreateFolders(config, TFilePrivacy::OwnerOnly);
  ok &= CreateFolders(macro_data, TFilePrivacy::Shared);
  ok &= CreateFolders(macro_sound, TFilePrivacy::Shared);
  ok &= CreateFolders(profile_theme_image, TFilePrivacy::Shared);
  return ok;
}

}  // namespace zeph
