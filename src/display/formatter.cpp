#include "display/formatter.h"

#include <algorithm>
#include <cassert>
#include <charconv>

#include "platform/sjis.h"

namespace zeph {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSign(char c) { return c == '+' || c == '-'; }

constexpr size_t kReserveAbove = 64;

}  // namespace

TDecimal::TDecimal(std::int64_t value) {
  auto result = std::to_chars(digits_.data(), digits_.data() + digits_.size(), value);
  length_ = static_cast<size_t>(result.ptr - digits_.data());
}

void TFormatter::SetValue(char letter, std::string_view value) {
  for (size_t i = 0; i < count_; ++i) {
    if (bindings_[i].letter == letter) {
      bindings_[i].data = value.data();
      bindings_[i].size = value.size();
      return;
    }
  }
  assert(count_ < kMaxBindings);
  if (count_ < kMaxBindings) bindings_[count_++] = TBinding{letter, value.data(), value.size()};
}

const TFormatter::TBinding* TFormatter::Find(char letter) const {
  for (size_t i = 0; i < count_; ++i) {
    if (bindings_[i].letter == letter) return &bindings_[i];
  }
  return nullptr;
}

size_t TFormatter::BoundLength() const {
  size_t length = 0;
  for (size_t i = 0; i < count_; ++i) length += bindings_[i].size;
  return length;
}

std::string TFormatter::Expand(std::string_view format) const {
  std::string out;
  // The estimate counts every bound value, used or not; room is made ahead
  // only for a long result, so that a short prefix (a nick bound as two
  // letters) stays in the string itself and costs no allocation.
  size_t estimate = format.size() + BoundLength();
  if (estimate > kReserveAbove) out.reserve(estimate);
  size_t pos = 0;
  while (pos < format.size()) {
    // "%" (0x25) is never the second byte of a double-byte character, so
    // copying up to the next "%" byte copies whole characters.
    size_t percent = std::min(format.find('%', pos), format.size());
    out.append(format.substr(pos, percent - pos));
    pos = percent;
    if (pos == format.size()) break;

    size_t width = 0;
    for (++pos; pos < format.size() && (IsDigit(format[pos]) || IsSign(format[pos])); ++pos) {
      if (IsDigit(format[pos])) width = std::min(width * 10 + static_cast<size_t>(format[pos] - '0'), kMaxWidth);
    }
    if (pos == format.size()) break;  // a "%" at the very end shows nothing

    size_t letter_length = SjisCharLength(format, pos);
    const TBinding* binding = letter_length == 1 && format[pos] != '%' ? Find(format[pos]) : nullptr;
    if (binding == nullptr) {
      out.append(format.substr(pos, letter_length));
    } else {
      out.append(binding->Value());
      if (binding->size < width) out.append(width - binding->size, ' ');
    }
    pos += letter_length;
  }
  return out;
}

}  // namespace zeph
