#include "macro/data_path.h"

#include <string>

#include "platform/cp932.h"
#include "platform/sjis.h"

namespace zeph {

std::filesystem::path ResolveDataFile(const std::filesystem::path& data_folder, std::string_view name) {
  std::string slashed(name);
  for (size_t pos = 0; pos < slashed.size();) {
    size_t length = SjisCharLength(slashed, pos);
    if (length == 1 && slashed[pos] == '\\') slashed[pos] = '/';
    pos += length;
  }
  std::filesystem::path path(cp932::ToUtf8(slashed));
  return path.is_absolute() ? path : data_folder / path;
}

}  // namespace zeph
