// Received UTF-8 bytes through the decoder. No CR, LF or NUL may appear or
// vanish, a text never decodes to nothing, and the result must survive the
// way back out and in again unchanged.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "codec/encoding_utf8.h"
#include "platform/cp932.h"

using namespace zeph;

namespace {

bool IsValidUtf8(std::string_view text) {
  for (size_t pos = 0; pos < text.size();) {
    if (cp932::NextUtf8(text, &pos) == 0xFFFD) return false;
  }
  return true;
}

bool SameCount(std::string_view a, std::string_view b, char c) {
  return std::count(a.begin(), a.end(), c) == std::count(b.begin(), b.end(), c);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view wire(reinterpret_cast<const char*>(data), size);
  std::string sjis = DecodeUtf8(wire);
  if (!wire.empty() && sjis.empty()) abort();
  for (char c : {'\r', '\n', '\0'}) {
    if (!SameCount(wire, sjis, c)) abort();
  }
  std::string back = EncodeUtf8(sjis);
  if (!IsValidUtf8(back) || DecodeUtf8(back) != sjis) abort();
  // The same bytes taken as internal text, as a user's line would be.
  std::string sent = EncodeUtf8(wire);
  if (!IsValidUtf8(sent) || (!wire.empty() && sent.empty())) abort();
  return 0;
}
