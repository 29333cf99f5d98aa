#pragma once

#include "settings/window_layout.h"

class QHeaderView;
class QWidget;

// A list window's place and column widths as the window settings keep them.
namespace zeph {

// An empty rectangle means "never placed": the window keeps its own size; a
// missing or non-positive width keeps a column's default.
void ApplyListWindowGeometry(QWidget& window, QHeaderView& header, const TWindowEntry& entry);
// The window's normal rectangle (not the maximised one) and its widths.
TWindowEntry ListWindowGeometryOf(const QWidget& window, const QHeaderView& header);

}  // namespace zeph
