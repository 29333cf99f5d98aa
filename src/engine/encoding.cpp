#include "engine/encoding.h"

#include "engine/encoding_jis.h"
#include "engine/encoding_kana.h"
#include "engine/encoding_utf8.h"
#include "platform/cp932.h"

namespace zeph {
namespace {

TKanaMode KanaModeFor(int kana_method) {
  switch (kana_method) {
    case 1: return TKanaMode::EightBit;
    case 2: return TKanaMode::ShiftOut;
    default: return TKanaMode::KanaSet;
  }
}

}  // namespace

int SessionEncoding(int configured) {
  return configured != kEncodingIso2022Jp && cp932::Available() ? kEncodingUtf8 : kEncodingIso2022Jp;
}

std::string TWireEncoding::Decode(std::string_view wire) const {
  return session_encoding != kEncodingIso2022Jp ? DecodeUtf8(wire) : DecodeJis(wire);
}

std::string TWireEncoding::Encode(std::string_view text) const {
  if (session_encoding != kEncodingIso2022Jp) return EncodeUtf8(text);
  if (kana_method == 0) return EncodeJis(KanaToFullWidth(text), TKanaMode::KanaSet);
  return EncodeJis(text, KanaModeFor(kana_method));
}

}  // namespace zeph
