#pragma once

#include <string_view>

namespace zeph {

// What a peer's line looks like, for answering in the peer's own encoding.
enum TDetectedEncoding : int {
  kDetectedPlain = 0,     // 7-bit only: either decoder reads it
  kDetectedJis = 1,       // carries an ISO-2022-JP escape sequence
  kDetectedEightBit = 2,  // 8-bit bytes and no escape: taken as UTF-8
};

// The facts about a received text that decide which wire encoding reads it.
struct TDetection {
  bool designation = false;  // an ESC ( or ESC $ somewhere
  bool eight_bit = false;    // a byte 0x80 or above somewhere, before or after a designation
  // 8-bit bytes, and every one of them inside a well-formed UTF-8 sequence:
  // no overlong form, surrogate, cut-off sequence or code point past
  // U+10FFFF.
  bool utf8 = false;

  // The short answer a DCC chat goes by: an escape sequence wins wherever
  // it stands, since a line in ISO-2022-JP may carry raw bytes but UTF-8
  // never carries ESC ( or ESC $.
  constexpr operator TDetectedEncoding() const {
    return designation ? kDetectedJis : eight_bit ? kDetectedEightBit : kDetectedPlain;
  }
};

// One pass over the text; a 7-bit text costs a byte compare per byte.
TDetection DetectEncoding(std::string_view text);
// TDetection::designation alone, which a text in ISO-2022-JP shows in its
// first bytes: the scan stops there.
bool HasDesignation(std::string_view text);

}  // namespace zeph
