#pragma once

#include <cstdint>
#include <functional>
#include <map>

namespace zeph {

// The one event loop of the program. Socket readiness, timers and posted
// calls are delivered on the loop's thread, one at a time, each handled to
// completion before the next. The engine sees only this interface; the
// program runs it over Qt, tests over a loop whose clock they advance.
class IEventLoop {
 public:
  using Callback = std::function<void()>;
  // Told which of the watched conditions hold. An error or hang-up on the
  // descriptor is reported as readable (and writable when write is watched),
  // so the owner's next read or write observes it.
  using ReadyCallback = std::function<void(bool readable, bool writable)>;

  virtual ~IEventLoop() = default;

  // Watches a descriptor; returns a handle, never 0.
  virtual int AddWatch(int fd, bool read, bool write, ReadyCallback callback) = 0;
  virtual void UpdateWatch(int watch, bool read, bool write) = 0;
  // Safe from inside any callback, including the watch's own.
  virtual void RemoveWatch(int watch) = 0;

  // A repeating timer; returns a handle, never 0.
  virtual int AddTimer(int interval_ms, Callback callback) = 0;
  // Safe from inside any callback, including the timer's own.
  virtual void RemoveTimer(int timer) = 0;

  // Runs the call later on the loop's thread. May be called from any thread.
  virtual void Post(Callback call) = 0;

  // Runs the call every time the loop is about to wait for events, after
  // what was ready has been handled: work gathered while handling them is
  // finished there, before the program sleeps. Returns a handle, never 0.
  virtual int AddBeforeWait(Callback call) = 0;
  // Safe from inside any callback, including the call's own.
  virtual void RemoveBeforeWait(int hook) = 0;

  // Monotonic milliseconds, for durations.
  virtual int64_t NowMs() const = 0;
  // Milliseconds since the epoch, for time stamps and the change of day.
  virtual int64_t WallTimeMs() const = 0;
};

// The before-wait calls of a loop, in the order they were added.
class TBeforeWaitCalls {
 public:
  int Add(int id, IEventLoop::Callback call);
  void Remove(int id) { calls_.erase(id); }
  // Each call may add or remove calls, itself included.
  void RunAll();

 private:
  std::map<int, IEventLoop::Callback> calls_;
};

// A repeating timer owned by one object; stops itself when destroyed.
class TTimer {
 public:
  TTimer(IEventLoop& loop, IEventLoop::Callback tick);
  ~TTimer();
  TTimer(const TTimer&) = delete;
  TTimer& operator=(const TTimer&) = delete;

  // Stops a running timer first, then arms it with the new period.
  void Start(int interval_ms);
  void Stop();
  bool IsActive() const { return id_ != 0; }

 private:
  IEventLoop& loop_;
  IEventLoop::Callback tick_;
  int id_ = 0;
};

// Readiness watch of one descriptor, removed when destroyed.
class TFdWatch {
 public:
  explicit TFdWatch(IEventLoop& loop) : loop_(loop) {}
  ~TFdWatch() { Clear(); }
  TFdWatch(const TFdWatch&) = delete;
  TFdWatch& operator=(const TFdWatch&) = delete;

  void Watch(int fd, bool read, bool write, IEventLoop::ReadyCallback callback);
  void Update(bool read, bool write);
  void Clear();
  bool IsActive() const { return id_ != 0; }

 private:
  IEventLoop& loop_;
  int id_ = 0;
  bool read_ = false;
  bool write_ = false;
};

}  // namespace zeph
