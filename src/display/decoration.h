#pragma once

#include <cstdint>

// IRC text decorations: the control bytes that carry them inside message
// text and the decoration a decoded byte of text is drawn with.
namespace zeph {

inline constexpr char kBoldCode = 0x02;
inline constexpr char kColorCode = 0x03;
inline constexpr char kStopCode = 0x0F;
inline constexpr char kReverseCode = 0x16;
inline constexpr char kUnderlineCode = 0x1F;

// The decoration of one byte of decoded text. A colour index whose flag is
// off is kept at 0, so two decorations that draw alike compare equal and
// the log line's runs do not split needlessly.
struct TDecoration {
  std::uint16_t bold : 1 = 0;
  std::uint16_t underline : 1 = 0;
  std::uint16_t reverse : 1 = 0;
  std::uint16_t has_fore : 1 = 0;
  std::uint16_t has_back : 1 = 0;
  std::uint16_t fore : 4 = 0;
  std::uint16_t back : 4 = 0;

  bool operator==(const TDecoration&) const = default;
};

}  // namespace zeph
