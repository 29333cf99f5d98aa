#include "platform/qt/qt_text.h"

#include <gtest/gtest.h>


namespace zeph {
namespace {

TEST(QtTextTest, ScreenTextMapsBytesAndCharacters) {
  // "a", "日" (two bytes), "b", a half-width katakana (one byte), an
  // undecodable byte pair shown as the geta mark.
  const std::string sjis = "a\x93\xFA" "b\xB1\x85\x40";
  TScreenText screen = ToScreenText(sjis);
  ASSERT_EQ(screen.text, QString::fromUtf8("a日bｱ") + QChar(0x3013));
  EXPECT_EQ(screen.byte_of, (std::vector<std::uint32_t>{0, 1, 3, 4, 5, 7}));
  struct {
    size_t byte;
    int unit;
  } cases[] = {{0, 0}, {1, 1}, {2, 1}, {3, 2}, {4, 3}, {5, 4}, {6, 4}, {7, 5}, {99, 5}};
  for (auto c : cases) EXPECT_EQ(screen.CharAtByte(c.byte), c.unit) << c.byte;
  EXPECT_EQ(ToScreenText("").byte_of, (std::vector<std::uint32_t>{0}));
}

}  // namespace
}  // namespace zeph
