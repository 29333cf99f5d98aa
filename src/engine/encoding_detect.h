#pragma once

#include <string_view>

namespace zeph {

// What a peer's line looks like, for answering in the peer's own encoding.
enum TDetectedEncoding : int {
  kDetectedPlain = 0,     // 7-bit only: either decoder reads it
  kDetectedJis = 1,       // carries an ISO-2022-JP escape sequence
  kDetectedEightBit = 2,  // 8-bit bytes and no escape: taken as UTF-8
};

TDetectedEncoding DetectEncoding(std::string_view text);

}  // namespace zeph
