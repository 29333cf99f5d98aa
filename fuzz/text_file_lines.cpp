// Any bytes as a text file read line by line. The reader reads ahead in
// chunks of 64 KiB, so the first byte moves the input to end up to 255
// bytes past the first chunk boundary, where a CR LF can be split. The
// lines must be those of the whole text cut at once, as the line list
// cuts it, and none may hold a CR or LF.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "settings/line_list.h"
#include "settings/text_file.h"

using namespace zeph;

namespace {

std::vector<std::string> LinesOfTheWhole(std::string_view text) {
  std::vector<std::string> lines;
  while (std::optional<TLineEnd> end = FindLineEnd(text, true)) {
    if (end->next == 0 || end->next > text.size() || end->length > end->next) abort();
    lines.emplace_back(text.substr(0, end->length));
    text.remove_prefix(end->next);
  }
  if (!text.empty()) abort();
  return lines;
}

std::vector<std::string> LinesOfTheFile(const std::string& text) {
  int fd = memfd_create("lines", MFD_CLOEXEC);
  if (fd < 0 || write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size())) abort();
  TTextFile file;
  if (!file.Open("/proc/self/fd/" + std::to_string(fd), TFileAccess::Read, TFileDisposition::OpenExisting)) abort();
  close(fd);
  std::vector<std::string> lines;
  for (std::string line; file.ReadLine(&line);) lines.push_back(line);
  if (file.Failed()) abort();
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::string text(65536 - 255 + data[0], 'p');
  text.append(reinterpret_cast<const char*>(data) + 1, size - 1);
  std::vector<std::string> lines = LinesOfTheWhole(text);
  for (const std::string& line : lines) {
    if (line.find_first_of("\r\n") != std::string::npos) abort();
  }
  if (LinesOfTheFile(text) != lines) abort();
  TLineList list;
  list.SetText(text);
  if (list.Lines() != lines) abort();
  return 0;
}
