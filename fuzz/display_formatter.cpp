// A format from a settings file expanded with values from other users: the
// placeholder expander and the time piece. Input: the format, then the
// values of n, m, s, c, x separated by NUL bytes.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "display/formatter.h"
#include "display/message_format.h"

using namespace zeph;

namespace {

std::vector<std::string_view> SplitAtNul(std::string_view bytes) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (size_t nul; (nul = bytes.find('\0', start)) != std::string_view::npos; start = nul + 1)
    parts.push_back(bytes.substr(start, nul - start));
  parts.push_back(bytes.substr(start));
  return parts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string_view> parts = SplitAtNul(input);
  std::string_view format = parts[0];

  constexpr char kLetters[] = {'n', 'm', 's', 'c', 'x'};
  TFormatter formatter;
  size_t longest = 0;
  for (size_t i = 1; i < parts.size() && i <= std::size(kLetters); ++i) {
    formatter.SetValue(kLetters[i - 1], parts[i]);
    longest = std::max(longest, parts[i].size());
  }
  std::string out = formatter.Expand(format);
  // Every format byte yields at most one padded value or the byte itself.
  if (out.size() > format.size() * std::max(longest, TFormatter::kMaxWidth)) abort();
  if (format.find('%') == std::string_view::npos && out != format) abort();

  // A value is inserted as it is, whatever it holds.
  if (parts.size() > 1) {
    TFormatter single;
    single.SetValue('n', parts[1]);
    if (single.Expand("%n") != parts[1]) abort();
  }

  TMessageFormat messageFormat;
  messageFormat.time = std::string(format);
  std::string time = messageFormat.FormatTime(1700049600);
  if (time.size() > format.size() * 1024) abort();
  return 0;
}
