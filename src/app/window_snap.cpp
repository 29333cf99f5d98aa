#include "app/window_snap.h"

#include <cstdlib>

namespace zeph {
namespace {

bool Near(int edge, int screen_edge) { return std::abs(edge - screen_edge) < kSnapDistance; }

}  // namespace

TWindowRect SnapToWorkArea(const TWindowRect& window, const TWindowRect& work_area) {
  const int width = window.Width();
  const int height = window.Height();
  int left = window.left;
  int top = window.top;
  if (Near(left, work_area.left)) left = work_area.left;
  if (Near(top, work_area.top)) top = work_area.top;
  if (Near(left + width, work_area.right)) left = work_area.right - width;
  if (Near(top + height, work_area.bottom)) top = work_area.bottom - height;
  return TWindowRect::At(left, top, width, height);
}

}  // namespace zeph
