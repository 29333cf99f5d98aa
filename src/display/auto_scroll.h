#pragma once

#include <cstdint>

// Scrolling while a selection is dragged beyond the top or bottom edge of a
// log: the farther the pointer, the faster.
namespace zeph {

struct TAutoScroll {
  int speed = 0;        // negative scrolls up, positive down, 0 is off
  int interval_ms = 0;  // between steps
};

// For a pointer at `y` in a view `height` pixels high: above it speed
// y × 5 held to -200..-10 and an interval of speed + 210 ms; below it
// (y − height) × 5 held to 10..200 and 210 − speed ms; inside it none.
TAutoScroll AutoScrollFor(int y, int height);

// Rows to scroll in one step `elapsed_ms` after the previous one: only at
// the fastest interval (10 ms) does a late step make up for lost time, with
// 1 to 6 rows; otherwise one row.
int AutoScrollRows(std::int64_t elapsed_ms, int interval_ms);

}  // namespace zeph
