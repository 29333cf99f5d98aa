#include "display/block_bytes.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

namespace zeph {

TBlockBytes::TBlockBytes(TBlockBytes&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      capacity_(std::exchange(other.capacity_, 0)) {}

TBlockBytes& TBlockBytes::operator=(TBlockBytes&& other) noexcept {
  if (this != &other) {
    std::free(data_);
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
    capacity_ = std::exchange(other.capacity_, 0);
  }
  return *this;
}

TBlockBytes::~TBlockBytes() { std::free(data_); }

void TBlockBytes::Reserve(size_t capacity) {
  if (capacity > capacity_) Resize(capacity);
}

char* TBlockBytes::Extend(size_t most) {
  if (size_ + most > capacity_) Resize(std::max(size_ + most, capacity_ + capacity_ / 2));
  return data_ + size_;
}

// The bytes move to a block of their own size rather than shrinking in
// place: a shrunk block would leave its tail as a gap too small for the next
// block, and a store of many blocks would keep a gap behind each of them.
void TBlockBytes::ShrinkToFit() {
  if (size_ == capacity_) return;
  TBlockBytes fitted;
  fitted.Resize(size_);
  if (size_ > 0) std::memcpy(fitted.data_, data_, size_);
  fitted.size_ = size_;
  *this = std::move(fitted);
}

// realloc keeps the bytes and, when there is room behind the block, does
// not copy them.
void TBlockBytes::Resize(size_t capacity) {
  if (capacity == 0) {
    std::free(data_);
    data_ = nullptr;
    capacity_ = 0;
    return;
  }
  void* moved = std::realloc(data_, capacity);
  if (moved == nullptr) throw std::bad_alloc();
  data_ = static_cast<char*>(moved);
  capacity_ = capacity;
}

}  // namespace zeph
