// Log file names built from names that servers send and patterns from a
// settings file: whatever they hold, the file lies inside the log root, no
// name below the root is "." or "..", and every name fits the file system.
// Input: the pattern, the unit name and the target name separated by NUL
// bytes.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "display/log_file_path.h"
#include "platform/cp932.h"

using namespace zeph;
namespace fs = std::filesystem;

namespace {

void CheckInsideRoot(const fs::path& root, const fs::path& path) {
  auto name = path.begin();
  for (const fs::path& root_name : root) {
    if (name == path.end() || *name != root_name) abort();
    ++name;
  }
  if (name == path.end()) abort();
  for (; name != path.end(); ++name) {
    std::string text = name->string();
    if (text.empty() || text == "." || text == ".." || text.size() > kMaxFileNameBytes) abort();
    if (text.find('/') != std::string::npos || text.find('\0') != std::string::npos) abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  std::string_view fields[3];  // pattern, unit name, target name
  for (std::string_view& field : fields) {
    size_t end = std::min(input.find('\0'), input.size());
    field = input.substr(0, end);
    input.remove_prefix(std::min(end + 1, input.size()));
  }
  std::string_view pattern = fields[0];
  std::string unit = CleanLogName(fields[1]);
  std::string target = CleanLogName(fields[2]);

  std::string unit_utf8 = cp932::ToUtf8(unit);
  if (unit.empty() || unit == "." || unit == ".." || unit_utf8.find('/') != std::string::npos) abort();

  TLogFileSettings settings;
  settings.root = "/zeph-fuzz/root";
  settings.patterns.fill(std::string(pattern));
  std::optional<fs::path> path = LogFilePath(settings, TLogFileKind::Channel, unit, target, 1204688096);
  if (!path) return 0;
  CheckInsideRoot(settings.root, *path);
  CheckInsideRoot(settings.root, NumberedLogFilePath(*path, 42));
  return 0;
}
