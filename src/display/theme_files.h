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

// A name a theme can be saved under: at least one byte, and none of
// : < > \ / * ? | " or a control character (double-byte characters are
// taken whole, so their second byte is never mistaken for one).
bool IsValidThemeName(std::string_view name);

enum class TThemeKind { Default, Shared, Version1, User };

// One entry of the theme list: the text it is shown with and the file it
// stands for. The file is kept beside the text and never parsed back out
// of it, since a user theme may itself be named "*x" or "**x".
struct TThemeEntry {
  std::string text;  // Shift_JIS: "**初期設定", "**" + name, "*" + name, or the bare name
  TThemeKind kind = TThemeKind::Default;
  std::filesystem::path path;  // empty for the default theme

  // Only user and version-1 themes may be deleted.
  bool Deletable() const { return kind == TThemeKind::User || kind == TThemeKind::Version1; }
  bool operator==(const TThemeEntry&) const = default;
};

// The entry of the default theme, "**初期設定".
const TThemeEntry& DefaultThemeEntry();

// The theme list in its order: the default theme; "**" + name for each
// shared theme; "*" + name for each version-1 theme; the bare name for each
// user theme. Names are sorted by their Shift_JIS bytes within each group.
// Every file with a name before its extension is listed, whatever that name
// holds; a character without a Shift_JIS form is shown as "〓".
std::vector<TThemeEntry> ListThemes(const TThemeFolders& folders);

// Loads an entry's view settings and/or formats into *settings: the default
// theme resets them, a version-1 theme goes through the version-1 readers,
// the others read their file. False, and nothing changed, when the file is
// missing or unreadable.
bool LoadTheme(const TThemeEntry& entry, bool view, bool read_formats, TViewSettings* settings);
// Saves the settings as the user theme `name`, replacing one of that name.
// False for an invalid name or a failed write.
bool SaveTheme(const TThemeFolders& folders, std::string_view name, const TViewSettings& settings);
// Deletes a user or version-1 theme; the default and shared themes stay.
bool DeleteTheme(const TThemeEntry& entry);

// A picture named by a background: a bare file name, looked up in the
// profile image folder and then in the shared one. Nothing when the name
// holds a folder separator, is "." or "..", or names no file in either.
std::optional<std::filesystem::path> FindThemePicture(const TThemeFolders& folders, std::string_view name);

}  // namespace zeph
