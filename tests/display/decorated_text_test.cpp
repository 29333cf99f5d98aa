#include "display/decorated_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/decoration_tags.h"
#include "display/palette.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

// "B", "U", "R" for the flags, "f<n>"/"k<n>" for the colours: a compact
// picture of one byte's decoration.
std::string Describe(const TDecoration& d) {
  std::string s;
  if (d.bold) s += "B";
  if (d.underline) s += "U";
  if (d.reverse) s += "R";
  if (d.has_fore) s += "f" + std::to_string(d.fore);
  if (d.has_back) s += "k" + std::to_string(d.back);
  return s.empty() ? "-" : s;
}

std::vector<std::string> DescribeAll(const TDecodedText& decoded) {
  std::vector<std::string> all;
  for (size_t pos = 0; pos < decoded.text.size(); ++pos) all.push_back(Describe(decoded.DecorationAt(pos)));
  return all;
}

struct TTagCase {
  std::string input;
  std::string expected;
};

TEST(TagsToControlCodes, ConvertsTagsAndLeavesEverythingElse) {
  const TTagCase cases[] = {
      {"<bold>abc<stop>", "\x02" "abc" "\x0f"},
      {"<reverse><underline>x", "\x16\x1f" "x"},
      {"<color Red,BLUE>x", "\x03" "04,12x"},
      {"<color red>1", "\x03" "041"},  // two digits, so the 1 stays text
      {"<color>", "\x03"},
      {"<color red", "<color red"},
      {"<color red,blue", "<color red,blue"},
      {"<color nosuch,blue>", "\x03"},
      {"<color red,nosuch>x", "\x03" "04x"},
      {"<color red, blue>", "\x03" "04"},  // names are not trimmed
      {"<color ,navy>", "\x03"},
      {"<colorful>", "<colorful>"},
      {"<color", "<color"},
      {"<Bold>", "<Bold>"},
      {"<bold", "<bold"},
      {"a<b>c<", "a<b>c<"},
      {"<<bold>>", "<\x02>"},
      {"<color silver,white>", "\x03" "15,00"},
  };
  for (const TTagCase& c : cases) EXPECT_EQ(TagsToControlCodes(c.input), c.expected) << c.input;
}

TEST(TagsToControlCodes, KeepsDoubleByteCharactersWhole) {
  std::string kanji = Sjis("表");  // 0x95 0x5C: its second byte is a backslash
  EXPECT_EQ(TagsToControlCodes(kanji + "<bold>" + kanji), kanji + "\x02" + kanji);
  // A colour name holding a double-byte character matches no palette entry.
  EXPECT_EQ(TagsToControlCodes("<color " + Sjis("赤") + ">x"), "\x03" "x");
  // A lead byte at the very end stays as it is.
  EXPECT_EQ(TagsToControlCodes("<stop>\x82"), "\x0f\x82");
}

TEST(MakeColorTag, BuildsTheTagForEveryPairOfIndexes) {
  EXPECT_EQ(MakeColorTag(-1, -1), "<color>");
  EXPECT_EQ(MakeColorTag(4, -1), "<color red>");
  EXPECT_EQ(MakeColorTag(4, 12), "<color red,blue>");
  EXPECT_EQ(MakeColorTag(-1, 2), "<color ,navy>");
  EXPECT_EQ(MakeColorTag(20, -5), "<color>");
  // What the tag of every pair converts to when the message is sent.
  EXPECT_EQ(TagsToControlCodes(MakeColorTag(13, 0)), "\x03" "13,00");
  EXPECT_EQ(TagsToControlCodes(MakeColorTag(-1, 2)), "\x03");
}

TEST(Palette, NamesIndexesAndColours) {
  EXPECT_EQ(ColorIndexFromName("white"), 0);
  EXPECT_EQ(ColorIndexFromName("FUCHSIA"), 13);
  EXPECT_EQ(ColorIndexFromName("Silver"), 15);
  EXPECT_EQ(ColorIndexFromName(""), -1);
  EXPECT_EQ(ColorIndexFromName("re"), -1);
  EXPECT_EQ(PaletteTagName(-1), "");
  EXPECT_EQ(PaletteColor(7), 0x0080FFu);  // orange #FF8000, red in the lowest byte
  EXPECT_EQ(PaletteColor(2), 0x800000u);  // navy #000080
  EXPECT_EQ(PaletteDisplayName(7), Sjis("オレンジ"));
  EXPECT_EQ(PaletteDisplayName(16), "");
}

struct TDecodeCase {
  std::string input;
  std::string plain;
  std::vector<std::string> decorations;
};

TEST(DecodeDecoratedText, FollowsTheRunningDecoration) {
  const TDecodeCase cases[] = {
      {"\x03" "4,2A\x03" "5B", "AB", {"f4k2", "f5k2"}},  // a later colour keeps the background
      {"\x03" "12,x", ",x", {"f12", "f12"}},               // a comma without digit is text
      {"\x03" "99x", "x", {"f3"}},                         // 99 mod 16
      {"\x03" "16x", "x", {"f0"}},
      {"ab\x03", "ab", {"-", "-"}},                        // a final 0x03 is ignored
      {"\x03" "4,2a\x03" "b", "ab", {"f4k2", "-"}},        // 0x03 without digit resets both
      {"\x02" "a\x1f" "b\x16" "c\x02" "d\x0f" "e", "abcde", {"B", "BU", "BUR", "UR", "-"}},
      {"\x03" "4,2a\x0f" "b\x03" "5c", "abc", {"f4k2", "-", "f5"}},  // stop clears the colours too
      {"\x03" "123", "3", {"f12"}},
      {"\x03" "1,234", "4", {"f1k7"}},                     // 23 mod 16
      {"\x03" ",1", ",1", {"-", "-"}},
      {"\x01\x04", "\x01\x04", {"-", "-"}},                // other control bytes are text
  };
  for (const TDecodeCase& c : cases) {
    TDecodedText decoded;
    DecodeDecoratedText(c.input, decoded);
    EXPECT_EQ(decoded.text, c.plain) << c.input;
    EXPECT_EQ(DescribeAll(decoded), c.decorations) << c.input;
  }
}

TEST(DecodeDecoratedText, BothBytesOfADoubleByteCharacterShareTheDecoration) {
  std::string text = "\x02" + Sjis("あ") + "\x02" "x";
  TDecodedText decoded;
  DecodeDecoratedText(text, decoded);
  EXPECT_EQ(decoded.text, Sjis("あ") + "x");
  EXPECT_EQ(DescribeAll(decoded), (std::vector<std::string>{"B", "B", "-"}));
}

TEST(DecodeDecoratedText, ExpandsTabsOnlyWhenAskedAndReusesTheOutput) {
  TDecodedText decoded;
  DecodeDecoratedText("\x02\ta", decoded, TTabs::ExpandToFourSpaces);
  EXPECT_EQ(decoded.text, "    a");
  EXPECT_EQ(DescribeAll(decoded), (std::vector<std::string>(5, "B")));
  DecodeDecoratedText("\tb", decoded);
  EXPECT_EQ(decoded.text, "\tb");
  EXPECT_EQ(DescribeAll(decoded).size(), 2u);
  EXPECT_EQ(decoded.spans.size(), 1u);
}

TEST(StripControlCodes, DropsControlBytesAndColourNumbers) {
  const TTagCase cases[] = {
      {"\x03" "04,12hello", "hello"},
      {"\x03" "4,x", ",x"},
      {"\x02" "a\x1f" "b\x16" "c\x0f" "d", "abcd"},
      {"\x03" "123", "3"},
      {"\x03" "1,234", "4"},
      {"x\x03", "x"},
      {"\x03" "a", "a"},
      {"\t\x01", "\t\x01"},
  };
  for (const TTagCase& c : cases) EXPECT_EQ(StripControlCodes(c.input), c.expected) << c.input;
  std::string kanji = Sjis("表示");
  EXPECT_EQ(StripControlCodes("\x03" "4" + kanji + "\x02"), kanji);
}

}  // namespace
}  // namespace zeph
