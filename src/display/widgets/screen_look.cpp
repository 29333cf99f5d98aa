#include "display/widgets/screen_look.h"

#include <QBrush>
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

// The inactive group too: the selection keeps its colours when another
// window has the focus.
void ApplyItemLook(QWidget& widget, const QFont& font, std::uint32_t text, std::uint32_t back,
                   const TColorPair* selected) {
  QPalette palette = widget.palette();
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    palette.setColor(group, QPalette::Base, ScreenColor(back));
    palette.setColor(group, QPalette::Text, ScreenColor(text));
    if (!selected) continue;
    palette.setColor(group, QPalette::Highlight, ScreenColor(selected->back));
    palette.setColor(group, QPalette::HighlightedText, ScreenColor(selected->text));
  }
  widget.setPalette(palette);
  widget.setFont(font);
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
  ApplyItemLook(list, look.ListFont(), settings.list_font.color, settings.list_back_color, &settings.list_selected);
}

void ApplyTreeLook(QWidget& tree, const TScreenLook& look) {
  const TViewSettings& settings = look.Look().realised;
  ApplyItemLook(tree, look.TreeFont(), settings.tree_font.color, settings.tree_back_color, &settings.tree_selected);
}

void ApplyEditLook(QWidget& edit, const TScreenLook& look) {
  const TViewSettings& settings = look.Look().realised;
  // Selected text in the input line keeps the platform's colours: the view
  // settings have no pair for it.
  ApplyItemLook(edit, look.EditFont(), settings.edit_font.color, settings.edit_back_color, nullptr);
}

QVariant PairRole(const TColorPair& pair, int role) {
  if (role == Qt::ForegroundRole) return QBrush(ScreenColor(pair.text));
  if (role == Qt::BackgroundRole) return QBrush(ScreenColor(pair.back));
  return {};
}

std::shared_ptr<const TScreenLook> DefaultScreenLook() {
  return ApplyViewSettings(TViewSettings(), TThemeFolders{}, false);
}

}  // namespace zeph
