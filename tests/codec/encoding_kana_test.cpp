#include <gtest/gtest.h>

#include <string>

#include "codec/encoding_kana.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

TEST(KanaToFullWidthTest, ReplacesHalfWidthKana) {
  struct TCase {
    const char* half;
    const char* full;
  };
  const TCase cases[] = {
      {"ｱ", "ア"},       {"ｰ", "ー"},       {"｡", "。"},       {"ﾞ", "゛"},       {"ﾟ", "゜"},
      {"ｦｧｯ", "ヲァッ"}, {"ﾝ", "ン"},       {"ｳﾞ", "ヴ"},      {"ｶﾞ", "ガ"},      {"ﾄﾞ", "ド"},
      {"ﾊﾞ", "バ"},      {"ﾎﾞ", "ボ"},      {"ﾊﾟ", "パ"},      {"ﾎﾟ", "ポ"},      {"ｱﾞ", "ア゛"},
      {"ｶﾟ", "カ゜"},    {"ﾜﾞ", "ワ゛"},    {"ﾅﾞ", "ナ゛"},    {"ﾞｶ", "゛カ"},    {"ｳﾟ", "ウ゜"},
      {"ｶﾞﾞ", "ガ゛"},   {"ｲﾝﾀｰﾈｯﾄ", "インターネット"},       {"abc 漢字", "abc 漢字"},
  };
  for (const TCase& c : cases) EXPECT_EQ(KanaToFullWidth(Sjis(c.half)), Sjis(c.full)) << c.full;
}

// 0xB1 as the second byte of a double-byte character is not «ｱ».
TEST(KanaToFullWidthTest, LeavesSecondBytesAlone) {
  EXPECT_EQ(KanaToFullWidth("\x83\xB1\xB1"), "\x83\xB1" + Sjis("ア"));
  EXPECT_EQ(KanaToFullWidth("\x83\xB6\xDE"), "\x83\xB6" + Sjis("゛"));
  EXPECT_EQ(KanaToFullWidth("\x83"), "\x83");
}

}  // namespace
}  // namespace zeph
