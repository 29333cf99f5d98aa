#include "display/open_log_files.h"

#include "display/log_file.h"

namespace zeph {

void TOpenLogFiles::Touch(TLogFile& file) {
  auto found = where_.find(&file);
  if (found != where_.end()) {
    recent_.splice(recent_.begin(), recent_, found->second);
    return;
  }
  recent_.push_front(&file);
  where_.emplace(&file, recent_.begin());
  while (recent_.size() > kMaxOpen) {
    TLogFile* oldest = recent_.back();
    recent_.pop_back();
    where_.erase(oldest);
    oldest->Park();
  }
}

void TOpenLogFiles::Forget(TLogFile& file) {
  auto found = where_.find(&file);
  if (found == where_.end()) return;
  recent_.erase(found->second);
  where_.erase(found);
}

}  // namespace zeph
