#include "platform/sjis.h"

#include <map>
#include <mutex>

#include "platform/cp932.h"

namespace zeph {

std::string_view CutSjis(std::string_view text, size_t limit) {
  size_t end = 0;
  while (end < text.size()) {
    size_t next = end + SjisCharLength(text, end);
    if (next > limit) break;
    end = next;
  }
  return text.substr(0, end);
}

void FoldAsciiUpper(std::string_view text, std::string& out) {
  out.assign(text);
  FoldSingleByteChars(out, AsciiUpper);
}

std::string AsciiUpperText(std::string_view text) {
  std::string upper;
  FoldAsciiUpper(text, upper);
  return upper;
}

std::string AsciiLowerText(std::string_view text) {
  std::string lower(text);
  FoldSingleByteChars(lower, AsciiLower);
  return lower;
}

const std::string& Sjis(std::string_view utf8) {
  static std::mutex mutex;
  static std::map<std::string, std::string, std::less<>> cache;
  std::lock_guard lock(mutex);
  auto it = cache.find(utf8);
  if (it == cache.end()) it = cache.emplace(std::string(utf8), cp932::FromUtf8(utf8)).first;
  return it->second;  // map nodes never move, so the reference stays valid
}

}  // namespace zeph
