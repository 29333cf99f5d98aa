#include "app/input_history.h"

namespace zeph {

void TInputHistory::Add(const std::string& text) {
  if (text != slots_[static_cast<size_t>(Step(head_, -1))]) {
    slots_[static_cast<size_t>(head_)] = text;
    head_ = Step(head_, 1);
    slots_[static_cast<size_t>(head_)].clear();
  }
  browse_ = head_;
}

const std::string& TInputHistory::Up(const std::string& typed) {
  const bool at_head = browse_ == head_;
  // The text being typed is kept in the head slot so Down can return to it.
  if (at_head) slots_[static_cast<size_t>(head_)] = typed;
  const int previous = Step(browse_, -1);
  const bool stop = slots_[static_cast<size_t>(previous)].empty() || (!at_head && previous == head_);
  if (!stop) browse_ = previous;
  return slots_[static_cast<size_t>(browse_)];
}

std::string TInputHistory::Down(const std::string& typed) {
  if (browse_ == head_) {
    if (!typed.empty()) Add(typed);
    return {};
  }
  browse_ = Step(browse_, 1);
  return slots_[static_cast<size_t>(browse_)];
}

}  // namespace zeph
