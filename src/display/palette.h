#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The fixed 16-colour palette of IRC colour codes. Index -1 stands for "no
// colour" wherever a colour index is passed around.
namespace zeph {

inline constexpr int kPaletteSize = 16;
inline constexpr int kNoColor = -1;

// The name used in decoration tags ("Red"); empty for indexes outside 0..15.
std::string_view PaletteTagName(int index);

// The Japanese name shown to the user (Shift_JIS); empty outside 0..15.
const std::string& PaletteDisplayName(int index);

// A colour written #RRGGBB as the 32-bit value with red in the lowest byte
// (0x00BBGGRR), the form of every stored and drawn colour.
constexpr std::uint32_t ColorFromRgb(std::uint32_t rrggbb) {
  return ((rrggbb >> 16) & 0xFF) | (rrggbb & 0xFF00) | ((rrggbb & 0xFF) << 16);
}

// The colour as a 32-bit value with red in the lowest byte; black outside 0..15.
std::uint32_t PaletteColor(int index);

// Palette index 0..15 of a tag name compared without regard to (ASCII)
// case, or -1.
int ColorIndexFromName(std::string_view name);

}  // namespace zeph
