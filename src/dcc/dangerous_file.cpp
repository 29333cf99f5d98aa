#include "dcc/dangerous_file.h"

#include <algorithm>
#include <array>
#include <string>

#include "platform/file_names.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

constexpr std::array<std::string_view, 14> kWarnedExtensions = {
    ".exe", ".scr", ".pif", ".bat", ".vbs", ".js",       ".doc",
    ".xls", ".desktop", ".sh", ".py", ".jar", ".appimage", ".run",
};

}  // namespace

bool WarnsBeforeOpening(std::string_view file_name) {
  size_t dot = ExtensionStart(file_name);
  if (dot == std::string_view::npos) return false;
  std::string extension(file_name.substr(dot));
  std::transform(extension.begin(), extension.end(), extension.begin(), AsciiLower);
  return std::find(kWarnedExtensions.begin(), kWarnedExtensions.end(), extension) != kWarnedExtensions.end();
}

}  // namespace zeph
