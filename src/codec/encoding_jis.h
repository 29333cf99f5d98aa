#pragma once

#include <string>
#include <string_view>

// ISO-2022-JP, the Japanese IRC norm, against the internal Shift_JIS.
namespace zeph {

// How the encoder writes half-width katakana, which plain ISO-2022-JP
// cannot carry. Receivers differ in what they understand.
enum class TKanaMode {
  EightBit,  // ESC ( J, then the byte unchanged
  ShiftOut,  // ESC ( J, SO, the byte less its top bit, SI before leaving
  KanaSet,   // ESC ( I, then the byte less its top bit
};

// Never fails and never drops text: bytes outside any recognised sequence
// are copied through (some clients send raw Shift_JIS), and a kanji pair
// that is cut short or carries a byte outside 0x21–0x7E becomes "〓".
std::string DecodeJis(std::string_view jis);
// The same into out, replacing its contents and reusing its buffer; out
// must not hold the bytes of jis.
void DecodeJisInto(std::string_view jis, std::string& out);

// The result is 7-bit except for kana in EightBit mode. Characters with no
// JIS X 0208 code (user-defined area, bytes that start no character)
// become "〓"; a non-empty text never encodes to an empty one.
std::string EncodeJis(std::string_view sjis, TKanaMode mode);

}  // namespace zeph
