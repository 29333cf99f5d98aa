#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "macro/macro_item.h"

// Macro files: "<name>.lmf" in the profile's macro folder, one item per
// line, Shift_JIS with CR LF as the Windows client writes them.
namespace zeph {

struct TMacroFile {
  std::string name;  // without folder and extension, internal text
  std::vector<TMacroItem> items;

  bool operator==(const TMacroFile&) const = default;
};

// The items of a file's contents; any line end is accepted.
std::vector<TMacroItem> ParseMacroFile(std::string_view bytes);
// The contents written for the items: one line each, CR LF after each.
std::string MacroFileText(const std::vector<TMacroItem>& items);

// Where the file of a name lies in the macro folder (the name in the file
// system's UTF-8). Nothing for a name that cannot be a macro file's: empty,
// "." or "..", or holding "/", "\", ":" or a control byte, so a name from a
// settings file never reaches outside the folder.
std::optional<std::filesystem::path> MacroFilePath(const std::filesystem::path& macro_folder, std::string_view name);

enum class TMacroFileLoad {
  Loaded,
  Missing,     // no such file: its binding may go
  Unreadable,  // the file is there but could not be read: keep the binding
};
TMacroFileLoad LoadMacroFile(const std::filesystem::path& macro_folder, std::string_view name, TMacroFile* file);

// Replaces the file of `file.name` whole (temporary file and rename),
// creating the macro folder when it is missing. False, and nothing
// written, for a name that cannot be a macro file's, or when the file
// could not be written (the old one then stays).
bool SaveMacroFile(const std::filesystem::path& macro_folder, const TMacroFile& file);

}  // namespace zeph
