#pragma once

#include <deque>
#include <functional>
#include <string>

namespace zeph {

// Paces the WHO requests that fill member lists, so that the large replies
// of big channels are spread over time in proportion to their size.
class TWhoQueue {
 public:
  using TSendWho = std::function<void(const std::string& channel)>;
  // timing: the WhoTiming preference, read at each use.
  using TTiming = std::function<int()>;

  TWhoQueue(TSendWho send_who, TTiming timing) : send_who_(std::move(send_who)), timing_(std::move(timing)) {}

  void Add(const std::string& channel, int member_count);
  void Step(bool tick);
  // At login: the joins of n channels are under way; wait before asking.
  void LoginWait(int channels);
  void Clear() { entries_.clear(); }

  int Wait() const { return wait_; }
  size_t Size() const { return entries_.size(); }

 private:
  struct TEntry {
    std::string channel;
    int member_count;
  };

  TSendWho send_who_;
  TTiming timing_;
  std::deque<TEntry> entries_;
  int wait_ = 0;
};

}  // namespace zeph
