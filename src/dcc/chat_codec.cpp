#include "dcc/chat_codec.h"

#include "codec/encoding_detect.h"
#include "codec/encoding_jis.h"
#include "codec/encoding_utf8.h"
#include "platform/sjis.h"

namespace zeph {

std::string TChatCodec::DecodeLine(std::string_view wire, bool adaptive, const TWireEncoding& unit) {
  if (!adaptive) return unit.Decode(wire);
  TDetection found = DetectEncoding(wire);
  if (found.designation || (found.eight_bit && !found.utf8)) {
    peer_ = TPeerEncoding::Iso2022Jp;
    return DecodeJis(wire);
  }
  if (found.eight_bit) {
    peer_ = TPeerEncoding::Utf8;
    return DecodeUtf8(wire);
  }
  return std::string(wire);
}

std::string TChatCodec::Encode(std::string_view text, bool adaptive, const TWireEncoding& unit) const {
  if (!adaptive || peer_ == TPeerEncoding::Unknown) return unit.Encode(text);
  TWireEncoding peer;
  peer.session_encoding = peer_ == TPeerEncoding::Utf8 ? SessionEncoding(kEncodingUtf8) : kEncodingIso2022Jp;
  peer.kana_method = unit.kana_method;
  return peer.Encode(text);
}

std::string TChatCodec::EncodeLine(std::string_view text, bool adaptive, const TWireEncoding& unit) const {
  std::string line = Encode(text, adaptive, unit);
  // Encoding can only grow a text's bytes by a bounded factor, so a few
  // proportional cuts bring it under the limit.
  while (line.size() >= kMaxChatLineBytes) {
    text = CutSjis(text, text.size() * (kMaxChatLineBytes - 1) / line.size());
    line = Encode(text, adaptive, unit);
  }
  line += '\n';
  return line;
}

}  // namespace zeph
