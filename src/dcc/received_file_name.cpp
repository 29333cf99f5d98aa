#include "dcc/received_file_name.h"

#include "settings/preferences.h"
#include "platform/cp932.h"
#include "platform/file_names.h"
#include "platform/string_printf.h"
#include "platform/user_folders.h"

namespace zeph {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kIncompletePrefix = "_incomplete_";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// prefix + stem + suffix + ext within the limit, where name_utf8 = stem +
// ext. An extension so long that the number would not fit beside it
// counts as part of the stem, so the number always survives the cut.
std::string DiskName(std::string_view name_utf8, std::string_view prefix, std::string_view suffix) {
  size_t limit = kMaxFileNameBytes - prefix.size();
  size_t dot = ExtensionStart(name_utf8);
  if (dot != std::string_view::npos && name_utf8.size() - dot + suffix.size() >= limit) dot = std::string_view::npos;
  std::string_view stem = name_utf8.substr(0, dot);
  std::string tail(suffix);
  if (dot != std::string_view::npos) tail += name_utf8.substr(dot);
  std::string name = std::string(prefix) + FitFileName(stem, tail, limit);
  // A stem cut away entirely must not leave a hidden file.
  if (name.front() == '.') name.front() = '_';
  return name;
}

std::string NumberSuffix(int number) { return number == kNoNumber ? std::string() : StringPrintf("_%02d", number); }

}  // namespace

std::string CleanReceivedName(std::string_view name) {
  std::string cleaned(name);
  ReplaceSingleByteChars(cleaned, IsReservedInFileName);
  if (cleaned.empty() || cleaned == "." || cleaned == "..") return "_";
  if (cleaned.front() == '.') cleaned.front() = '_';
  return cleaned;
}

std::string IncompleteFileName(std::string_view cleaned_name, int number) {
  return DiskName(cp932::ToUtf8(cleaned_name), kIncompletePrefix, NumberSuffix(number));
}

std::string FinalFileName(std::string_view cleaned_name, int number) {
  return DiskName(cp932::ToUtf8(cleaned_name), {}, NumberSuffix(number));
}

bool IsIncompleteFileOf(std::string_view disk_name, std::string_view cleaned_name) {
  if (!disk_name.starts_with(kIncompletePrefix)) return false;
  std::string name_utf8 = cp932::ToUtf8(cleaned_name);
  if (disk_name == DiskName(name_utf8, kIncompletePrefix, {})) return true;
  // Wherever "_" and digits stand, they may be the number.
  for (size_t start = kIncompletePrefix.size(); start < disk_name.size(); ++start) {
    if (disk_name[start] != '_') continue;
    size_t end = start + 1;
    while (end < disk_name.size() && IsDigit(disk_name[end])) ++end;
    if (end == start + 1) continue;
    if (disk_name == DiskName(name_utf8, kIncompletePrefix, disk_name.substr(start, end - start))) return true;
  }
  return false;
}

fs::path ReceiveRootFolder(const TPreferences& preferences) {
  fs::path root = FolderFromText(preferences.DCCRootDir);
  return root.empty() ? AbsoluteFolder(DesktopFolder()) : root;
}

fs::path ReceiveFolder(const TPreferences& preferences, std::string_view nick) {
  fs::path root = ReceiveRootFolder(preferences);
  if (root.empty() || !preferences.ReceiveInNickFolder) return root;
  std::string folder = FitFileName(cp932::ToUtf8(CleanReceivedName(nick)), {});
  return FileInFolder(root, folder).value_or(root);
}

std::optional<fs::path> FileInFolder(const fs::path& folder, std::string_view disk_name) {
  if (disk_name.empty() || disk_name == "." || disk_name == ".." || disk_name.size() > kMaxFileNameBytes ||
      disk_name.find_first_of(std::string_view("/\0", 2)) != std::string_view::npos)
    return std::nullopt;
  fs::path path = folder / fs::path(disk_name);
  if (!IsInsideFolder(folder, path)) return std::nullopt;
  return path;
}

}  // namespace zeph
