#include "display/widgets/screen_fonts.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <cmath>

#include "display/view_realise.h"
#include "platform/qt/qt_text.h"

namespace zeph {

int ScreenDpi() {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return 96;
  int dpi = static_cast<int>(std::lround(screen->logicalDotsPerInchY()));
  return dpi > 0 ? dpi : 96;
}

QFont ScreenFont(const TFontSpec& realised, int dpi) {
  QFont font;
  QStringList families;
  if (!realised.family.empty()) families << ToQString(realised.family);
  families << QString::fromLatin1(kJapaneseFallbackFace);
  font.setFamilies(families);
  font.setPixelSize(FontPixelHeight(realised.size, dpi));
  font.setWeight(realised.bold ? QFont::Bold : QFont::Normal);
  font.setItalic(realised.italic);
  font.setUnderline(realised.underline);
  font.setKerning(false);
  return font;
}

TMeasuredFont::TMeasuredFont(const QFont& font) : font_(font), metrics_(font_) {
  height_ = std::max(1, static_cast<int>(std::ceil(metrics_.ascent()) + std::ceil(metrics_.descent())));
  ascent_ = static_cast<int>(std::ceil(metrics_.ascent()));
}

float TMeasuredFont::Advance(char16_t unit) {
  auto& page = pages_[unit >> 8];
  if (!page) {
    page = std::make_unique<TPage>();
    page->fill(-1.0f);
  }
  float& advance = (*page)[unit & 0xFF];
  if (advance < 0) {
    bool surrogate = QChar::isSurrogate(unit);
    advance = surrogate ? 0.0f : static_cast<float>(metrics_.horizontalAdvance(QString(QChar(unit))));
  }
  return advance;
}

TLogFonts::TLogFonts(const TLogStyle& style, int dpi)
    : style_(style), dpi_(dpi), fonts_(TLogStyle::kFontSlotCount) {}

TMeasuredFont& TLogFonts::At(int slot) {
  if (slot < 0 || slot >= TLogStyle::kFontSlotCount) slot = 0;
  auto& font = fonts_[static_cast<size_t>(slot)];
  if (!font) font = std::make_unique<TMeasuredFont>(ScreenFont(style_.Font(slot), dpi_));
  return *font;
}

}  // namespace zeph
