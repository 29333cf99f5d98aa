#include "macro/data_path.h"

#include <system_error>

#include "settings/line_list.h"
#include "platform/cp932.h"
#include "platform/file_names.h"

namespace zeph {
namespace {

namespace fs = std::filesystem;

// Line files and dictionaries are small; anything larger is no data file.
constexpr std::uintmax_t kMaxDataFileBytes = 16 * 1024 * 1024;

}  // namespace

std::optional<fs::path> DataFilePath(const fs::path& data_folder, std::string_view name) {
  if (name.empty()) return std::nullopt;
  fs::path named(cp932::ToUtf8(WithSlashes(name)));
  if (named.is_absolute()) return named;
  fs::path path = data_folder / named;
  if (!IsInsideFolder(data_folder, path)) return std::nullopt;
  return path;
}

bool LoadDataLines(const fs::path& file, TLineList* lines) {
  lines->Clear();
  std::error_code error;
  if (!fs::is_regular_file(file, error) || fs::file_size(file, error) > kMaxDataFileBytes || error) return false;
  return lines->LoadFromFile(file);
}

}  // namespace zeph
