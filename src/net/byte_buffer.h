#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace zeph {

// The receive buffer of a socket and the handshake buffer of a proxy.
// Capacity grows in whole multiples of 4096 bytes. Lines are taken from the
// front without moving the rest; the remainder moves to the front only when
// more room is needed, so a burst of lines costs one move, not one per line.
class TByteBuffer {
 public:
  static constexpr size_t kBlock = 4096;
  // A received line longer than this is discarded up to its LF: no server
  // sends such lines, and without a bound a peer could grow the buffer
  // until memory runs out.
  static constexpr size_t kMaxLine = 64 * 1024;

  TByteBuffer() = default;

  // Appends bytes; returns how many were taken (fewer only when the buffer
  // could not grow).
  int Append(const char* bytes, int length);
  int Length() const { return static_cast<int>(end_ - start_); }
  size_t Capacity() const { return capacity_; }
  const char* Data() const { return data_.get() + start_; }

  // Takes the next line (LF ends it, one CR before the LF is dropped, a NUL
  // reads as a blank). Returns the empty text and consumes nothing when no
  // whole line is buffered; an empty line also returns the empty text but
  // consumes its LF, so callers compare Length before and after. The line
  // is a view into the buffer, valid until the buffer next changes: a
  // received line costs no copy of its own.
  std::string_view ReadLine();
  // Whether ReadLine dropped an overlong line since the last call.
  bool TakeDroppedLine();

  int Peek(char* destination, int n) const;
  void Consume(int n);
  int Read(char* destination, int n);
  void Prepend(const char* bytes, int length);
  void Clear();

 private:
  bool Reserve(size_t needed);
  void Compact();
  // Offsets after the held bytes moved to the front.
  void ShiftToFront();

  std::unique_ptr<char[]> data_;
  size_t capacity_ = 0;
  size_t start_ = 0;
  size_t end_ = 0;
  // Bytes in [start_, scanned_) hold no LF and have had their NULs blanked.
  size_t scanned_ = 0;
  // Dropping the rest of an overlong line up to its LF.
  bool discarding_ = false;
  bool dropped_line_ = false;
};

}  // namespace zeph
