#pragma once

#include <QWidget>

namespace zeph {

class TLineStore;

// The widget that shows one log. Every log pane of the main window is made
// here, so the view of the lines can change in one place.
QWidget* MakeLogView(TLineStore& lines, QWidget* parent);

}  // namespace zeph
