#include "platform/poll_loop.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <chrono>
#include <vector>

namespace zeph {
namespace {

int64_t SteadyMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

int64_t SystemMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

}  // namespace

TPollLoop::TPollLoop(Clock clock) : clock_(clock) {
  wake_fd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  wall_offset_ = SystemMs() - NowMs();
}

TPollLoop::~TPollLoop() {
  if (wake_fd_ >= 0) close(wake_fd_);
}

int TPollLoop::AddWatch(int fd, bool read, bool write, ReadyCallback callback) {
  int id = next_id_++;
  watches_[id] = Watch{fd, read, write, std::move(callback)};
  return id;
}

void TPollLoop::UpdateWatch(int watch, bool read, bool write) {
  auto it = watches_.find(watch);
  if (it == watches_.end()) return;
  it->second.read = read;
  it->second.write = write;
}

void TPollLoop::RemoveWatch(int watch) { watches_.erase(watch); }

int TPollLoop::AddTimer(int interval_ms, Callback callback) {
  int id = next_id_++;
  int64_t interval = interval_ms > 0 ? interval_ms : 1;
  timers_[id] = Timer{interval, NowMs() + interval, std::move(callback)};
  return id;
}

void TPollLoop::RemoveTimer(int timer) { timers_.erase(timer); }

void TPollLoop::Post(Callback call) {
  {
    std::lock_guard lock(posted_mutex_);
    posted_.push_back(std::move(call));
  }
  uint64_t one = 1;
  [[maybe_unused]] ssize_t n = write(wake_fd_, &one, sizeof one);
}

int TPollLoop::AddBeforeWait(Callback call) { return before_wait_.Add(next_id_++, std::move(call)); }

void TPollLoop::RemoveBeforeWait(int hook) { before_wait_.Remove(hook); }

int64_t TPollLoop::NowMs() const { return clock_ == Clock::Manual ? manual_now_ : SteadyMs(); }

int64_t TPollLoop::WallTimeMs() const { return NowMs() + wall_offset_; }

void TPollLoop::SetWallTimeMs(int64_t wall_ms) { wall_offset_ = wall_ms - NowMs(); }

void TPollLoop::RunPosted() {
  for (;;) {
    Callback call;
    {
      std::lock_guard lock(posted_mutex_);
      if (posted_.empty()) return;
      call = std::move(posted_.front());
      posted_.pop_front();
    }
    call();
  }
}

// Fires the earliest timer due at or before `until`; ties go to the older
// timer. Returns false when none is due.
bool TPollLoop::FireNextTimer(int64_t until) {
  auto next = timers_.end();
  for (auto it = timers_.begin(); it != timers_.end(); ++it) {
    if (it->second.due <= until && (next == timers_.end() || it->second.due < next->second.due))
      next = it;
  }
  if (next == timers_.end()) return false;
  if (clock_ == Clock::Manual && next->second.due > manual_now_) manual_now_ = next->second.due;
  next->second.due += next->second.interval;
  Callback callback = next->second.callback;  // the timer may be removed by its own call
  callback();
  return true;
}

void TPollLoop::Advance(int64_t ms) {
  int64_t target = manual_now_ + ms;
  RunPosted();
  while (FireNextTimer(target)) RunPosted();
  manual_now_ = target;
  RunPosted();
}

int TPollLoop::NextTimerWaitMs(int timeout_ms) const {
  if (clock_ == Clock::Manual) return timeout_ms;
  int64_t now = NowMs();
  int64_t wait = timeout_ms < 0 ? INT32_MAX : timeout_ms;
  for (const auto& [id, timer] : timers_) wait = std::min(wait, std::max<int64_t>(0, timer.due - now));
  return static_cast<int>(wait);
}

void TPollLoop::DispatchReadiness(int timeout_ms) {
  std::vector<pollfd> fds;
  std::vector<int> ids;
  fds.push_back(pollfd{wake_fd_, POLLIN, 0});
  ids.push_back(0);
  for (const auto& [id, w] : watches_) {
    short events = static_cast<short>((w.read ? POLLIN : 0) | (w.write ? POLLOUT : 0));
    if (events == 0) continue;
    fds.push_back(pollfd{w.fd, events, 0});
    ids.push_back(id);
  }
  int n = poll(fds.data(), fds.size(), timeout_ms);
  if (n <= 0) return;
  if (fds[0].revents & POLLIN) {
    uint64_t count;
    [[maybe_unused]] ssize_t r = read(wake_fd_, &count, sizeof count);
  }
  for (size_t i = 1; i < fds.size(); ++i) {
    if (fds[i].revents == 0) continue;
    auto it = watches_.find(ids[i]);
    if (it == watches_.end() || it->second.fd != fds[i].fd) continue;  // removed meanwhile
    bool failed = fds[i].revents & (POLLERR | POLLHUP | POLLNVAL);
    bool readable = (fds[i].revents & POLLIN) || (failed && it->second.read);
    bool writable = (fds[i].revents & POLLOUT) || (failed && it->second.write);
    readable = readable && it->second.read;
    writable = writable && it->second.write;
    if (!readable && !writable) continue;
    ReadyCallback callback = it->second.callback;  // may be removed by its own call
    callback(readable, writable);
  }
}

void TPollLoop::RunOnce(int timeout_ms) {
  RunPosted();
  before_wait_.RunAll();
  DispatchReadiness(NextTimerWaitMs(timeout_ms));
  RunPosted();
  if (clock_ == Clock::Real) {
    int64_t now = NowMs();
    while (FireNextTimer(now)) RunPosted();
  }
}

bool TPollLoop::RunUntil(const std::function<bool()>& done, int timeout_ms) {
  int64_t deadline = SteadyMs() + timeout_ms;
  while (!done()) {
    int64_t left = deadline - SteadyMs();
    if (left <= 0) return done();
    RunOnce(static_cast<int>(std::min<int64_t>(left, 20)));
  }
  return true;
}

void TPollLoop::Run() {
  quit_ = false;
  while (!quit_) RunOnce(-1);
}

}  // namespace zeph
