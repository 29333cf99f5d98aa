#include "display/theme_files.h"

#include <algorithm>
#include <system_error>

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

// The theme names of the files with `extension` in a folder, sorted.
std::vector<std::string> ThemeNames(const fs::path& folder, std::string_view extension) {
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::error_code type_error;
    if (!it->is_regular_file(type_error)) continue;
    std::string file = it->path().filename().string();
    if (file.size() <= extension.size() || !file.ends_with(extension)) continue;
    std::string utf8 = file.substr(0, file.size() - extension.size());
    std::string name = cp932::FromUtf8(utf8);
    if (cp932::ToUtf8(name) == utf8 && IsValidThemeName(name)) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

const std::string& DefaultThemeEntry() { return Sjis("**初期設定"); }

bool IsValidThemeName(std::string_view name) { return !name.empty() && !HasForbiddenCharacter(name, ":<>\\/*?|\""); }

std::vector<std::string> ListThemes(const TThemeFolders& folders) {
  std::vector<std::string> entries = {DefaultThemeEntry()};
  for (std::string& name : ThemeNames(folders.shared, kThemeExtension)) entries.push_back(std::string(kSharedMark) + name);
  for (std::string& name : ThemeNames(folders.profile, kVersion1Extension))
    entries.push_back(std::string(kVersion1Mark) + name);
  for (std::string& name : ThemeNames(folders.profile, kThemeExtension)) entries.push_back(std::move(name));
  return entries;
}

std::optional<TThemeFile> FindThemeFile(const TThemeFolders& folders, std::string_view entry) {
  if (entry == DefaultThemeEntry()) return TThemeFile{};
  TThemeFile file;
  std::string_view name = entry;
  if (entry.starts_with(kSharedMark)) {
    name.remove_prefix(kSharedMark.size());
    file = {TThemeKind::Shared, FileIn(folders.shared, name, kThemeExtension)};
  } else if (entry.starts_with(kVersion1Mark)) {
    name.remove_prefix(kVersion1Mark.size());
    file = {TThemeKind::Version1, FileIn(folders.profile, name, kVersion1Extension)};
  } else {
    file = {TThemeKind::User, FileIn(folders.profile, name, kThemeExtension)};
  }
  if (!IsValidThemeName(name)) return std::nullopt;
  return file;
}

bool LoadTheme(const TThemeFolders& folders, std::string_view entry, bool view, bool read_formats,
               TViewSettings* settings) {
  std::optional<TThemeFile> file = FindThemeFile(folders, entry);
  if (!file || file->kind == TThemeKind::Version1) return false;
  if (file->kind != TThemeKind::Default) return settings->LoadViewSettings(file->path, view, read_formats);
  if (view) settings->ResetViewSettings();
  if (read_formats) settings->formats.SetDefaults();
  return true;
}

bool SaveTheme(const TThemeFolders& folders, std::string_view name, const TViewSettings& settings) {
  return IsValidThemeName(name) && settings.SaveViewSettings(FileIn(folders.profile, name, kThemeExtension));
}

bool DeleteTheme(const TThemeFolders& folders, std::string_view entry) {
  std::optional<TThemeFile> file = FindThemeFile(folders, entry);
  if (!file || (file->kind != TThemeKind::User && file->kind != TThemeKind::Version1)) return false;
  std::error_code error;
  return fs::remove(file->path, error);
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
