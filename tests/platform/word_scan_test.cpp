#include "platform/word_scan.h"

#include <gtest/gtest.h>

#include <string>

namespace zeph {
namespace {

// Every byte value at every place of a word, among neighbours that borrow
// and carry the most, against the plain byte compare.
TEST(WordScanTest, AgreesWithTheByteCompareForEveryByteAnywhere) {
  const unsigned char neighbours[] = {0x00, 0x20, 0x21, 0x7E, 0x7F, 0x80, 0xFF};
  for (unsigned char neighbour : neighbours) {
    for (size_t place = 0; place < kWordBytes; ++place) {
      for (int value = 0; value < 0x100; ++value) {
        std::string bytes(kWordBytes, static_cast<char>(neighbour));
        bytes[place] = static_cast<char>(value);
        std::uint64_t word = LoadWord(bytes, 0);
        auto any = [&](auto test) {
          for (char c : bytes) {
            if (test(static_cast<unsigned char>(c))) return true;
          }
          return false;
        };
        for (unsigned char n : {1, 0x20, 0x80}) {
          EXPECT_EQ(HasByteBelow(word, n), any([n](unsigned char c) { return c < n; })) << value << " below " << +n;
        }
        for (unsigned char n : {0x00, 0x7E, 0x7F}) {
          EXPECT_EQ(HasByteAbove(word, n), any([n](unsigned char c) { return c > n; })) << value << " above " << +n;
        }
        EXPECT_EQ(HasByte(word, 0x1B), any([](unsigned char c) { return c == 0x1B; })) << value;
      }
    }
  }
}

}  // namespace
}  // namespace zeph
