#pragma once

#include <filesystem>
#include <string_view>

// Data files that macro texts name (the lists of patterns, and the line
// files and dictionaries of the actions).
namespace zeph {

// The file a name in a macro item stands for. A name beginning with "/" or
// "\" is absolute; any other name lies in the data folder. "\" separates
// folders as "/" does, so names written on Windows keep working. The name
// is the item's own text, written by the user: it may name any file.
std::filesystem::path ResolveDataFile(const std::filesystem::path& data_folder, std::string_view name);

}  // namespace zeph
