#pragma once

#include <vector>

#include "platform/event_loop.h"

namespace zeph {

class TLogFile;

// Hands the lines log files gather while the program handles one batch of
// received data to the operating system in one write per file, before the
// loop waits for input again: a flood costs one system call per batch, not
// per line, and nothing the program has handled waits in memory while it
// sleeps, so a crash loses no line of an earlier wake-up. Without a loop,
// every line is written at once.
class TLogWriteBatch {
 public:
  TLogWriteBatch() = default;
  ~TLogWriteBatch() { Detach(); }
  TLogWriteBatch(const TLogWriteBatch&) = delete;
  TLogWriteBatch& operator=(const TLogWriteBatch&) = delete;

  // From now on lines wait for the loop's next wait; the loop must outlive
  // the batch or Detach.
  void Attach(IEventLoop& loop);
  // Writes what waits and goes back to writing every line at once.
  void Detach();
  bool IsAttached() const { return loop_ != nullptr; }

  // `file` holds lines to write.
  void Hold(TLogFile& file) { held_.push_back(&file); }
  // `file` has written its lines or is going away.
  void Forget(TLogFile& file);
  void WriteAll();

 private:
  IEventLoop* loop_ = nullptr;
  int hook_ = 0;
  std::vector<TLogFile*> held_;
};

}  // namespace zeph
