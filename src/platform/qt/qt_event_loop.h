#pragma once

#include <QObject>
#include <map>
#include <memory>

#include "platform/event_loop.h"

class QSocketNotifier;
class QTimer;

namespace zeph {

// The program's event loop: the engine's watches, timers and posted calls
// run on the Qt event loop of the thread that created this object.
class TQtEventLoop final : public QObject, public IEventLoop {
  Q_OBJECT
 public:
  TQtEventLoop();
  ~TQtEventLoop() override;

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

 private:
  struct Watch {
    int fd;
    ReadyCallback callback;
    QSocketNotifier* reader = nullptr;
    QSocketNotifier* writer = nullptr;
  };

  struct Timer {
    QTimer* timer;
    Callback callback;
  };

  void Notify(int watch, bool readable, bool writable);
  void Fire(int timer);
  // Qt objects are retired with deleteLater: they may be inside their own
  // signal when the engine drops them.
  static void Retire(QObject* object);

  int next_id_ = 1;
  std::map<int, Watch> watches_;
  std::map<int, Timer> timers_;
  TBeforeWaitCalls before_wait_;
};

}  // namespace zeph
