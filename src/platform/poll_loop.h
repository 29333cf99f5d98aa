#pragma once

#include <atomic>
#include <deque>
#include <map>
#include <mutex>

#include "platform/event_loop.h"

namespace zeph {

// An event loop over poll(2). With the manual clock, time moves only when a
// test calls Advance, so ticks, countdowns and flood budgets are exact and
// tests need no sleeps; socket readiness is still real.
class TPollLoop final : public IEventLoop {
 public:
  enum class Clock { Manual, Real };
  explicit TPollLoop(Clock clock = Clock::Manual);
  ~TPollLoop() override;

  int AddWatch(int fd, bool read, bool write, ReadyCallback callback) override;
  void UpdateWatch(int watch, bool read, bool write) override;
  void RemoveWatch(int watch) override;
  int AddTimer(int interval_ms, Callback callback) override;
  void RemoveTimer(int timer) override;
  void Post(Callback call) override;
  int AddBeforeWait(Callback call) override;
  void RemoveBeforeWait(int hook) override;
  int64_t NowMs() const override;
  int64_t WallTimeMs() const override;

  // Manual clock: moves time forward, firing each timer that falls due on
  // the way at its own time, in time order; posted calls run in between.
  void Advance(int64_t ms);
  // Manual clock: the wall time that corresponds to the current NowMs.
  void SetWallTimeMs(int64_t wall_ms);

  // Runs posted calls and the before-wait calls, waits at most timeout_ms of
  // real time for socket readiness and dispatches it; with the real clock,
  // fires due timers too.
  void RunOnce(int timeout_ms);
  // Runs until done() holds or timeout_ms of real time have passed.
  bool RunUntil(const std::function<bool()>& done, int timeout_ms = 5000);
  // Real clock: runs until Quit.
  void Run();
  void Quit() { quit_ = true; }

 private:
  struct Watch {
    int fd;
    bool read;
    bool write;
    ReadyCallback callback;
  };
  struct Timer {
    int64_t interval;
    int64_t due;
    Callback callback;
  };

  void RunPosted();
  bool FireNextTimer(int64_t until);
  void DispatchReadiness(int timeout_ms);
  int NextTimerWaitMs(int timeout_ms) const;

  const Clock clock_;
  int64_t manual_now_ = 0;
  int64_t wall_offset_ = 0;
  int next_id_ = 1;
  std::map<int, Watch> watches_;
  std::map<int, Timer> timers_;
  TBeforeWaitCalls before_wait_;
  std::mutex posted_mutex_;
  std::deque<Callback> posted_;
  int wake_fd_ = -1;
  bool quit_ = false;
};

}  // namespace zeph
