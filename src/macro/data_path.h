#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Data files that macro texts name (the lists of patterns, and the line
// files and dictionaries of the actions).
namespace zeph {

class TLineList;

// The file a name in a macro item stands for. A name beginning with "/" or
// "\" is absolute; any other name lies in the data folder and may not
// leave it ("../x" names nothing), nor may an empty name. "\" separates
// folders as "/" does, so names written on Windows keep working. An
// absolute name can only come from the item's own text: variable values
// never hold a separator.
std::optional<std::filesystem::path> DataFilePath(const std::filesystem::path& data_folder, std::string_view name);

// The lines of a data file. Only a regular file of a sane size is read, so
// a name such as /dev/zero cannot make a macro read forever. False when
// the file is missing or refused; the list is then empty.
bool LoadDataLines(const std::filesystem::path& file, TLineList* lines);

}  // namespace zeph
