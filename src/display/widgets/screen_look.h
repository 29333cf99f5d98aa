#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QVariant>
#include <memory>

class QWidget;

#include "display/view_look.h"
#include "display/widgets/screen_fonts.h"

// The view settings made ready for the screen, once per apply: the log
// style with its fonts, both backgrounds with their pictures as images, and
// the list, tree and input-line fonts. Every log view, tree and list of the
// program shares one; the settings dialog's preview has its own.
namespace zeph {

// The screen colour of a colour value 0x00BBGGRR.
inline QColor ScreenColor(std::uint32_t color) { return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF); }

struct TScreenBackground {
  TLoadedBackground loaded;
  QImage picture;  // null for none
};

class TScreenLook {
 public:
  TScreenLook(TViewLook look, int dpi);

  const TViewLook& Look() const { return look_; }
  const TLogStyle& Style() const { return look_.log_style; }
  const TScreenBackground& Background(bool console) const { return console ? all_back_ : channel_back_; }
  // Log fonts are made on first use and then shared by all views.
  TLogFonts& Fonts() const { return fonts_; }
  const QFont& ListFont() const { return list_font_; }
  const QFont& TreeFont() const { return tree_font_; }
  const QFont& EditFont() const { return edit_font_; }

 private:
  TViewLook look_;
  TScreenBackground channel_back_;
  TScreenBackground all_back_;
  mutable TLogFonts fonts_;
  QFont list_font_;
  QFont tree_font_;
  QFont edit_font_;
};

// The view settings realised for the screen: fonts at the screen's DPI,
// the background pictures loaded from the theme image folders.
std::shared_ptr<const TScreenLook> ApplyViewSettings(const TViewSettings& settings, const TThemeFolders& folders,
                                                     bool whole_line_keywords, int dpi = ScreenDpi());

// The member lists' look on a list: the list font with its colour on the
// list background, and the selected pair for the selection.
void ApplyListLook(QWidget& list, const TScreenLook& look);
// The server tree's: the tree font with its colour on the tree background,
// and the selected pair for the selection.
void ApplyTreeLook(QWidget& tree, const TScreenLook& look);
// The input line's: the edit font with its colour on the edit background.
void ApplyEditLook(QWidget& edit, const TScreenLook& look);

// A pair as an item's ForegroundRole (text) or BackgroundRole (back);
// nothing for any other role.
QVariant PairRole(const TColorPair& pair, int role);

// The default theme without pictures, for views made before any settings
// are applied.
std::shared_ptr<const TScreenLook> DefaultScreenLook();

}  // namespace zeph
