#include "macro/data_path.h"

#include "platform/cp932.h"
#include "platform/file_names.h"

namespace zeph {

std::filesystem::path ResolveDataFile(const std::filesystem::path& data_folder, std::string_view name) {
  std::filesystem::path path(cp932::ToUtf8(WithSlashes(name)));
  return path.is_absolute() ? path : data_folder / path;
}

}  // namespace zeph
