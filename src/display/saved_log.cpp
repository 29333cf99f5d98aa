#include "display/saved_log.h"

#include <cstring>
#include <fstream>

#include "display/line_store.h"
#include "platform/sjis.h"
#include "platform/string_printf.h"

namespace zeph {

std::string SafeFileNamePart(std::string_view name) {
  std::string safe(name);
  for (size_t pos = 0; pos < safe.size(); pos += SjisCharLength(safe, pos))
    if (SjisCharLength(safe, pos) == 1 && safe[pos] != '\0' && std::strchr(":<>\\/*?|\"", safe[pos])) safe[pos] = '_';
  return safe;
}

std::string SavedLogFileName(std::string_view name, int year, int month, int day) {
  return SafeFileNamePart(name) + StringPrintf("-%04d%02d%02d.txt", year, month, day);
}

bool WriteSavedLog(const std::filesystem::path& path, const TLineStore& lines) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) return false;
  std::string text = lines.JoinedText();
  file.write(text.data(), static_cast<std::streamsize>(text.size()));
  file.close();
  return !file.fail();
}

}  // namespace zeph
