#include "display/view_realise.h"

#include <algorithm>
#include <string>

#include "display/view_settings_layout.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

// Holds every font and colour of a settings copy to its drawn value.
struct TRealiser {
  void Section(std::string_view) {}
  void Font(const std::string&, TFontSpec& font) { font = RealisedFont(font); }
  void Hex(const std::string&, std::uint32_t& color) { color = RealisedColor(color); }
  void Integer(const std::string&, int&) {}
  void Bool(const std::string&, bool&) {}
  void String(const std::string&, std::string&) {}
};

}  // namespace

int RealisedFontSize(int size) {
  if (size <= 0) return kDefaultFontSize;
  return std::clamp(size, kMinFontSize, kMaxFontSize);
}

int RealisedShadowKind(int kind) { return kind >= 0 && kind <= 3 ? kind : 0; }

TFontSpec RealisedFont(const TFontSpec& font) {
  TFontSpec realised = font;
  realised.family = CutSjis(font.family, kMaxFaceNameBytes);
  realised.charset = font.charset >= 0 && font.charset <= 255 ? font.charset : kDefaultCharset;
  realised.size = RealisedFontSize(font.size);
  realised.color = RealisedColor(font.color);
  return realised;
}

int FontPixelHeight(int size, int dpi) {
  long long scaled = static_cast<long long>(RealisedFontSize(size)) * std::max(dpi, 1);
  return static_cast<int>(std::max(1LL, (scaled + 360) / 720));
}

TViewSettings RealisedViewSettings(const TViewSettings& settings) {
  TViewSettings realised = settings;
  TRealiser realiser;
  view_layout::ViewLayout(realiser, realised);
  realised.shadow_kind = RealisedShadowKind(settings.shadow_kind);
  return realised;
}

}  // namespace zeph
