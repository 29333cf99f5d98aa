#include "display/theme_files.h"

#include <algorithm>
#include <system_error>

#include "display/version1_theme.h"
#include "platform/cp932.h"
#include "platform/sjis.h"

namespace zeph {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kThemeExtension = ".theme";
constexpr std::string_view kVersion1Extension = ".lvf";
constexpr std::string_view kSharedMark = "**";
constexpr std::string_view kVersion1Mark = "*";

// Whether a single-byte character of the text is a control character or
// one of `forbidden`; the bytes of double-byte characters never count.
bool HasForbiddenCharacter(std::string_view text, std::string_view forbidden) {
  for (size_t pos = 0; pos < text.size();) {
    size_t length = SjisCharLength(text, pos);
    unsigned char c = static_cast<unsigned char>(text[pos]);
    if (length == 1 && (c < 0x20 || forbidden.find(static_cast<char>(c)) != std::string_view::npos)) return true;
    pos += length;
  }
  return false;
}

fs::path FileIn(const fs::path& folder, std::string_view name, std::string_view extension) {
  return folder / (cp932::ToUtf8(name) + std::string(extension));
}

// The themes of the files with `extension` in a folder, sorted by name:
// the name (in Shift_JIS) is the file name without the extension.
std::vector<TThemeEntry> ThemeEntries(const fs::path& folder, std::string_view extension, TThemeKind kind,
                                      std::string_view mark) {
  std::vector<TThemeEntry> entries;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::error_code type_error;
    if (!it->is_regular_file(type_error)) continue;
    std::string file = it->path().filename().string();
    if (file.size() <= extension.size() || !file.ends_with(extension)) continue;
    std::string name = cp932::FromUtf8(std::string_view(file).substr(0, file.size() - extension.size()));
    entries.push_back({std::string(mark) + name, kind, it->path()});
  }
  std::sort(entries.begin(), entries.end(), [](const TThemeEntry& a, const TThemeEntry& b) {
    return a.text != b.text ? a.text < b.text : a.path < b.path;
  });
  return entries;
}

void Append(std::vector<TThemeEntry>* entries, std::vector<TThemeEntry> more) {
  for (TThemeEntry& entry : more) entries->push_back(std::move(entry));
}

}  // namespace

const TThemeEntry& DefaultThemeEntry() {
  static const TThemeEntry entry{Sjis("**初期設定"), TThemeKind::Default, {}};
  return entry;
}

bool IsValidThemeName(std::string_view name) { return !name.empty() && !HasForbiddenCharacter(name, ":<>\\/*?|\""); }

std::vector<TThemeEntry> ListThemes(const TThemeFolders& folders) {
  std::vector<TThemeEntry> entries = {DefaultThemeEntry()};
  Append(&entries, ThemeEntries(folders.shared, kThemeExtension, TThemeKind::Shared, kSharedMark));
  Append(&entries, ThemeEntries(folders.profile, kVersion1Extension, TThemeKind::Version1, kVersion1Mark));
  Append(&entries, ThemeEntries(folders.profile, kThemeExtension, TThemeKind::User, ""));
  return entries;
}

bool LoadTheme(const TThemeEntry& entry, bool view, bool read_formats, TViewSettings* settings) {
  switch (entry.kind) {
    case TThemeKind::Default:
      if (view) settings->ResetViewSettings();
      if (read_formats) settings->formats.SetDefaults();
      return true;
    case TThemeKind::Version1:
      return LoadVersion1Theme(entry.path, view, read_formats, settings);
    case TThemeKind::Shared:
    case TThemeKind::User:
      return settings->LoadViewSettings(entry.path, view, read_formats);
  }
  return false;
}

bool SaveTheme(const TThemeFolders& folders, std::string_view name, const TViewSettings& settings) {
  return IsValidThemeName(name) && settings.SaveViewSettings(FileIn(folders.profile, name, kThemeExtension));
}

bool DeleteTheme(const TThemeEntry& entry) {
  if (!entry.Deletable()) return false;
  std::error_code error;
  return fs::remove(entry.path, error);
}

std::optional<fs::path> FindThemePicture(const TThemeFolders& folders, std::string_view name) {
  if (name.empty() || name == "." || name == ".." || HasForbiddenCharacter(name, "/\\")) return std::nullopt;
  for (const fs::path* folder : {&folders.profile_image, &folders.shared_image}) {
    fs::path path = FileIn(*folder, name, "");
    std::error_code error;
    if (fs::is_regular_file(path, error)) return path;
  }
  return std::nullopt;
}

}  // namespace zeph
