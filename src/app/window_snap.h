#pragma once

#include "settings/window_layout.h"

namespace zeph {

// How close an edge of the main window must come to the same edge of the
// screen's work area to be pulled onto it.
inline constexpr int kSnapDistance = 16;

// The window moved onto each edge of the work area that it lies less than
// kSnapDistance from, inside or outside, its size kept. Left and top go
// first, so that when both opposite edges are in range the right or bottom
// one wins.
TWindowRect SnapToWorkArea(const TWindowRect& window, const TWindowRect& work_area);

}  // namespace zeph
