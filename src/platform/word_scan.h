#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

// Tests on eight bytes at once, for the scans every received line passes
// through: most of a line is bytes that decide nothing, and a word of them
// costs a few instructions instead of eight compares.
namespace zeph {

inline constexpr size_t kWordBytes = 8;

inline std::uint64_t LoadWord(std::string_view text, size_t pos) {
  std::uint64_t word;
  std::memcpy(&word, text.data() + pos, kWordBytes);
  return word;
}

inline constexpr std::uint64_t kByteOnes = 0x0101010101010101;
inline constexpr std::uint64_t kByteHighBits = kByteOnes * 0x80;

// Some byte of the word is below n (n at most 0x80). A borrow only starts
// at such a byte, so no other byte can raise a false alarm.
inline bool HasByteBelow(std::uint64_t word, unsigned char n) {
  return ((word - kByteOnes * n) & ~word & kByteHighBits) != 0;
}

// Some byte of the word is above n (n below 0x80). A carry only leaves a
// byte that has its high bit set already.
inline bool HasByteAbove(std::uint64_t word, unsigned char n) {
  return (((word + kByteOnes * (0x7F - n)) | word) & kByteHighBits) != 0;
}

inline bool HasByte(std::uint64_t word, unsigned char b) { return HasByteBelow(word ^ (kByteOnes * b), 1); }

}  // namespace zeph
