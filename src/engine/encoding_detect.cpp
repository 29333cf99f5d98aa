#include "engine/encoding_detect.h"

namespace zeph {

// An escape sequence wins wherever it stands, even after 8-bit bytes: a
// line in ISO-2022-JP may carry raw bytes, UTF-8 never carries ESC ( or ESC $.
TDetectedEncoding DetectEncoding(std::string_view text) {
  bool eight_bit = false;
  for (size_t pos = 0; pos < text.size(); ++pos) {
    auto c = static_cast<unsigned char>(text[pos]);
    if (c == 0x1B && pos + 1 < text.size() && (text[pos + 1] == '(' || text[pos + 1] == '$')) return kDetectedJis;
    if (c >= 0x80) eight_bit = true;
  }
  return eight_bit ? kDetectedEightBit : kDetectedPlain;
}

}  // namespace zeph
