#include "display/log_style.h"

#include "display/palette.h"
#include "display/view_realise.h"

namespace zeph {
namespace {

// Categories and nick classes come from the printing code; one out of range
// is drawn like the first rather than read past the tables.
int InRange(int value, int count) { return value >= 0 && value < count ? value : 0; }

}  // namespace

TLogStyle::TLogStyle(const TViewSettings& settings, bool whole_line_keywords)
    : whole_line_keywords(whole_line_keywords) {
  const TViewSettings realised = RealisedViewSettings(settings);
  for (int i = 0; i < kLineCategoryCount; ++i) fonts_[kLineSlot + i] = realised.line_fonts[i];
  for (int i = 0; i < kNickClassCount; ++i) fonts_[kNickSlot + i] = realised.nick_fonts[i];
  fonts_[kTimeSlot] = realised.time_font;
  fonts_[kPlaceSlot] = realised.channel_font;
  fonts_[kUrlSlot] = realised.url_font;
  fonts_[kHostnameSlot] = realised.hostname_font;
  fonts_[kKeywordSlot] = realised.keyword_font;
  fonts_[kKeywordUnderlinedSlot] = realised.keyword_font;
  fonts_[kKeywordUnderlinedSlot].underline = true;
  for (int category = 0; category < kLineCategoryCount; ++category) {
    for (int kind = 1; kind <= 3; ++kind) {
      TFontSpec& derived = fonts_[kDerivedSlot + 3 * category + kind - 1];
      derived = realised.line_fonts[category];
      derived.bold = derived.bold || (kind & 1) != 0;
      derived.underline = derived.underline || (kind & 2) != 0;
    }
  }
  shadow_kind = realised.shadow_kind;
  shadow_color = realised.shadow_color;
  use_url_font = realised.use_url_font;
  use_hostname_font = realised.use_hostname_font;
  select_text_color = realised.select_text_color;
  select_back_color = realised.select_back_color;
  hilight_back_color = realised.hilight_back_color;
}

const TFontSpec& TLogStyle::Font(int slot) const { return fonts_[InRange(slot, kFontSlotCount)]; }

int TLogStyle::LineFontSlot(int category, bool bold, bool underline) const {
  if (!bold && !underline) return kLineSlot + category;
  int kind = (bold ? 1 : 0) | (underline ? 2 : 0);
  return kDerivedSlot + 3 * category + kind - 1;
}

TRunFont TLogStyle::FontForRun(const TLogLine& line, const TLogRun& run, bool shadow_pass) const {
  const int category = InRange(line.category, kLineCategoryCount);
  const bool whole_line = whole_line_keywords && line.keyword_hit;
  const bool bold = run.decoration.bold;
  int slot = kLineSlot + category;
  switch (run.element) {
    case TLogElement::Time: slot = kTimeSlot; break;
    case TLogElement::Nick: slot = kNickSlot + InRange(line.nick_class, kNickClassCount); break;
    case TLogElement::Place: slot = kPlaceSlot; break;
    case TLogElement::Keyword: slot = kKeywordSlot; break;
    case TLogElement::Url:
      if (whole_line) slot = kKeywordUnderlinedSlot;
      else slot = use_url_font ? kUrlSlot : LineFontSlot(category, bold, true);
      break;
    case TLogElement::Address:
      if (whole_line) slot = kKeywordUnderlinedSlot;
      else slot = use_hostname_font ? kHostnameSlot : LineFontSlot(category, bold, true);
      break;
    case TLogElement::Text:
      slot = whole_line ? kKeywordSlot : LineFontSlot(category, bold, run.decoration.underline);
      break;
  }
  std::uint32_t color = fonts_[slot].color;
  if (shadow_pass) color = shadow_color;
  else if (run.decoration.has_fore) color = PaletteColor(run.decoration.fore);
  return {slot, color};
}

}  // namespace zeph
