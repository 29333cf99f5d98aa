#include <gtest/gtest.h>

#include <string>

#include "codec/encoding_utf8.h"

namespace zeph {
namespace {

struct TCase {
  const char* name;
  std::string utf8;
  std::string sjis;
};

const std::string kGeta = "\x81\xAC";

// Written as bytes, not through the converter under test.
const TCase kJapanese[] = {
    {"kanji", "\xE4\xBA\x9C\xE6\x97\xA5\xE6\x9C\xAC", "\x88\x9F\x93\xFA\x96\x7B"},        // 亜日本
    {"hiragana and katakana", "\xE3\x81\x82\xE3\x82\xA2", "\x82\xA0\x83\x41"},           // あア
    {"half-width katakana", "\xEF\xBD\xB1\xEF\xBE\x9E", "\xB1\xDE"},                      // ｱﾞ
    {"NEC special", "\xE2\x91\xA0\xE3\x88\xB1", "\x87\x40\x87\x8A"},                      // ①㈱
    {"IBM extension", "\xE9\xAB\x99", "\xFB\xFC"},                                        // 髙
    {"backslash and tilde stay ASCII", "a\\b~c", "a\\b~c"},
    {"full-width tilde", "\xEF\xBD\x9E", "\x81\x60"},                                      // ～
    {"mixed line", "PRIVMSG #\xE3\x81\x82 :hi \xE4\xBA\x9C", "PRIVMSG #\x82\xA0 :hi \x88\x9F"},
};

TEST(Utf8Test, JapaneseRoundTrips) {
  for (const TCase& c : kJapanese) {
    EXPECT_EQ(DecodeUtf8(c.utf8), c.sjis) << c.name;
    EXPECT_EQ(EncodeUtf8(c.sjis), c.utf8) << c.name;
  }
}

// What Mac and Linux users type for these must reach Windows users as the
// characters they expect, not as "〓".
TEST(Utf8Test, LookAlikesFoldToCodePage932) {
  const TCase cases[] = {
      {"U+301C WAVE DASH", "\xE3\x80\x9C", "\x81\x60"}, {"U+2212 MINUS SIGN", "\xE2\x88\x92", "\x81\x7C"},
      {"U+2016 DOUBLE VERTICAL LINE", "\xE2\x80\x96", "\x81\x61"}, {"U+2014 EM DASH", "\xE2\x80\x94", "\x81\x5C"},
      {"U+00A2 CENT SIGN", "\xC2\xA2", "\x81\x91"}, {"U+00A3 POUND SIGN", "\xC2\xA3", "\x81\x92"},
      {"U+00AC NOT SIGN", "\xC2\xAC", "\x81\xCA"},
  };
  for (const TCase& c : cases) EXPECT_EQ(DecodeUtf8(c.utf8), c.sjis) << c.name;
}

TEST(Utf8Test, BadSequencesCostOneGetaEachAndKeepTheRest) {
  const TCase cases[] = {
      {"unmappable character", "a\xC3\xA9z", "a" + kGeta + "z"},                          // é
      {"character beyond the BMP", "a\xF0\x9F\x98\x80z", "a" + kGeta + "z"},
      {"stray continuation byte", "a\x80z", "a" + kGeta + "z"},
      {"invalid byte", "a\xFFz", "a" + kGeta + "z"},
      {"cut off at the end", "a\xE3\x81", "a" + kGeta},
      {"cut off before ASCII", "\xE3\x81z\xE4\xBA\x9C", kGeta + "z\x88\x9F"},
      {"overlong slash", "\xC0\xAF", kGeta + kGeta},
      {"overlong LF", "\xE0\x80\x8A", kGeta + kGeta + kGeta},
      {"surrogate", "\xED\xA0\x80", kGeta + kGeta + kGeta},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", kGeta + kGeta + kGeta + kGeta},
      {"NUL survives", std::string("a\0b", 3), std::string("a\0b", 3)},
  };
  for (const TCase& c : cases) EXPECT_EQ(DecodeUtf8(c.utf8), c.sjis) << c.name;
}

TEST(Utf8Test, BrokenShiftJisEncodesAsGeta) {
  const std::string geta_utf8 = "\xE3\x80\x93";
  const TCase cases[] = {
      {"lead byte at the end", "a" + geta_utf8, "a\x88"},
      {"lead byte before a blank", geta_utf8 + " a", "\x88 a"},
      {"byte that starts nothing", geta_utf8 + "a", "\xA0" "a"},
  };
  for (const TCase& c : cases) EXPECT_EQ(EncodeUtf8(c.sjis), c.utf8) << c.name;
}

}  // namespace
}  // namespace zeph
