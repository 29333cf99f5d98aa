#include "platform/cp932.h"

#include <iconv.h>

#include <cstdint>
#include <vector>

#include "platform/sjis.h"

namespace zeph::cp932 {
namespace {

constexpr char32_t kNone = 0xFFFFFFFF;
constexpr uint16_t kNoCode = 0;

// Both directions, built once from iconv. Forward: index (lead << 8) | trail
// for double-byte characters, the byte itself for single bytes. Reverse:
// the code page 932 code of each BMP character (0 = none; NUL is special).
struct TTables {
  std::vector<char32_t> to_unicode = std::vector<char32_t>(0x10000, kNone);
  std::vector<uint16_t> from_unicode = std::vector<uint16_t>(0x10000, kNoCode);
  bool loaded = false;  // iconv knew "CP932" both ways
};

bool Convert(iconv_t cd, const char* in, size_t in_size, char* out, size_t* out_size) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char* ip = const_cast<char*>(in);
  char* op = out;
  size_t il = in_size, ol = *out_size;
  if (iconv(cd, &ip, &il, &op, &ol) == static_cast<size_t>(-1) || il != 0) return false;
  *out_size = *out_size - ol;
  return true;
}

char32_t ReadUtf32(const char* p) {
  auto b = reinterpret_cast<const unsigned char*>(p);
  return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<char32_t>(b[3]) << 24);
}

bool FillToUnicode(TTables& t) {
  iconv_t cd = iconv_open("UTF-32LE", "CP932");
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  char out[8];
  for (int b = 0; b < 0x100; ++b) {
    char in[1] = {static_cast<char>(b)};
    size_t n = sizeof out;
    if (!IsSjisLead(b) && Convert(cd, in, 1, out, &n) && n == 4) t.to_unicode[b] = ReadUtf32(out);
  }
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (!IsSjisLead(lead)) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (!IsSjisTrail(trail)) continue;
      char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      size_t n = sizeof out;
      if (Convert(cd, in, 2, out, &n) && n == 4) t.to_unicode[(lead << 8) | trail] = ReadUtf32(out);
    }
  }
  iconv_close(cd);
  return true;
}

// iconv picks the canonical code where code page 932 has duplicates (NEC and
// IBM extensions) and folds the look-alikes Mac and Linux text carries
// (U+301C, U+2212, U+2016, U+2014, U+00A2, U+00A3, U+00AC).
bool FillFromUnicode(TTables& t) {
  iconv_t cd = iconv_open("CP932", "UTF-32LE");
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  char out[8];
  for (char32_t c = 1; c < 0x10000; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    char in[4] = {static_cast<char>(c & 0xFF), static_cast<char>((c >> 8) & 0xFF), 0, 0};
    size_t n = sizeof out;
    if (!Convert(cd, in, 4, out, &n)) continue;
    auto b = reinterpret_cast<const unsigned char*>(out);
    if (n == 1) t.from_unicode[c] = b[0];
    else if (n == 2) t.from_unicode[c] = static_cast<uint16_t>((b[0] << 8) | b[1]);
  }
  iconv_close(cd);
  return true;
}

const TTables& Tables() {
  static TTables* tables = [] {
    auto* t = new TTables;
    bool to = FillToUnicode(*t);
    bool from = FillFromUnicode(*t);
    t->loaded = to && from;
    return t;
  }();
  return *tables;
}

}  // namespace

bool Available() { return Tables().loaded; }

char32_t DecodeChar(std::string_view text, size_t* pos) {
  const TTables& t = Tables();
  size_t length = SjisCharLength(text, *pos);
  auto b = reinterpret_cast<const unsigned char*>(text.data()) + *pos;
  *pos += length;
  if (length == 1 && b[0] == 0) return 0;
  char32_t c = length == 2 ? t.to_unicode[(b[0] << 8) | b[1]] : t.to_unicode[b[0]];
  return c == kNone ? kGeta : c;
}

// The table has a character only at the codes of a lead byte and a trail
// byte, and single bytes lie below any code whose first byte has the high
// bit set: that bit and the table decide each pair.
size_t DoubleByteRunEnd(std::string_view text, size_t pos) {
  const char32_t* to_unicode = Tables().to_unicode.data();
  auto b = reinterpret_cast<const unsigned char*>(text.data());
  for (; pos + 1 < text.size(); pos += 2) {
    if (b[pos] < 0x80 || to_unicode[(b[pos] << 8) | b[pos + 1]] == kNone) break;
  }
  return pos;
}

bool EncodeChar(char32_t c, std::string* out) {
  if (c == 0) {
    out->push_back('\0');
    return true;
  }
  if (c >= 0x10000) return false;
  uint16_t code = Tables().from_unicode[c];
  if (code == kNoCode) return false;
  if (code > 0xFF) out->push_back(static_cast<char>(code >> 8));
  out->push_back(static_cast<char>(code & 0xFF));
  return true;
}

std::string ToUtf8(std::string_view sjis) {
  std::string out;
  out.reserve(sjis.size() * 3 / 2);
  size_t pos = 0;
  while (pos < sjis.size()) {
    auto b = static_cast<unsigned char>(sjis[pos]);
    if (b < 0x80) {  // ASCII is the same in both
      out.push_back(static_cast<char>(b));
      ++pos;
      continue;
    }
    AppendUtf8(DecodeChar(sjis, &pos), &out);
  }
  return out;
}

std::string FromUtf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  size_t pos = 0;
  while (pos < utf8.size()) {
    auto b = static_cast<unsigned char>(utf8[pos]);
    if (b < 0x80) {
      out.push_back(static_cast<char>(b));
      ++pos;
      continue;
    }
    if (!EncodeChar(NextUtf8(utf8, &pos), &out)) out += "\x81\xAC";  // 〓
  }
  return out;
}

char32_t NextUtf8(std::string_view text, size_t* pos) {
  auto b = reinterpret_cast<const unsigned char*>(text.data());
  size_t i = *pos;
  unsigned char c = b[i++];
  *pos = i;
  if (c < 0x80) return c;
  int extra;
  char32_t value;
  // The first trail byte's range also rules out overlong forms, surrogates
  // and values past U+10FFFF, so a complete sequence is always valid.
  unsigned char low = 0x80, high = 0xBF;
  if (c >= 0xC2 && c <= 0xDF) {
    extra = 1, value = c & 0x1F;
  } else if (c >= 0xE0 && c <= 0xEF) {
    extra = 2, value = c & 0x0F;
    if (c == 0xE0) low = 0xA0;
    if (c == 0xED) high = 0x9F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    extra = 3, value = c & 0x07;
    if (c == 0xF0) low = 0x90;
    if (c == 0xF4) high = 0x8F;
  } else {
    return 0xFFFD;
  }
  for (int k = 0; k < extra; ++k, low = 0x80, high = 0xBF) {
    if (i >= text.size() || b[i] < low || b[i] > high) {
      *pos = i;  // the broken beginning counts as one character
      return 0xFFFD;
    }
    value = (value << 6) | (b[i++] & 0x3F);
  }
  *pos = i;
  return value;
}

void AppendUtf8(char32_t c, std::string* out) {
  if (c < 0x80) {
    out->push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (c >> 6)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (c >> 12)));
    out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | (c >> 18)));
    out->push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

}  // namespace zeph::cp932
