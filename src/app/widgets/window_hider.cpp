#include "app/widgets/window_hider.h"

#include <QApplication>

namespace zeph {
namespace {

bool IsHideable(const QWidget* widget) {
  if (!widget->isWindow() || !widget->isVisible() || widget->windowModality() != Qt::NonModal) return false;
  Qt::WindowType type = widget->windowType();
  return type == Qt::Window || type == Qt::Dialog || type == Qt::Tool;
}

}  // namespace

void TWindowHider::HideOthers() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget == &main_ || !IsHideable(widget)) continue;
    hidden_.emplace_back(widget);
    widget->hide();
  }
}

void TWindowHider::ShowAgain() {
  std::vector<QPointer<QWidget>> hidden;
  hidden.swap(hidden_);
  for (const QPointer<QWidget>& widget : hidden) {
    if (!widget) continue;
    // The main window keeps the focus it was given.
    bool quiet = widget->testAttribute(Qt::WA_ShowWithoutActivating);
    widget->setAttribute(Qt::WA_ShowWithoutActivating);
    widget->show();
    widget->raise();
    widget->setAttribute(Qt::WA_ShowWithoutActivating, quiet);
  }
}

}  // namespace zeph
