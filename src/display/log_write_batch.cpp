#include "display/log_write_batch.h"

#include <algorithm>

#include "display/log_file.h"

namespace zeph {

void TLogWriteBatch::Attach(IEventLoop& loop) {
  Detach();
  loop_ = &loop;
  hook_ = loop.AddBeforeWait([this] { WriteAll(); });
}

void TLogWriteBatch::Detach() {
  if (!loop_) return;
  WriteAll();
  loop_->RemoveBeforeWait(hook_);
  loop_ = nullptr;
  hook_ = 0;
}

void TLogWriteBatch::Forget(TLogFile& file) {
  held_.erase(std::remove(held_.begin(), held_.end(), &file), held_.end());
}

void TLogWriteBatch::WriteAll() {
  // A write that fails switches its writer off, which forgets it here.
  while (!held_.empty()) {
    TLogFile* file = held_.back();
    held_.pop_back();
    file->WriteHeld();
  }
}

}  // namespace zeph
