#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <array>
#include <memory>
#include <vector>

#include "display/log_style.h"
#include "display/view_settings.h"

// Fonts on the screen. Sizes are tenths of a point, turned into pixels
// through the screen's logical DPI; the Japanese face comes right after the
// configured one so kanji take Japanese glyph forms whatever the face.
namespace zeph {

inline constexpr const char* kJapaneseFallbackFace = "Noto Sans CJK JP";

// The logical vertical DPI of the primary screen; 96 without one.
int ScreenDpi();

// A realised font setting as a QFont: pixel size from the DPI, weight,
// italic, underline. Kerning is off, so a text is exactly as wide as the sum
// of its characters' advances: measuring, drawing and hit tests agree on
// every character's place.
QFont ScreenFont(const TFontSpec& realised, int dpi);

// A font with its metrics and a cache of character advances.
class TMeasuredFont {
 public:
  explicit TMeasuredFont(const QFont& font);

  const QFont& Font() const { return font_; }
  int Height() const { return height_; }
  int Ascent() const { return ascent_; }
  bool Italic() const { return font_.italic(); }
  // The advance of one UTF-16 unit (a lone surrogate measures 0).
  float Advance(char16_t unit);

 private:
  using TPage = std::array<float, 256>;

  QFont font_;
  QFontMetricsF metrics_;
  int height_ = 1;
  int ascent_ = 0;
  std::array<std::unique_ptr<TPage>, 256> pages_;  // by the high byte; made on first use
};

// The log fonts by TLogStyle slot, each made on first use, so that a
// derived font (a line font made bold or underlined) exists only once a
// line needs it.
class TLogFonts {
 public:
  TLogFonts(const TLogStyle& style, int dpi);

  TMeasuredFont& At(int slot);
  int Dpi() const { return dpi_; }

 private:
  const TLogStyle& style_;
  int dpi_;
  std::vector<std::unique_ptr<TMeasuredFont>> fonts_;
};

}  // namespace zeph
