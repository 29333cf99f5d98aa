#include "display/widgets/color_button.h"

#include <QColorDialog>
#include <QPixmap>

#include "display/widgets/screen_look.h"

namespace zeph {

TColorButton::TColorButton(std::function<std::uint32_t*()> target, std::function<void()> edited, QWidget* parent)
    : QPushButton(parent), target_(std::move(target)), edited_(std::move(edited)) {
  setIconSize(QSize(32, 14));
  connect(this, &QPushButton::clicked, this, &TColorButton::OpenChooser);
  Refresh();
}

void TColorButton::Refresh() {
  std::uint32_t* color = target_();
  setEnabled(color != nullptr);
  QPixmap swatch(iconSize());
  swatch.fill(color ? ScreenColor(*color) : palette().button().color());
  setIcon(swatch);
}

void TColorButton::Choose(std::uint32_t color) {
  std::uint32_t* target = target_();
  if (!target) return;
  *target = color & 0xFFFFFF;
  Refresh();
  edited_();
}

void TColorButton::OpenChooser() {
  std::uint32_t* target = target_();
  if (!target) return;
  QColor chosen = QColorDialog::getColor(ScreenColor(*target), this);
  if (chosen.isValid())
    Choose(static_cast<std::uint32_t>(chosen.red()) | (static_cast<std::uint32_t>(chosen.green()) << 8) |
           (static_cast<std::uint32_t>(chosen.blue()) << 16));
}

}  // namespace zeph
