#pragma once

#include <array>
#include <string>

// What the input line sent, for Up and Down. A ring of 50 slots whose head
// slot is always empty, so it holds at most 49 entries. Memory only.
namespace zeph {

class TInputHistory {
 public:
  static constexpr int kSlots = 50;

  // Stored unless it equals the entry just before the head; browsing
  // starts again from the head.
  void Add(const std::string& text);
  // The text the box shows after Up; typed is what the box holds now.
  const std::string& Up(const std::string& typed);
  // The text the box shows after Down: at the head a typed text is kept as
  // an entry and the box empties.
  std::string Down(const std::string& typed);

 private:
  static int Step(int index, int by) { return (index + by + kSlots) % kSlots; }

  std::array<std::string, kSlots> slots_;
  int head_ = 0;
  int browse_ = 0;
};

}  // namespace zeph
