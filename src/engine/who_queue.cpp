#include "engine/who_queue.h"

namespace zeph {

void TWhoQueue::Add(const std::string& channel, int member_count) {
  entries_.push_back(TEntry{channel, member_count});
  Step(false);
}

void TWhoQueue::Step(bool tick) {
  if (tick && wait_ > 0) --wait_;
  if (wait_ >= 1 || entries_.empty()) return;
  TEntry entry = entries_.front();
  send_who_(entry.channel);
  switch (timing_()) {
    case 1: wait_ = entry.member_count / 60 + 3; break;
    case 2: wait_ = entry.member_count / 20 + 6; break;
    case 3: entries_.clear(); break;
    default: break;
  }
  if (!entries_.empty()) entries_.pop_front();
}

void TWhoQueue::LoginWait(int channels) {
  entries_.clear();
  switch (timing_()) {
    case 1: wait_ = channels * 2; break;
    case 2: wait_ = channels * 5; break;
    default: break;
  }
}

}  // namespace zeph
