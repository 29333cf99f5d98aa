#include "display/line_store.h"

#include "display/line_builder.h"

namespace zeph {

TLineStore::TLineStore(TLineBuilder& builder) : builder_(builder) {}

const TLogLine& TLineStore::AddLine(const TLogLineSource& source, bool keyword_check) {
  if (observer_) observer_->BeforeLineAdded();
  lines_.push_back(builder_.Build(source, keyword_check));
  lines_.back().serial = next_serial_++;
  DropBeyondLimit();
  if (observer_) observer_->AfterLineAdded();
  return lines_.back();
}

void TLineStore::RemoveOldest(long long count) {
  size_t dropped = count < 0 || static_cast<unsigned long long>(count) > lines_.size() ? lines_.size()
                                                                                       : static_cast<size_t>(count);
  if (dropped == 0) return;
  lines_.erase(lines_.begin(), lines_.begin() + static_cast<std::ptrdiff_t>(dropped));
  if (observer_) observer_->LinesDropped(dropped);
}

void TLineStore::SetMaxLines(int max_lines) {
  max_lines_ = max_lines;
  DropBeyondLimit();
}

void TLineStore::DropBeyondLimit() {
  if (max_lines_ > 0 && lines_.size() > static_cast<size_t>(max_lines_))
    RemoveOldest(static_cast<long long>(lines_.size() - static_cast<size_t>(max_lines_)));
}

// Serials grow by one per added line and lines leave only from the front,
// so the stored serials are consecutive and the index follows directly.
std::optional<size_t> TLineStore::FindBySerial(std::uint64_t serial) const {
  if (lines_.empty() || serial < lines_.front().serial || serial > lines_.back().serial) return std::nullopt;
  return static_cast<size_t>(serial - lines_.front().serial);
}

std::string TLineStore::JoinedText() const {
  std::string joined;
  for (const TLogLine& line : lines_) {
    joined += line.text;
    joined += "\r\n";
  }
  return joined;
}

}  // namespace zeph
