// The main window pulled onto the edges of the work area.
#include "app/window_snap.h"

#include <gtest/gtest.h>

namespace zeph {
namespace {

TEST(WindowSnapTest, EdgesWithinTheDistanceMoveOntoTheWorkArea) {
  const TWindowRect work = TWindowRect::At(0, 0, 1280, 770);
  struct {
    TWindowRect window;
    TWindowRect snapped;
  } cases[] = {
      // Far from every edge: unchanged.
      {TWindowRect::At(100, 100, 500, 500), TWindowRect::At(100, 100, 500, 500)},
      // 15 inside and 15 outside the left and top edges.
      {TWindowRect::At(15, 15, 500, 500), TWindowRect::At(0, 0, 500, 500)},
      {TWindowRect::At(-15, -15, 500, 500), TWindowRect::At(0, 0, 500, 500)},
      // 16 away is too far.
      {TWindowRect::At(16, -16, 500, 500), TWindowRect::At(16, -16, 500, 500)},
      // Right and bottom edges, size kept.
      {TWindowRect::At(1280 - 500 + 10, 770 - 300 - 5, 500, 300), TWindowRect::At(780, 470, 500, 300)},
      {TWindowRect::At(1280 - 500 - 12, 770 - 300 + 15, 500, 300), TWindowRect::At(780, 470, 500, 300)},
      // Both opposite edges in range: right and bottom win.
      {TWindowRect::At(5, 4, 1270, 760), TWindowRect::At(10, 10, 1270, 760)},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SnapToWorkArea(c.window, work), c.snapped) << c.window.left << "," << c.window.top;
}

TEST(WindowSnapTest, AWorkAreaThatDoesNotStartAtTheOrigin) {
  const TWindowRect work = TWindowRect::At(1280, 30, 1024, 738);
  EXPECT_EQ(SnapToWorkArea(TWindowRect::At(1290, 40, 400, 300), work), TWindowRect::At(1280, 30, 400, 300));
  EXPECT_EQ(SnapToWorkArea(TWindowRect::At(1270, 20, 400, 300), work), TWindowRect::At(1280, 30, 400, 300));
}

}  // namespace
}  // namespace zeph
