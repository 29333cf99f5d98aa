#include "display/auto_scroll.h"

#include <algorithm>

namespace zeph {

TAutoScroll AutoScrollFor(int y, int height) {
  if (y < 0) {
    int speed = std::clamp(y * 5, -200, -10);
    return {speed, speed + 210};
  }
  if (y > height) {
    int speed = std::clamp((y - height) * 5, 10, 200);
    return {speed, 210 - speed};
  }
  return {};
}

int AutoScrollRows(std::int64_t elapsed_ms, int interval_ms) {
  constexpr int kFastest = 10;
  if (interval_ms != kFastest) return 1;
  return static_cast<int>(std::clamp<std::int64_t>(elapsed_ms / interval_ms, 1, 6));
}

}  // namespace zeph
