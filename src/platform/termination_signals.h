#pragma once

#include <functional>

#include "platform/event_loop.h"

namespace zeph {

// SIGINT and SIGTERM as events of the loop: the handler only writes a byte
// to a pipe, and the loop runs the callback like any other event, so a
// shutdown started by a signal runs on the loop's thread.
class TTerminationSignals {
 public:
  TTerminationSignals(IEventLoop& loop, std::function<void()> on_signal);
  ~TTerminationSignals();
  TTerminationSignals(const TTerminationSignals&) = delete;
  TTerminationSignals& operator=(const TTerminationSignals&) = delete;

 private:
  void Drain();

  std::function<void()> on_signal_;
  TFdWatch watch_;
};

}  // namespace zeph
