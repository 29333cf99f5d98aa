#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>

#include "display/log_line.h"

namespace zeph {

class TLineBuilder;

// Told of changes to a line store, so that a view can keep its position and
// shift the line indexes it holds.
class TLineStoreObserver {
 public:
  virtual ~TLineStoreObserver() = default;
  // Around one AddLine; lines dropped for the limit are reported in between.
  virtual void BeforeLineAdded() {}
  virtual void AfterLineAdded() {}
  // The count oldest lines are gone; every stored index moves down by count.
  virtual void LinesDropped(size_t count) {}
};

// The lines of one log, oldest first, with the line limit and the serial
// numbers. Appending at the end, dropping at the start and reaching a line
// by index all take constant time; references to a line stay valid until
// that line is dropped.
class TLineStore {
 public:
  static constexpr int kDefaultMaxLines = 1000;

  explicit TLineStore(TLineBuilder& builder);

  void SetObserver(TLineStoreObserver* observer) { observer_ = observer; }

  // Builds the line of source, gives it the next serial number (whatever
  // serial the source carries), appends it and drops the oldest lines beyond
  // the limit.
  const TLogLine& AddLine(const TLogLineSource& source, bool keyword_check);

  // Drops the count oldest lines; all of them when count is negative or
  // exceeds the line count.
  void RemoveOldest(long long count);
  void Clear() { RemoveOldest(-1); }

  // A limit of 0 or below means no limit. Lines beyond a new limit are
  // dropped at once.
  void SetMaxLines(int max_lines);
  int MaxLines() const { return max_lines_; }

  // The index of the line with this serial, or none once it was dropped.
  std::optional<size_t> FindBySerial(std::uint64_t serial) const;

  size_t Count() const { return lines_.size(); }
  const TLogLine& At(size_t index) const { return lines_[index]; }
  std::uint64_t NextSerial() const { return next_serial_; }

  // The text of every line, each followed by CR LF, as a saved log holds it.
  std::string JoinedText() const;

 private:
  void DropBeyondLimit();

  TLineBuilder& builder_;
  TLineStoreObserver* observer_ = nullptr;
  std::deque<TLogLine> lines_;
  std::uint64_t next_serial_ = 1;
  int max_lines_ = kDefaultMaxLines;
};

}  // namespace zeph
