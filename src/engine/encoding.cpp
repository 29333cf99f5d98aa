#include "engine/encoding.h"

#include "codec/encoding_detect.h"
#include "engine/encoding_foreign_names.h"
#include "codec/encoding_jis.h"
#include "codec/encoding_kana.h"
#include "codec/encoding_utf8.h"
#include "platform/cp932.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

TKanaMode KanaModeFor(int kana_method) {
  switch (kana_method) {
    case 1: return TKanaMode::EightBit;
    case 2: return TKanaMode::ShiftOut;
    default: return TKanaMode::KanaSet;
  }
}

bool IsParamSeparator(char c) { return c == ' ' || c == ','; }

}  // namespace

int SessionEncoding(int configured) {
  return configured != kEncodingIso2022Jp && cp932::Available() ? kEncodingUtf8 : kEncodingIso2022Jp;
}

std::string TWireEncoding::Decode(std::string_view wire, bool* foreign) const {
  std::string text;
  DecodeInto(wire, text, foreign);
  return text;
}

void TWireEncoding::DecodeInto(std::string_view wire, std::string& out, bool* foreign) const {
  // The common case of an ISO-2022-JP session, told by the first escape
  // sequence without reading the rest of the text twice.
  if (!IsUtf8Session() && HasDesignation(wire)) {
    if (foreign) *foreign = false;
    DecodeJisInto(wire, out);
    return;
  }
  TDetection found = DetectEncoding(wire);
  // Both decoders copy such a text unchanged; the one scan is all it costs.
  bool seven_bit_plain = !found.designation && !found.eight_bit;
  bool as_utf8 = IsUtf8Session() ? found.eight_bit || !found.designation : found.utf8 && !found.designation;
  if (foreign) *foreign = !seven_bit_plain && as_utf8 != IsUtf8Session();
  if (seven_bit_plain) {
    out.assign(wire);
  } else if (as_utf8) {
    out = DecodeUtf8(wire);
  } else {
    DecodeJisInto(wire, out);
  }
}

// Every encoder writes 7-bit text as it is (ISO-2022-JP starts and ends in
// ASCII), and most names and many messages are 7-bit.
std::string TWireEncoding::Encode(std::string_view text) const {
  if (IsSevenBit(text)) return std::string(text);
  if (IsUtf8Session()) return EncodeUtf8(text);
  if (kana_method == 0) return EncodeJis(KanaToFullWidth(text), TKanaMode::KanaSet);
  return EncodeJis(text, KanaModeFor(kana_method));
}

std::string TWireEncoding::EncodeName(std::string_view name) const {
  if (foreign_names) {
    if (const std::string* wire = foreign_names->Find(name)) return *wire;
  }
  return Encode(name);
}

// Blanks and commas never fall inside a Shift_JIS character, and encoding
// piece by piece ends each piece where encoding the whole would switch back
// to ASCII for the separator anyway.
std::string TWireEncoding::EncodeParams(std::string_view params) const {
  if (foreign_names == nullptr || foreign_names->Empty()) return Encode(params);
  std::string out;
  for (size_t pos = 0; pos < params.size();) {
    size_t end = pos;
    while (end < params.size() && !IsParamSeparator(params[end])) ++end;
    out += EncodeName(params.substr(pos, end - pos));
    if (end < params.size()) out.push_back(params[end++]);
    pos = end;
  }
  return out;
}

}  // namespace zeph
