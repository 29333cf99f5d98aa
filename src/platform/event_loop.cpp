#include "platform/event_loop.h"

namespace zeph {

int TBeforeWaitCalls::Add(int id, IEventLoop::Callback call) {
  calls_[id] = std::move(call);
  return id;
}

void TBeforeWaitCalls::RunAll() {
  for (auto it = calls_.begin(); it != calls_.end();) {
    int id = it->first;
    IEventLoop::Callback call = it->second;  // may be removed by its own call
    call();
    it = calls_.upper_bound(id);
  }
}

TTimer::TTimer(IEventLoop& loop, IEventLoop::Callback tick) : loop_(loop), tick_(std::move(tick)) {}

TTimer::~TTimer() { Stop(); }

void TTimer::Start(int interval_ms) {
  Stop();
  id_ = loop_.AddTimer(interval_ms, [this] { tick_(); });
}

void TTimer::Stop() {
  if (id_ != 0) {
    loop_.RemoveTimer(id_);
    id_ = 0;
  }
}

void TFdWatch::Watch(int fd, bool read, bool write, IEventLoop::ReadyCallback callback) {
  Clear();
  read_ = read;
  write_ = write;
  id_ = loop_.AddWatch(fd, read, write, std::move(callback));
}

void TFdWatch::Update(bool read, bool write) {
  if (id_ == 0 || (read == read_ && write == write_)) return;
  read_ = read;
  write_ = write;
  loop_.UpdateWatch(id_, read, write);
}

void TFdWatch::Clear() {
  if (id_ != 0) {
    loop_.RemoveWatch(id_);
    id_ = 0;
  }
}

}  // namespace zeph
