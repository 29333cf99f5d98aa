#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

namespace zeph {

// URLs waiting to be put on the clipboard, one per second of the world's
// timer. Bounded: when a flood of URLs arrives faster than it drains, the
// oldest waiting ones give way, so the newest URL still reaches the
// clipboard last.
class TUrlClipQueue {
 public:
  static constexpr size_t kDefaultCapacity = 16;

  explicit TUrlClipQueue(size_t capacity = kDefaultCapacity) : capacity_(capacity == 0 ? 1 : capacity) {}

  void Push(std::string_view url);
  // The next URL for the clipboard, or none when nothing waits.
  std::optional<std::string> Pop();

  size_t Size() const { return urls_.size(); }
  bool IsEmpty() const { return urls_.empty(); }

 private:
  size_t capacity_;
  std::deque<std::string> urls_;
};

}  // namespace zeph
