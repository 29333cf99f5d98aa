#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>

#include "display/block_bytes.h"
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
// numbers. Lines are kept packed (line_record.h) in blocks of kBlockLines
// lines each: no allocation per line, and dropping old lines frees whole
// blocks. Appending at the end, dropping at the start and reaching a line by
// index all take constant time. Lines are read back as TLogLine values,
// through a TLineReader for many reads (a view drawing its lines).
class TLineStore {
 public:
  static constexpr int kDefaultMaxLines = 1000;
  static constexpr size_t kBlockLines = 256;
  // Every this many lines a record starts afresh, without referring to the
  // line before it; reaching a line decodes at most this many records.
  static constexpr size_t kRestartLines = 16;

  explicit TLineStore(TLineBuilder& builder);

  void SetObserver(TLineStoreObserver* observer) { observer_ = observer; }

  // Builds the line of source, gives it the next serial number (whatever
  // serial the source carries), appends it and drops the oldest lines beyond
  // the limit. The line returned is valid until the next AddLine.
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

  size_t Count() const { return count_; }
  // The line at index (0 = the oldest), decoded; for a few reads. Many
  // reads go through a TLineReader.
  TLogLine At(size_t index) const;
  std::uint64_t NextSerial() const { return next_serial_; }

  // The text of every line, each followed by CR LF, as a saved log holds it.
  std::string JoinedText() const;

  // The bytes the lines take, blocks and their restart tables included.
  size_t MemoryBytes() const;

 private:
  friend class TLineReader;

  struct TBlock {
    TBlockBytes records;
    std::vector<std::uint32_t> restarts;  // where every kRestartLines-th record starts
    size_t count = 0;
  };

  void DropBeyondLimit();
  void Append(const TLogLine& line);
  std::uint64_t FirstSerial() const { return next_serial_ - count_; }

  TLineBuilder& builder_;
  TLineStoreObserver* observer_ = nullptr;
  std::deque<TBlock> blocks_;
  size_t dropped_in_front_ = 0;  // lines of the first block already dropped
  size_t count_ = 0;
  std::uint64_t next_serial_ = 1;
  int max_lines_ = kDefaultMaxLines;
  // The line added last and the one before it take turns: each new line is
  // built into the buffers of the line before the last.
  TLogLine lines_[2];
  size_t last_ = 0;  // index in lines_ of the line added last
};

// Reads the lines of a store: any line by index, and the line after the one
// read last without decoding its predecessors again, so that reading lines
// in turn costs one record each. The line returned stays valid until the
// next Read; the reader follows the store through additions and drops.
class TLineReader {
 public:
  explicit TLineReader(const TLineStore& store) : store_(store) {}

  const TLogLine& Read(size_t index);

 private:
  const TLineStore& store_;
  TLogLine line_;
  std::uint64_t serial_ = 0;  // of line_; 0 for none
  size_t next_record_ = 0;    // where the record after line_'s starts
};

}  // namespace zeph
