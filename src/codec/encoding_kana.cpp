#include "codec/encoding_kana.h"

#include "platform/sjis.h"

namespace zeph {
namespace {

constexpr unsigned char kFirstKana = 0xA1;
constexpr unsigned char kHalfWidthU = 0xB3;  // «ｳ»
constexpr unsigned char kVoicedMark = 0xDE;
constexpr unsigned char kSemiVoicedMark = 0xDF;

// The full-width counterparts of 0xA1–0xDF in order, two bytes each.
const std::string& FullWidthKana() {
  static const std::string& table = Sjis(
      "。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜");
  return table;
}

// «ｳﾞ»: the one voiced form that is not next to its plain one.
const std::string& FullWidthVu() {
  static const std::string& vu = Sjis("ヴ");
  return vu;
}

// In Shift_JIS the voiced form of «カ»–«ト» and «ハ»–«ホ» directly follows
// the plain one, and the semi-voiced form of «ハ»–«ホ» follows that.
int MarkStep(unsigned char kana, unsigned char mark) {
  bool ka_to_to = kana >= 0xB6 && kana <= 0xC4;
  bool ha_to_ho = kana >= 0xCA && kana <= 0xCE;
  if (mark == kVoicedMark && (ka_to_to || ha_to_ho)) return 1;
  if (mark == kSemiVoicedMark && ha_to_ho) return 2;
  return 0;
}

}  // namespace

std::string KanaToFullWidth(std::string_view sjis) {
  const std::string& table = FullWidthKana();
  std::string out;
  out.reserve(sjis.size() * 2);
  for (size_t pos = 0; pos < sjis.size();) {
    size_t length = SjisCharLength(sjis, pos);
    auto c = static_cast<unsigned char>(sjis[pos]);
    if (length == 2 || !IsHalfWidthKana(c)) {
      out.append(sjis, pos, length);
      pos += length;
      continue;
    }
    unsigned char next = pos + 1 < sjis.size() ? static_cast<unsigned char>(sjis[pos + 1]) : 0;
    if (c == kHalfWidthU && next == kVoicedMark) {
      out += FullWidthVu();
      pos += 2;
      continue;
    }
    out.append(table, (c - kFirstKana) * 2, 2);
    if (int step = MarkStep(c, next)) {
      out.back() = static_cast<char>(out.back() + step);
      ++pos;
    }
    ++pos;
  }
  return out;
}

}  // namespace zeph
