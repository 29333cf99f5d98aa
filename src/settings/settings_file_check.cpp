#include "settings/settings_file_check.h"

#include <cerrno>
#include <string>

#include "settings/ini_file.h"
#include "settings/text_file.h"

namespace zeph {

TSettingsFileCheck CheckSettingsFile(const std::filesystem::path& path) {
  std::error_code ec;
  std::filesystem::file_status status = std::filesystem::status(path, ec);
  if (status.type() == std::filesystem::file_type::not_found) return {};
  if (ec) return {TSettingsFileTrouble::kUnreadable, ec.value()};
  if (std::filesystem::is_directory(status)) return {TSettingsFileTrouble::kFolder};

  TTextFile file;
  if (!file.Open(path, TFileAccess::Read, TFileDisposition::OpenExisting))
    return {TSettingsFileTrouble::kUnreadable, errno};
  std::string bytes;
  char chunk[65536];
  while (size_t n = file.Read(chunk, sizeof chunk)) bytes.append(chunk, n);
  if (file.Failed()) return {TSettingsFileTrouble::kUnreadable, errno};
  if (bytes.empty()) return {TSettingsFileTrouble::kEmpty};
  TIniFile ini;
  ini.LoadText(bytes);
  if (bytes.find('\0') != std::string::npos || ini.Empty()) return {TSettingsFileTrouble::kNoSettings};
  return {};
}

}  // namespace zeph
