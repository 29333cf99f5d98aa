#include "codec/encoding_jis.h"

#include <cstdint>
#include <cstring>

#include "codec/encoding_kana.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

enum TJisSet { kAscii, kKanji, kRoman, kKana };

constexpr unsigned char kEsc = 0x1B;
constexpr unsigned char kShiftOut = 0x0E;
constexpr unsigned char kShiftIn = 0x0F;
constexpr uint16_t kGetaCode = 0x81AC;  // 〓

unsigned char ByteAt(std::string_view text, size_t pos) { return static_cast<unsigned char>(text[pos]); }

bool IsJisByte(unsigned char c) { return c >= 0x21 && c <= 0x7E; }

// The set the escape sequence at the start of text designates; -1 when it is
// none of ours or is cut off by the end of the text.
int Designation(std::string_view text) {
  if (text.size() < 3) return -1;
  char final = text[2];
  if (text[1] == '$') return final == '@' || final == 'B' || final == 'b' ? kKanji : -1;
  if (text[1] != '(') return -1;
  switch (final) {
    case 'B': case 'b': return kAscii;
    case 'J': case 'j': return kRoman;
    case 'I': case 'i': return kKana;
    default: return -1;
  }
}

uint16_t JisToSjis(unsigned char j1, unsigned char j2) {
  unsigned s1 = ((j1 - 0x21u) >> 1) + 0x81;
  if (s1 > 0x9F) s1 += 0x40;
  unsigned s2 = j2 + ((j1 & 1) ? 0x1Fu : 0x7Du);
  if (s2 >= 0x7F) ++s2;
  return static_cast<uint16_t>((s1 << 8) | s2);
}

// Decodes one text into a buffer sized for the worst case, so that no byte
// written checks for room: every line received passes through here.
class TJisReader {
 public:
  TJisReader(std::string_view text, char* out)
      : at_(reinterpret_cast<const unsigned char*>(text.data())), end_(at_ + text.size()), out_(out) {}

  // The end of what was written.
  char* Run() {
    while (at_ < end_) {
      if (*at_ == kEsc && Designate()) continue;
      switch (set_) {
        case kAscii: CopyAscii(); break;
        case kKanji: StepKanji(); break;
        case kRoman: StepRoman(); break;
        default: StepKana(); break;
      }
    }
    return out_;
  }

  // The most bytes a text of this size decodes to: a kanji byte that pairs
  // with nothing becomes the two bytes of "〓".
  static size_t MaxDecodedSize(size_t size) { return size * 2; }

 private:
  bool Designate() {
    int designated = Designation(std::string_view(reinterpret_cast<const char*>(at_), static_cast<size_t>(end_ - at_)));
    if (designated < 0) return false;
    set_ = designated;
    at_ += 3;
    return true;
  }

  void Put(unsigned char c) { *out_++ = static_cast<char>(c); }

  // Every byte up to the next ESC, as it is (SO and SI too). The ESC
  // itself, when it designates nothing, is copied as one byte.
  void CopyAscii() {
    const void* esc = std::memchr(at_ + 1, kEsc, static_cast<size_t>(end_ - at_ - 1));
    const unsigned char* stop = esc ? static_cast<const unsigned char*>(esc) : end_;
    size_t length = static_cast<size_t>(stop - at_);
    std::memcpy(out_, at_, length);
    out_ += length;
    at_ = stop;
  }

  void StepRoman() {
    unsigned char c = *at_++;
    if (c == kShiftOut) {
      shifted_from_ = kRoman;
      set_ = kKana;
      return;
    }
    Put(c);
  }

  void StepKana() {
    unsigned char c = *at_++;
    if (c == kShiftIn) {
      set_ = shifted_from_;
      return;
    }
    Put(c >= 0x21 && c <= 0x5F ? c | 0x80 : c);
  }

  // Pairs come in runs, read in one step; what ends a run is read by the
  // next step, after Run has looked for an escape sequence. A blank,
  // control or 8-bit byte ends a kanji run that forgot its ESC ( B, so the
  // rest of the line stays readable. Only two bytes 0x21–0x7E form a pair:
  // anything else would map to bytes outside Shift_JIS, and a hostile
  // second byte could come out as CR, LF or NUL.
  void StepKanji() {
    const unsigned char* start = at_;
    while (at_ + 1 < end_ && IsJisByte(at_[0]) && IsJisByte(at_[1])) {
      PutCode(JisToSjis(at_[0], at_[1]));
      at_ += 2;
    }
    if (at_ != start) return;
    unsigned char c = *at_++;
    if (c <= 0x20 || c >= 0x80) {
      set_ = kAscii;
      Put(c);
      return;
    }
    PutCode(kGetaCode);
  }

  void PutCode(uint16_t code) {
    Put(static_cast<unsigned char>(code >> 8));
    Put(static_cast<unsigned char>(code & 0xFF));
  }

  const unsigned char* at_;
  const unsigned char* const end_;
  char* out_;
  int set_ = kAscii;
  int shifted_from_ = kAscii;  // the set SI returns to
};

// IBM extension characters (lead 0xFA–0xFC) folded onto the codes of the
// same characters in the NEC rows and the NEC-selected IBM rows, which have
// JIS X 0208 style codes. Each range maps in order onto `target` onwards.
struct TFoldRange {
  uint16_t first, last, target;
};
constexpr TFoldRange kIbmFolds[] = {
    {0xFA40, 0xFA49, 0xEEEF}, {0xFA4A, 0xFA53, 0x8754}, {0xFA54, 0xFA54, 0x81CA}, {0xFA55, 0xFA57, 0xEEFA},
    {0xFA58, 0xFA58, 0x878A}, {0xFA59, 0xFA59, 0x8782}, {0xFA5A, 0xFA5A, 0x8784}, {0xFA5B, 0xFA5B, 0x81E6},
    {0xFA5C, 0xFA7E, 0xED40}, {0xFA80, 0xFA9B, 0xED63}, {0xFA9C, 0xFAFC, 0xED80}, {0xFB40, 0xFB5B, 0xEDE1},
    {0xFB5C, 0xFB7E, 0xEE40}, {0xFB80, 0xFB9B, 0xEE63}, {0xFB9C, 0xFBFC, 0xEE80}, {0xFC40, 0xFC4B, 0xEEE1},
};

// Codes with lead 0xF0 and above have no place in JIS X 0208: IBM
// extensions fold, the user-defined area and the rest become "〓".
uint16_t FoldToJisRange(uint16_t code) {
  if (code < 0xF000) return code;
  for (const TFoldRange& range : kIbmFolds) {
    if (code >= range.first && code <= range.last) return static_cast<uint16_t>(code - range.first + range.target);
  }
  return kGetaCode;
}

// Writes sets and characters, emitting the escape sequences, SO and SI that
// each change of set needs.
class TJisWriter {
 public:
  TJisWriter(TKanaMode mode, std::string* out) : mode_(mode), out_(out) {}

  void Ascii(unsigned char c) {
    SwitchTo(kAscii);
    out_->push_back(static_cast<char>(c));
  }

  void Kana(unsigned char c) {
    if (mode_ == TKanaMode::EightBit) {
      SwitchTo(kRoman);
      out_->push_back(static_cast<char>(c));
    } else {
      SwitchTo(kKana);
      out_->push_back(static_cast<char>(c & 0x7F));
    }
  }

  // The published Shift_JIS to JIS X 0208 arithmetic.
  void Kanji(uint16_t code) {
    SwitchTo(kKanji);
    unsigned s1 = code >> 8, s2 = code & 0xFF;
    unsigned t = s2 >= 0x80 ? s2 - 1 : s2;
    unsigned j1 = 2 * (s1 - (s1 < 0xA0 ? 0x70 : 0xB0)) - (t < 0x9E ? 1 : 0);
    unsigned j2 = t < 0x9E ? t - 0x1F : t - 0x7D;
    out_->push_back(static_cast<char>(j1));
    out_->push_back(static_cast<char>(j2));
  }

  void SwitchTo(int to) {
    int from = set_;
    if (from == to) return;
    set_ = to;
    if (from == kKana && mode_ == TKanaMode::ShiftOut) {
      out_->push_back(static_cast<char>(kShiftIn));
      from = kRoman;
    }
    if (to == kKana && mode_ == TKanaMode::ShiftOut) {
      if (from != kRoman) out_->append("\x1B(J");
      out_->push_back(static_cast<char>(kShiftOut));
      return;
    }
    static constexpr const char* kDesignations[] = {"\x1B(B", "\x1B$B", "\x1B(J", "\x1B(I"};
    out_->append(kDesignations[to]);
  }

 private:
  TKanaMode mode_;
  std::string* out_;
  int set_ = kAscii;
};

}  // namespace

std::string DecodeJis(std::string_view jis) {
  std::string out;
  DecodeJisInto(jis, out);
  return out;
}

void DecodeJisInto(std::string_view jis, std::string& out) {
  out.resize(TJisReader::MaxDecodedSize(jis.size()));
  char* end = TJisReader(jis, out.data()).Run();
  out.resize(static_cast<size_t>(end - out.data()));
}

std::string EncodeJis(std::string_view sjis, TKanaMode mode) {
  std::string out;
  out.reserve(sjis.size() + sjis.size() / 4 + 8);
  TJisWriter writer(mode, &out);
  for (size_t pos = 0; pos < sjis.size();) {
    unsigned char c = ByteAt(sjis, pos);
    // Characters are cut by the same rule as every other scan, so 0xFD–0xFF
    // stand alone and never take the next byte with them.
    if (SjisCharLength(sjis, pos) == 2) {
      writer.Kanji(FoldToJisRange(static_cast<uint16_t>((c << 8) | ByteAt(sjis, pos + 1))));
      pos += 2;
      continue;
    }
    if (IsHalfWidthKana(c)) {
      writer.Kana(c);
    } else if (c >= 0x80) {
      // A lead byte at the end or before a byte that cannot follow it, or a
      // byte that starts no character: copied, it would put 8-bit garbage on
      // a 7-bit wire and glue itself to the receiver's next character.
      writer.Kanji(kGetaCode);
    } else {
      writer.Ascii(c);
    }
    ++pos;
  }
  writer.SwitchTo(kAscii);
  return out;
}

}  // namespace zeph
