#pragma once

#include <array>
#include <cstddef>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_names.h"

// Where log files go: the root folder and the name patterns of the
// preferences, with the names of units, channels and nicks put in safely.
// Channel names and nicks come from servers, so no name can leave the root
// folder, name a hidden file, or make a name the file system refuses.
namespace zeph {

struct TPreferences;

// The logs that have files, numbered as the log settings number them.
enum class TLogFileKind { Unit = 0, Channel = 1, Talk = 2, DccChat = 3, Url = 4 };
inline constexpr size_t kLogFileKindCount = 5;

// The log file preferences, ready for use.
struct TLogFileSettings {
  // Absolute, in the file system's encoding; empty when no usable folder is
  // known (then no log file opens).
  std::filesystem::path root;
  std::array<std::string, kLogFileKindCount> patterns;  // internal text, "\" separates folders
  std::array<bool, kLogFileKindCount> enabled{};
  bool force_flush = false;  // ForceFlushLog
  int flush_seconds = 180;   // FlushLogTime
};

// LogRootDir, UnitLogFile … URLLogFile, Enable…Log, ForceFlushLog and
// FlushLogTime. A root that is empty or not absolute here (such as a
// Windows drive path from a copied profile) gives way to the default one.
TLogFileSettings LogFileSettingsFrom(const TPreferences& preferences);

// A unit, channel or nick name as a piece of a file name: the characters
// that folders and the file systems of both platforms reserve, and control
// bytes, become "_"; so do the names "." and ".." and the empty name.
std::string CleanLogName(std::string_view name);

// The file of a log for the local date of `now`: the kind's pattern with
// %s and %p (the unit name), %c (the target name), %y, %m and %d expanded,
// under the root. Two dots never stay side by side, each name is held to
// the file system's limit, and the result always lies inside the root.
// Nothing when the pattern yields no file name or no root is known.
std::optional<std::filesystem::path> LogFilePath(const TLogFileSettings& settings, TLogFileKind kind,
                                                 std::string_view unit_name, std::string_view target_name,
                                                 std::time_t now);

// "name_07.txt" for "name.txt" and 7: where a log goes when its own file
// cannot be opened. Only the last name's extension counts.
std::filesystem::path NumberedLogFilePath(const std::filesystem::path& path, int number);

}  // namespace zeph
