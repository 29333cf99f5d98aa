#include "display/line_store.h"

#include "display/line_builder.h"
#include "display/line_record.h"

namespace zeph {

TLineStore::TLineStore(TLineBuilder& builder) : builder_(builder) {}

const TLogLine& TLineStore::AddLine(const TLogLineSource& source, bool keyword_check) {
  if (observer_) observer_->BeforeLineAdded();
  last_ ^= 1;
  TLogLine& line = lines_[last_];
  builder_.Build(source, keyword_check, line);
  line.serial = next_serial_++;
  Append(line);
  DropBeyondLimit();
  if (observer_) observer_->AfterLineAdded();
  return line;
}

// A full block is trimmed to its size, and the next one starts with room
// for as much, so a block is seldom copied while it fills.
void TLineStore::Append(const TLogLine& line) {
  if (blocks_.empty() || blocks_.back().count == kBlockLines) {
    size_t expected = 0;
    if (!blocks_.empty()) {
      blocks_.back().records.ShrinkToFit();
      expected = blocks_.back().records.Size();
    }
    TBlock& block = blocks_.emplace_back();
    block.records.Reserve(expected);
    block.restarts.reserve(kBlockLines / kRestartLines);
  }
  TBlock& block = blocks_.back();
  bool restart = block.count % kRestartLines == 0;
  if (restart) block.restarts.push_back(static_cast<std::uint32_t>(block.records.Size()));
  char* at = block.records.Extend(MostRecordBytes(line));
  block.records.SetEnd(WriteLineRecord(line, restart ? nullptr : &lines_[last_ ^ 1], at));
  ++block.count;
  ++count_;
}

void TLineStore::RemoveOldest(long long count) {
  size_t dropped = count < 0 || static_cast<unsigned long long>(count) > count_ ? count_ : static_cast<size_t>(count);
  if (dropped == 0) return;
  count_ -= dropped;
  if (count_ == 0) {
    blocks_.clear();
    dropped_in_front_ = 0;
  } else {
    dropped_in_front_ += dropped;
    for (; dropped_in_front_ >= kBlockLines; dropped_in_front_ -= kBlockLines) blocks_.pop_front();
  }
  if (observer_) observer_->LinesDropped(dropped);
}

void TLineStore::SetMaxLines(int max_lines) {
  max_lines_ = max_lines;
  DropBeyondLimit();
}

void TLineStore::DropBeyondLimit() {
  if (max_lines_ > 0 && count_ > static_cast<size_t>(max_lines_))
    RemoveOldest(static_cast<long long>(count_ - static_cast<size_t>(max_lines_)));
}

// Serials grow by one per added line and lines leave only from the front,
// so the stored serials are consecutive and the index follows directly.
std::optional<size_t> TLineStore::FindBySerial(std::uint64_t serial) const {
  if (count_ == 0 || serial < FirstSerial() || serial >= next_serial_) return std::nullopt;
  return static_cast<size_t>(serial - FirstSerial());
}

TLogLine TLineStore::At(size_t index) const {
  TLineReader reader(*this);
  return reader.Read(index);
}

std::string TLineStore::JoinedText() const {
  std::string joined;
  TLineReader reader(*this);
  for (size_t i = 0; i < count_; ++i) {
    joined += reader.Read(i).text;
    joined += "\r\n";
  }
  return joined;
}

size_t TLineStore::MemoryBytes() const {
  size_t bytes = 0;
  for (const TBlock& block : blocks_)
    bytes += sizeof block + block.records.Capacity() + block.restarts.capacity() * sizeof(std::uint32_t);
  return bytes;
}

const TLogLine& TLineReader::Read(size_t index) {
  std::uint64_t serial = store_.FirstSerial() + index;
  if (serial_ != 0 && serial == serial_) return line_;
  size_t position = store_.dropped_in_front_ + index;
  const TLineStore::TBlock& block = store_.blocks_[position / TLineStore::kBlockLines];
  size_t within = position % TLineStore::kBlockLines;
  std::string_view records = block.records.View();
  size_t at = next_record_;
  if (serial_ == 0 || serial != serial_ + 1 || within % TLineStore::kRestartLines == 0) {
    size_t restart = within / TLineStore::kRestartLines;
    at = block.restarts[restart];
    for (size_t i = restart * TLineStore::kRestartLines; i < within; ++i) at = ReadLineRecord(records, at, line_);
  }
  next_record_ = ReadLineRecord(records, at, line_);
  serial_ = line_.serial = serial;
  return line_;
}

}  // namespace zeph
