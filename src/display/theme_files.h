#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "display/view_settings.h"

// Themes: view.ini contents saved under a name (extension ".theme"), shipped
// in the shared theme folder or made by the user in the profile theme
// folder, which also holds version-1 themes (".lvf"). Each theme folder has
// an image folder for the pictures its backgrounds name.
namespace zeph {

struct TThemeFolders {
  std::filesystem::path shared;         // themes shipped with the program
  std::filesystem::path shared_image;   // their pictures
  std::filesystem::path profile;        // the user's themes and version-1 themes
  std::filesystem::path profile_image;  // the user's pictures
};

// The list entry of the default theme, "**初期設定" (Shift_JIS).
const std::string& DefaultThemeEntry();

// A name a theme can be saved under: at least one byte, and none of
// : < > \ / * ? | " or a control character (double-byte characters are
// taken whole, so their second byte is never mistaken for one).
bool IsValidThemeName(std::string_view name);

// The entries of the theme list, as Shift_JIS texts in this order: the
// default theme; "**" + name for each shared theme; "*" + name for each
// version-1 theme; the bare name for each user theme. Names are sorted by
// their bytes within each group; a file whose name could not be saved as a
// theme (or not read back in Shift_JIS) is left out, so every entry leads
// back to its own file.
std::vector<std::string> ListThemes(const TThemeFolders& folders);

enum class TThemeKind { Default, Shared, Version1, User };

struct TThemeFile {
  TThemeKind kind = TThemeKind::Default;
  std::filesystem::path path;  // empty for the default theme
};

// The file an entry of the list stands for; nothing for an entry that no
// list could hold (an invalid name).
std::optional<TThemeFile> FindThemeFile(const TThemeFolders& folders, std::string_view entry);

// Loads an entry's view settings and/or formats into *settings: the default
// theme resets them; a shared or user theme reads its file. False, and
// nothing changed, when the file is missing or unreadable. Version-1 themes
// have a reader of their own and give false here.
bool LoadTheme(const TThemeFolders& folders, std::string_view entry, bool view, bool read_formats,
               TViewSettings* settings);
// Saves the settings as the user theme `name`, replacing one of that name.
// False for an invalid name or a failed write.
bool SaveTheme(const TThemeFolders& folders, std::string_view name, const TViewSettings& settings);
// Deletes a user or version-1 theme; the default and shared themes stay.
bool DeleteTheme(const TThemeFolders& folders, std::string_view entry);

// A picture named by a background: a bare file name, looked up in the
// profile image folder and then in the shared one. Nothing when the name
// holds a folder separator, is "." or "..", or names no file in either.
std::optional<std::filesystem::path> FindThemePicture(const TThemeFolders& folders, std::string_view name);

}  // namespace zeph
