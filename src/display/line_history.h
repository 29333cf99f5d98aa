#pragma once

#include <string_view>

#include "display/line_store.h"

namespace zeph {

// Receives the text of each line a history records, as a log file writes it.
class TLineSink {
 public:
  virtual ~TLineSink() = default;
  virtual void WriteLine(std::string_view text) = 0;
};

// The keyword history or the URL history: copies of lines from unit and
// channel logs, each leading back to its origin through its link key. The
// history window shows the store; the URL history also hands every entry to
// the URL log file.
class TLineHistory {
 public:
  explicit TLineHistory(TLineBuilder& builder) : lines_(builder) {}

  // The URL log file, or null for none.
  void SetSink(TLineSink* sink) { sink_ = sink; }

  // Records an entry (keyword matching on, as for any message line).
  const TLogLine& Add(const TLogLineSource& entry);

  TLineStore& Lines() { return lines_; }
  const TLineStore& Lines() const { return lines_; }

 private:
  TLineStore lines_;
  TLineSink* sink_ = nullptr;
};

}  // namespace zeph
