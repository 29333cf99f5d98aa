#pragma once

#include <cstdint>

#include "display/view_settings.h"

// Settings as they are drawn. The stored values stay as the file had them,
// so a save writes them back unchanged; only what is drawn is held to
// values the screen can use.
namespace zeph {

inline constexpr int kDefaultFontSize = 100;  // tenths of a point
inline constexpr int kMinFontSize = 10;       // 1 pt, the smallest the font dialog offers
inline constexpr int kMaxFontSize = 2000;     // 200 pt
inline constexpr int kDefaultCharset = 1;     // the platform's "default" character set
inline constexpr size_t kMaxFaceNameBytes = 31;

// A size of 0 or less means nothing and is drawn at the default 10 pt (the
// platform does the same for a zero height); others are held to 1..200 pt.
int RealisedFontSize(int size);
// The high byte of a stored colour means nothing on screen and is dropped.
constexpr std::uint32_t RealisedColor(std::uint32_t color) { return color & 0xFFFFFF; }
// A shadow kind outside 0..3 draws no shadow.
int RealisedShadowKind(int kind);

// The font as drawn: size, colour and character set held as above, the face
// name cut to 31 bytes without splitting a double-byte character.
TFontSpec RealisedFont(const TFontSpec& font);

// The em height in pixels of a font of `size` tenths of a point on a screen
// of `dpi` dots per inch: size × dpi ÷ 720, rounded to the nearest pixel
// (10 pt at 96 dpi is 13). At least 1.
int FontPixelHeight(int size, int dpi);

// A copy with every font, colour and the shadow kind realised; the formats,
// picture names and placement codes are copied as they are.
TViewSettings RealisedViewSettings(const TViewSettings& settings);

}  // namespace zeph
