#include "macro/macro_file.h"

#include <system_error>

#include "settings/line_list.h"
#include "macro/record_line.h"
#include "platform/cp932.h"
#include "platform/files.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kExtension = ".lmf";

bool IsUsableName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (size_t pos = 0; pos < name.size();) {
    size_t length = SjisCharLength(name, pos);
    unsigned char c = static_cast<unsigned char>(name[pos]);
    if (length == 1 && (c < 0x20 || c == 0x7F || c == '/' || c == '\\' || c == ':')) return false;
    pos += length;
  }
  return true;
}

}  // namespace

std::vector<TMacroItem> ParseMacroFile(std::string_view bytes) {
  TLineList lines;
  lines.SetText(bytes);
  return ReadRecords(lines, ParseMacroItem);
}

std::string MacroFileText(const std::vector<TMacroItem>& items) { return RecordLines(items, MacroItemLine).Text(); }

std::optional<fs::path> MacroFilePath(const fs::path& macro_folder, std::string_view name) {
  if (!IsUsableName(name)) return std::nullopt;
  return macro_folder / (cp932::ToUtf8(name) + std::string(kExtension));
}

TMacroFileLoad LoadMacroFile(const fs::path& macro_folder, std::string_view name, TMacroFile* file) {
  std::optional<fs::path> path = MacroFilePath(macro_folder, name);
  if (!path) return TMacroFileLoad::Missing;
  TLineList lines;
  if (!lines.LoadFromFile(*path)) {
    std::error_code error;
    bool exists = fs::exists(*path, error);
    // A folder that cannot be searched says nothing about the file.
    return exists || error ? TMacroFileLoad::Unreadable : TMacroFileLoad::Missing;
  }
  file->name = name;
  file->items = ReadRecords(lines, ParseMacroItem);
  return TMacroFileLoad::Loaded;
}

bool SaveMacroFile(const fs::path& macro_folder, const TMacroFile& file) {
  std::optional<fs::path> path = MacroFilePath(macro_folder, file.name);
  if (!path) return false;
  CreateFolders(macro_folder, TFilePrivacy::Shared);
  return RecordLines(file.items, MacroItemLine).SaveToFile(*path);
}

}  // namespace zeph
