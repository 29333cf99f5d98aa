#pragma once

#include <cstddef>

namespace zeph {

// A byte range [start, end) of a text.
struct TTextRange {
  size_t start = 0;
  size_t end = 0;

  size_t Length() const { return end - start; }
  bool Contains(size_t pos) const { return pos >= start && pos < end; }
  bool Overlaps(const TTextRange& other) const { return start < other.end && other.start < end; }
  bool operator==(const TTextRange&) const = default;
};

}  // namespace zeph
