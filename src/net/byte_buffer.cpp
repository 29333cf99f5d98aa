#include "net/byte_buffer.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace zeph {

bool TByteBuffer::Reserve(size_t needed) {
  if (needed <= capacity_) return true;
  size_t capacity = ((needed - 1) / kBlock + 1) * kBlock;
  std::unique_ptr<char[]> grown(new (std::nothrow) char[capacity]);
  if (!grown) return false;
  if (end_ > start_) std::memcpy(grown.get(), data_.get() + start_, end_ - start_);
  ShiftToFront();
  data_ = std::move(grown);
  capacity_ = capacity;
  return true;
}

void TByteBuffer::Compact() {
  if (start_ == 0) return;
  std::memmove(data_.get(), data_.get() + start_, end_ - start_);
  ShiftToFront();
}

void TByteBuffer::ShiftToFront() {
  scanned_ = scanned_ > start_ ? scanned_ - start_ : 0;
  end_ -= start_;
  start_ = 0;
}

int TByteBuffer::Append(const char* bytes, int length) {
  if (length <= 0) return 0;
  size_t n = static_cast<size_t>(length);
  if (end_ + n > capacity_) {
    Compact();
    if (end_ + n > capacity_ && !Reserve(end_ + n)) n = capacity_ - end_;
  }
  std::memcpy(data_.get() + end_, bytes, n);
  end_ += n;
  return static_cast<int>(n);
}

std::string_view TByteBuffer::ReadLine() {
  char* base = data_.get();
  while (start_ < end_) {
    scanned_ = std::max(scanned_, start_);
    auto* lf = static_cast<char*>(std::memchr(base + scanned_, '\n', end_ - scanned_));
    size_t stop = lf ? static_cast<size_t>(lf - base) : end_;
    for (char* p = base + scanned_; (p = static_cast<char*>(std::memchr(p, '\0', base + stop - p)));) *p = ' ';
    scanned_ = stop;
    if (discarding_) {
      // Drop what we have of the overlong line; stop once its LF is gone.
      start_ = lf ? stop + 1 : end_;
      discarding_ = lf == nullptr;
      continue;
    }
    if (!lf) {
      // The longest line kept may wait here with its CR for its LF.
      if (end_ - start_ > kMaxLine + 1) {
        start_ = end_;
        discarding_ = true;
        dropped_line_ = true;
      }
      return {};
    }
    size_t length = stop - start_;
    if (length > 0 && base[stop - 1] == '\r') --length;
    std::string_view line(base + start_, length);
    start_ = stop + 1;
    if (length > kMaxLine) {  // a line that arrived whole but is still too long
      dropped_line_ = true;
      return {};
    }
    return line;
  }
  return {};
}

bool TByteBuffer::TakeDroppedLine() {
  bool dropped = dropped_line_;
  dropped_line_ = false;
  return dropped;
}

int TByteBuffer::Peek(char* destination, int n) const {
  if (n <= 0) return 0;
  size_t count = std::min(static_cast<size_t>(n), end_ - start_);
  if (count > 0) std::memcpy(destination, data_.get() + start_, count);
  return static_cast<int>(count);
}

void TByteBuffer::Consume(int n) {
  if (n <= 0) return;
  start_ += std::min(static_cast<size_t>(n), end_ - start_);
}

int TByteBuffer::Read(char* destination, int n) {
  int count = Peek(destination, n);
  Consume(count);
  return count;
}

void TByteBuffer::Prepend(const char* bytes, int length) {
  if (length <= 0) return;
  size_t n = static_cast<size_t>(length);
  if (n <= start_) {
    start_ -= n;
  } else {
    size_t held = end_ - start_;
    if (!Reserve(held + n)) return;
    Compact();
    std::memmove(data_.get() + n, data_.get(), held);
    end_ = held + n;
    start_ = 0;
  }
  std::memcpy(data_.get() + start_, bytes, n);
  scanned_ = start_;
}

void TByteBuffer::Clear() {
  start_ = end_ = scanned_ = 0;
  discarding_ = false;
  dropped_line_ = false;
}

}  // namespace zeph
