#include "display/widgets/screen_look.h"

#include <QPalette>
#include <QWidget>

namespace zeph {
namespace {

TScreenBackground ScreenBackground(const TLoadedBackground& loaded) {
  TScreenBackground background{loaded, {}};
  if (const TRgbPicture* picture = loaded.picture.get()) {
    // The pixels are wrapped as they are and copied once, off the decoder's buffer.
    background.picture = QImage(picture->rgb.data(), picture->width, picture->height, picture->width * 3,
                                QImage::Format_RGB888)
                             .convertToFormat(QImage::Format_RGB32);
  }
  return background;
}

}  // namespace

TScreenLook::TScreenLook(TViewLook look, int dpi)
    : look_(std::move(look)),
      channel_back_(ScreenBackground(look_.channel_log_back)),
      all_back_(ScreenBackground(look_.all_log_back)),
      fonts_(look_.log_style, dpi),
      list_font_(ScreenFont(look_.realised.list_font, dpi)),
      tree_font_(ScreenFont(look_.realised.tree_font, dpi)),
      edit_font_(ScreenFont(look_.realised.edit_font, dpi)) {}

std::shared_ptr<const TScreenLook> ApplyViewSettings(const TViewSettings& settings, const TThemeFolders& folders,
                                                     bool whole_line_keywords, int dpi) {
  return std::make_shared<const TScreenLook>(BuildViewLook(settings, folders, whole_line_keywords), dpi);
}

void ApplyListLook(QWidget& list, const TScreenLook& look) {
  const TViewSettings& settings = look.Look().realised;
  QPalette palette = list.palette();
  // The inactive group too: the selection keeps its colours when another
  // window has the focus.
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    palette.setColor(group, QPalette::Base, ScreenColor(settings.list_back_color));
    palette.setColor(group, QPalette::Text, ScreenColor(settings.list_font.color));
    palette.setColor(group, QPalette::Highlight, ScreenColor(settings.list_selected.back));
    palette.setColor(group, QPalette::HighlightedText, ScreenColor(settings.list_selected.text));
  }
  list.setPalette(palette);
  list.setFont(look.ListFont());
}

std::shared_ptr<const TScreenLook> DefaultScreenLook() {
  return ApplyViewSettings(TViewSettings(), TThemeFolders{}, false);
}

}  // namespace zeph
