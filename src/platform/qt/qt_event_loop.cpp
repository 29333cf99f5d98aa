#include "platform/qt/qt_event_loop.h"

#include <QAbstractEventDispatcher>
#include <QMetaObject>
#include <QSocketNotifier>
#include <QTimer>
#include <chrono>

namespace zeph {

// The event dispatcher of the thread says when it is about to block; the
// thread has one once a QCoreApplication exists.
TQtEventLoop::TQtEventLoop() {
  if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
    connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] { before_wait_.RunAll(); });
}

TQtEventLoop::~TQtEventLoop() {
  for (auto& [id, w] : watches_) {
    delete w.reader;
    delete w.writer;
  }
  for (auto& [id, t] : timers_) delete t.timer;
}

void TQtEventLoop::Retire(QObject* object) {
  if (object == nullptr) return;
  object->disconnect();
  object->deleteLater();
}

int TQtEventLoop::AddWatch(int fd, bool read, bool write, ReadyCallback callback) {
  int id = next_id_++;
  Watch& w = watches_[id];
  w.fd = fd;
  w.callback = std::move(callback);
  w.reader = new QSocketNotifier(fd, QSocketNotifier::Read, this);
  w.writer = new QSocketNotifier(fd, QSocketNotifier::Write, this);
  connect(w.reader, &QSocketNotifier::activated, this, [this, id] { Notify(id, true, false); });
  connect(w.writer, &QSocketNotifier::activated, this, [this, id] { Notify(id, false, true); });
  w.reader->setEnabled(read);
  w.writer->setEnabled(write);
  return id;
}

void TQtEventLoop::UpdateWatch(int watch, bool read, bool write) {
  auto it = watches_.find(watch);
  if (it == watches_.end()) return;
  it->second.reader->setEnabled(read);
  it->second.writer->setEnabled(write);
}

void TQtEventLoop::RemoveWatch(int watch) {
  auto it = watches_.find(watch);
  if (it == watches_.end()) return;
  // The descriptor is closed right after this; a notifier still enabled
  // on a closed descriptor makes Qt complain.
  it->second.reader->setEnabled(false);
  it->second.writer->setEnabled(false);
  Retire(it->second.reader);
  Retire(it->second.writer);
  watches_.erase(it);
}

void TQtEventLoop::Notify(int watch, bool readable, bool writable) {
  auto it = watches_.find(watch);
  if (it == watches_.end()) return;
  ReadyCallback callback = it->second.callback;  // may be removed by its own call
  callback(readable, writable);
}

int TQtEventLoop::AddTimer(int interval_ms, Callback callback) {
  int id = next_id_++;
  auto* timer = new QTimer(this);
  timer->setTimerType(Qt::PreciseTimer);
  connect(timer, &QTimer::timeout, this, [this, id] { Fire(id); });
  timer->start(interval_ms > 0 ? interval_ms : 1);
  timers_[id] = Timer{timer, std::move(callback)};
  return id;
}

void TQtEventLoop::RemoveTimer(int timer) {
  auto it = timers_.find(timer);
  if (it == timers_.end()) return;
  it->second.timer->stop();
  Retire(it->second.timer);
  timers_.erase(it);
}

void TQtEventLoop::Fire(int timer) {
  auto it = timers_.find(timer);
  if (it == timers_.end()) return;
  Callback callback = it->second.callback;  // may be removed by its own call
  callback();
}

void TQtEventLoop::Post(Callback call) {
  QMetaObject::invokeMethod(this, [call = std::move(call)] { call(); }, Qt::QueuedConnection);
}

int TQtEventLoop::AddBeforeWait(Callback call) { return before_wait_.Add(next_id_++, std::move(call)); }

void TQtEventLoop::RemoveBeforeWait(int hook) { before_wait_.Remove(hook); }

int64_t TQtEventLoop::NowMs() const {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

int64_t TQtEventLoop::WallTimeMs() const {
  using namespace std::chrono;
  return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

}  // namespace zeph
