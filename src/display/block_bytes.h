#pragma once

#include <cstddef>
#include <string_view>

namespace zeph {

// The bytes of one line-store block. Records are written straight into the
// room Extend makes, so unlike a string the room is not cleared first; the
// block grows rarely (it starts with room for a block's worth) and is trimmed
// to its size once full.
class TBlockBytes {
 public:
  TBlockBytes() = default;
  TBlockBytes(TBlockBytes&& other) noexcept;
  TBlockBytes& operator=(TBlockBytes&& other) noexcept;
  TBlockBytes(const TBlockBytes&) = delete;
  TBlockBytes& operator=(const TBlockBytes&) = delete;
  ~TBlockBytes();

  void Reserve(size_t capacity);
  // Room for most more bytes at the end; returns where it starts. What is
  // written there counts once SetEnd is told where the writing stopped.
  char* Extend(size_t most);
  void SetEnd(const char* end) { size_ = static_cast<size_t>(end - data_); }
  void ShrinkToFit();

  std::string_view View() const { return {data_, size_}; }
  size_t Size() const { return size_; }
  size_t Capacity() const { return capacity_; }

 private:
  void Resize(size_t capacity);

  char* data_ = nullptr;
  size_t size_ = 0;
  size_t capacity_ = 0;
};

}  // namespace zeph
