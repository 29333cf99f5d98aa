#include "platform/cp932.h"

#include <gtest/gtest.h>

#include "platform/sjis.h"

namespace zeph {
namespace {

TEST(Cp932Test, ConvertsBothWaysPerCharacter) {
  EXPECT_EQ(cp932::FromUtf8("亜a\\~ｱ"), "\x88\x9F" "a\\~\xB1");
  EXPECT_EQ(cp932::ToUtf8("\x88\x9F" "a\\~\xB1"), "亜a\\~ｱ");
  // One character without a code does not empty the text.
  EXPECT_EQ(cp932::FromUtf8("a😀b"), "a\x81\xAC" "b");
  EXPECT_EQ(cp932::FromUtf8("a\xFF" "b"), "a\x81\xAC" "b");
  EXPECT_EQ(cp932::ToUtf8("a\x80" "b\x81"), "a〓b〓");
}

TEST(Cp932Test, FoldsLookAlikesFromMacAndLinux) {
  EXPECT_EQ(cp932::FromUtf8("〜−‖—¢£¬"), "\x81\x60\x81\x7C\x81\x61\x81\x5C\x81\x91\x81\x92\x81\xCA");
}

TEST(SjisTest, CharacterLengthRule) {
  EXPECT_EQ(SjisCharLength("\x88\x9F", 0), 2u);
  EXPECT_EQ(SjisCharLength("\x88", 0), 1u);       // lead byte at the end
  EXPECT_EQ(SjisCharLength("\x88\x0A", 0), 1u);   // invalid trail
  EXPECT_EQ(SjisCharLength("\x88\x7F", 0), 1u);
  EXPECT_EQ(SjisCharLength("\xB1\x40", 0), 1u);   // half-width kana
  EXPECT_EQ(Sjis("接続"), "\x90\xDA\x91\xB1");
}

}  // namespace
}  // namespace zeph
