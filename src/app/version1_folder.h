#pragma once
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

// Where a version-1 installation keeps its files. It came from Windows,
// whose file names ignore case, so "Config", "config" and "CONFIG" are the
// same folder when such an installation is copied here.
namespace zeph {

// The entry of `folder` named `name` with ASCII letters in any case (an
// exact match first); nothing when there is none.
std::optional<std::filesystem::path> FindEntryIgnoringCase(const std::filesystem::path& folder,
                                                           std::string_view name);

// Config/ + user name + suffix ("-general.ini", "-view.ini", ...).
std::optional<std::filesystem::path> FindVersion1ConfigFile(const std::filesystem::path& source,
                                                            std::string_view user_name, std::string_view suffix);

// Version-1 settings exist in a folder when its general file does.
bool HasVersion1Settings(const std::filesystem::path& source, std::string_view user_name);

// The folders the first-start wizard looks in before it asks: the
// application folder, then "zephlora1" beside it, where a version-1
// installation brought over from Windows is put by default.
std::vector<std::filesystem::path> Version1Candidates(const std::filesystem::path& application);

// The first candidate that has version-1 settings.
std::optional<std::filesystem::path> FindVersion1Installation(const std::filesystem::path& application,
                                                              std::string_view user_name);

}  // namespace zeph
