// Received ISO-2022-JP bytes through the decoder. Decoding must never make
// a control byte the line did not carry (a CR or LF there would split a
// protocol line), and whatever comes out must encode back onto a 7-bit wire.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "codec/encoding_char_type.h"
#include "codec/encoding_jis.h"
#include "codec/encoding_kana.h"
#include "platform/sjis.h"

using namespace zeph;

namespace {

std::array<size_t, 0x20> ControlCounts(std::string_view text) {
  std::array<size_t, 0x20> counts{};
  for (unsigned char c : text) {
    if (c < 0x20) ++counts[c];
  }
  return counts;
}

void CheckSevenBit(const std::string& sjis, TKanaMode mode) {
  std::string wire = EncodeJis(sjis, mode);
  if (!sjis.empty() && wire.empty()) abort();
  for (unsigned char c : wire) {
    if (c >= 0x80) abort();
  }
}

// Looking back from a byte must agree with scanning from the start.
void CheckCharTypes(std::string_view sjis) {
  size_t end = sjis.size() < 64 ? sjis.size() : 64;
  for (size_t pos = 0; pos < end;) {
    size_t length = SjisCharLength(sjis, pos);
    if (CharType(sjis, pos) != (length == 2 ? kLeadByte : kSingleByte)) abort();
    if (length == 2 && CharType(sjis, pos + 1) != kTrailByte) abort();
    pos += length;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view wire(reinterpret_cast<const char*>(data), size);
  std::string sjis = DecodeJis(wire);
  std::array<size_t, 0x20> in = ControlCounts(wire), out = ControlCounts(sjis);
  for (size_t c = 0; c < in.size(); ++c) {
    if (out[c] > in[c]) abort();
  }
  CheckSevenBit(sjis, TKanaMode::ShiftOut);
  CheckSevenBit(sjis, TKanaMode::KanaSet);
  std::string full = KanaToFullWidth(sjis);
  if (full.size() < sjis.size()) abort();
  CheckSevenBit(full, TKanaMode::EightBit);
  CheckCharTypes(sjis);
  return 0;
}
