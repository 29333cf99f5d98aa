#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The placeholder language of message formats, titles and log file names:
// "%" [+-] [width] letter. A bound letter is replaced by its value, padded
// on the right with blanks to the width; an unbound letter stands for
// itself; "%%" is a percent sign.
namespace zeph {

// Decimal text of a number, kept inline so that binding a number to a letter
// needs no allocation.
class TDecimal {
 public:
  explicit TDecimal(std::int64_t value);
  std::string_view Text() const { return {digits_.data(), length_}; }

 private:
  std::array<char, 24> digits_{};
  size_t length_ = 0;
};

// One expansion's bindings. The formatter keeps views: the bound texts must
// outlive Expand. Values are copied into the result as they are; a "%" in a
// nick or a message is never expanded again.
class TFormatter {
 public:
  // More than any format of the program binds; later letters are ignored.
  static constexpr size_t kMaxBindings = 16;
  // Widths beyond this are held to it: a format from a settings file must
  // not be able to ask for gigabytes of padding.
  static constexpr size_t kMaxWidth = 1024;

  // Binding a letter again replaces its value.
  void SetValue(char letter, std::string_view value);
  std::string Expand(std::string_view format) const;

 private:
  // Left uninitialised: only the first count_ are read, and a formatter is
  // made for every line received.
  struct TBinding {
    char letter;
    const char* data;
    size_t size;
    std::string_view Value() const { return {data, size}; }
  };

  const TBinding* Find(char letter) const;
  size_t BoundLength() const;

  std::array<TBinding, kMaxBindings> bindings_;
  size_t count_ = 0;
};

}  // namespace zeph
