#include "display/formatter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "platform/sjis.h"

namespace zeph {
namespace {

struct TExpandCase {
  const char* format;
  std::vector<std::pair<char, std::string>> values;
  std::string expected;
};

std::string ExpandWith(std::string_view format, const std::vector<std::pair<char, std::string>>& values) {
  TFormatter formatter;
  for (const auto& [letter, value] : values) formatter.SetValue(letter, value);
  return formatter.Expand(format);
}

TEST(FormatterTest, ExpandsPlaceholders) {
  const TExpandCase cases[] = {
      {"%5n", {{'n', "ab"}}, "ab   "},
      {"%-5n", {{'n', "ab"}}, "ab   "},
      {"%+5n", {{'n', "ab"}}, "ab   "},
      {"%+-3n|", {{'n', "a"}}, "a  |"},
      {"%1n", {{'n', "abc"}}, "abc"},
      {"%05n", {{'n', "ab"}}, "ab   "},
      {"100%%", {}, "100%"},
      {"%5%", {}, "%"},
      {"abc%", {}, "abc"},
      {"abc%12", {}, "abc"},
      {"%", {}, ""},
      {"", {{'n', "x"}}, ""},
      {"%q", {}, "q"},
      {"%3q", {}, "q"},
      {"%@%c", {{'c', "#a"}}, "@#a"},
      {"%@%c", {{'c', "#a"}, {'@', ""}}, "#a"},
      {"<%s:%c> ", {{'s', "srv"}, {'c', "#ch"}}, "<srv:#ch> "},
      {"%n%n", {{'n', "x"}}, "xx"},
      {"%n", {{'n', "old"}, {'n', "new"}}, "new"},
      {"%n", {{'n', ""}}, ""},
      {"%3n", {{'n', ""}}, "   "},
  };
  for (const TExpandCase& c : cases) EXPECT_EQ(ExpandWith(c.format, c.values), c.expected) << c.format;
}

TEST(FormatterTest, BoundValuesAreNeverExpandedAgain) {
  EXPECT_EQ(ExpandWith("*%n says %m", {{'n', "%m%%"}, {'m', "%n 100%"}}), "*%m%% says %n 100%");
}

TEST(FormatterTest, HugeWidthIsHeldToTheCap) {
  EXPECT_EQ(ExpandWith("%99999999999999999999999n|", {{'n', "a"}}).size(), TFormatter::kMaxWidth + 1);
  EXPECT_EQ(ExpandWith("%1024n", {{'n', "a"}}).size(), 1024u);
  // A value longer than the cap is kept whole.
  std::string longValue(3000, 'v');
  EXPECT_EQ(ExpandWith("%9999n", {{'n', longValue}}), longValue);
}

TEST(FormatterTest, DoubleByteCharactersStayWhole) {
  // Neither a double-byte character after "%" nor one whose second byte
  // looks like a letter is taken for a placeholder.
  std::string ka = Sjis("カ");  // 0x83 0x4A
  ASSERT_EQ(ka, "\x83\x4A");
  EXPECT_EQ(ExpandWith("%" + ka, {{'\x83', "bad"}, {'J', "bad"}}), ka);
  EXPECT_EQ(ExpandWith(Sjis("名前:%n さん"), {{'n', "taro"}}), Sjis("名前:taro さん"));
  // A lead byte without its second byte is one byte of its own.
  EXPECT_EQ(ExpandWith("\x83%n", {{'n', "x"}}), "\x83x");
}

TEST(FormatterTest, DecimalCoversTheWholeRange) {
  EXPECT_EQ(TDecimal(0).Text(), "0");
  EXPECT_EQ(TDecimal(6667).Text(), "6667");
  EXPECT_EQ(TDecimal(std::numeric_limits<std::int64_t>::max()).Text(), "9223372036854775807");
  EXPECT_EQ(TDecimal(std::numeric_limits<std::int64_t>::min()).Text(), "-9223372036854775808");
}

}  // namespace
}  // namespace zeph
