#include "platform/cp932.h"

#include <gtest/gtest.h>

#include <string>

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

// A run takes exactly the pairs that read as a character of their own,
// and stops at the first that does not.
TEST(Cp932Test, DoubleByteRunsTakeEveryCharacterAndNothingElse) {
  for (int lead = 0; lead < 0x100; ++lead) {
    for (int trail = 0; trail < 0x100; ++trail) {
      std::string pair = {static_cast<char>(lead), static_cast<char>(trail)};
      size_t pos = 0;
      bool character = SjisCharLength(pair, 0) == 2 &&
                       (cp932::DecodeChar(pair, &pos) != cp932::kGeta || pair == "\x81\xAC");
      EXPECT_EQ(cp932::DoubleByteRunEnd("a" + pair + "\x81", 1), character ? 3u : 1u) << lead << " " << trail;
    }
  }
  EXPECT_EQ(cp932::DoubleByteRunEnd(Sjis("日本") + "a" + Sjis("語"), 0), 4u);
}

TEST(SjisTest, CharacterLengthRule) {
  EXPECT_EQ(SjisCharLength("\x88\x9F", 0), 2u);
  EXPECT_EQ(SjisCharLength("\x88", 0), 1u);       // lead byte at the end
  EXPECT_EQ(SjisCharLength("\x88\x0A", 0), 1u);   // invalid trail
  EXPECT_EQ(SjisCharLength("\x88\x7F", 0), 1u);
  EXPECT_EQ(SjisCharLength("\xB1\x40", 0), 1u);   // half-width kana
  EXPECT_EQ(Sjis("接続"), "\x90\xDA\x91\xB1");
}

TEST(SjisTest, AsciiCaseFoldsSingleByteCharactersOnly) {
  struct TCase {
    std::string text;
    std::string upper;
    std::string lower;
  };
  const TCase cases[] = {
      {"Join #Chan_1", "JOIN #CHAN_1", "join #chan_1"},
      {"@[`{", "@[`{", "@[`{"},  // the neighbours of the letters stay
      // 0x82 0x61 and 0x83 0x41 are characters whose second bytes are "a" and "A".
      {"x\x82\x61y\x83\x41z", "X\x82\x61Y\x83\x41Z", "x\x82\x61y\x83\x41z"},
      {"a\x83", "A\x83", "a\x83"},          // a lead byte at the end stands alone
      {"\x83\x0A" "a", "\x83\x0A" "A", "\x83\x0A" "a"},  // so does one before an invalid second byte
      {"\xB1" "b", "\xB1" "B", "\xB1" "b"},  // half-width kana is one byte
      {"", "", ""},
  };
  std::string reused = "longer than any case";
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(AsciiUpperText(c.text), c.upper);
    EXPECT_EQ(AsciiLowerText(c.text), c.lower);
    FoldAsciiUpper(c.text, reused);
    EXPECT_EQ(reused, c.upper);
  }
}

}  // namespace
}  // namespace zeph
