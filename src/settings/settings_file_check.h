#pragma once

#include <filesystem>

namespace zeph {

// What keeps a settings file that is there from being used. A missing file
// is no trouble: it is a first start, and the defaults apply.
enum class TSettingsFileTrouble {
  kNone,
  kFolder,      // a folder stands where the file should be
  kUnreadable,  // it cannot be opened or read (error says why)
  kEmpty,
  kNoSettings,  // not one key=value line, or NUL bytes: not a settings file
};

struct TSettingsFileCheck {
  TSettingsFileTrouble trouble = TSettingsFileTrouble::kNone;
  int error = 0;  // errno for kUnreadable
};

TSettingsFileCheck CheckSettingsFile(const std::filesystem::path& path);

}  // namespace zeph
