#pragma once

#include <cstddef>
#include <list>
#include <unordered_map>

namespace zeph {

class TLogFile;

// The log writers that hold their file open, the most recently written
// first. However many channels and talks write logs, only kMaxOpen files
// stay open: beyond that the least recently written writer lets its file
// go, and opens it again, appending, with its next line.
class TOpenLogFiles {
 public:
  static constexpr size_t kMaxOpen = 64;

  TOpenLogFiles() = default;
  TOpenLogFiles(const TOpenLogFiles&) = delete;
  TOpenLogFiles& operator=(const TOpenLogFiles&) = delete;

  // `file` has just written to its open file.
  void Touch(TLogFile& file);
  // `file` has closed its file.
  void Forget(TLogFile& file);
  size_t Count() const { return recent_.size(); }

 private:
  std::list<TLogFile*> recent_;
  std::unordered_map<TLogFile*, std::list<TLogFile*>::iterator> where_;
};

}  // namespace zeph
