#pragma once

#include <array>
#include <cstdint>

#include "display/log_line.h"
#include "display/view_settings.h"

// What the log views draw with: the fonts and colours of the view settings,
// realised (held to drawable values), and the choice of font and colour for
// each run of a line.
//
// Fonts are named by slot numbers. The drawing side keeps one platform font
// per slot, made from Font(slot) on first use with the screen's DPI
// (FontPixelHeight), and drops them all when the style is rebuilt: so the
// derived fonts (a line font made bold or underlined) are made once per
// category and kind, and only when a line needs them.
namespace zeph {

// A run's font slot and the colour to draw it in (0x00BBGGRR).
struct TRunFont {
  int slot = 0;
  std::uint32_t color = 0;

  bool operator==(const TRunFont&) const = default;
};

class TLogStyle {
 public:
  TLogStyle() : TLogStyle(TViewSettings()) {}
  // `whole_line_keywords` is the keyword setting WholeLine: a line with a
  // keyword hit is drawn in the keyword font.
  explicit TLogStyle(const TViewSettings& settings, bool whole_line_keywords = false);

  // Slots: the 20 line fonts, the 7 nick fonts, time, place, URL, host
  // name, keyword, keyword underlined, then per line category its derived
  // fonts bold, underlined, bold and underlined.
  static constexpr int kLineSlot = 0;
  static constexpr int kNickSlot = kLineSlot + kLineCategoryCount;
  static constexpr int kTimeSlot = kNickSlot + kNickClassCount;
  static constexpr int kPlaceSlot = kTimeSlot + 1;
  static constexpr int kUrlSlot = kPlaceSlot + 1;
  static constexpr int kHostnameSlot = kUrlSlot + 1;
  static constexpr int kKeywordSlot = kHostnameSlot + 1;
  static constexpr int kKeywordUnderlinedSlot = kKeywordSlot + 1;
  static constexpr int kDerivedSlot = kKeywordUnderlinedSlot + 1;
  static constexpr int kFontSlotCount = kDerivedSlot + 3 * kLineCategoryCount;

  // The realised font of a slot; a slot out of range gives the Privmsg font.
  const TFontSpec& Font(int slot) const;

  // The font and colour of one run of a line, for measuring and drawing;
  // `shadow_pass` asks for the shadow colour.
  TRunFont FontForRun(const TLogLine& line, const TLogRun& run, bool shadow_pass) const;

  int shadow_kind = 0;  // 0..3
  std::uint32_t shadow_color = 0;
  bool use_url_font = false;
  bool use_hostname_font = false;
  std::uint32_t select_text_color = 0;
  std::uint32_t select_back_color = 0;
  std::uint32_t hilight_back_color = 0;
  bool whole_line_keywords = false;

 private:
  // The category's line font, bold and/or underlined when asked (or when
  // it already is); the line font itself when neither is asked.
  int LineFontSlot(int category, bool bold, bool underline) const;

  std::array<TFontSpec, kFontSlotCount> fonts_;
};

}  // namespace zeph
