#include "display/log_search.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/sjis.h"

namespace zeph {
namespace {

class LogSearchTest : public testing::Test {
 protected:
  std::optional<TLogMatch> Find(const std::string& text, bool match_case, bool downward, bool wrap,
                                std::optional<TLogPos> from) {
    return FindInLog(lines_.size(), Source(), text, match_case, downward, wrap, from);
  }
  TLineTextSource Source() {
    return [this](size_t line) -> std::string_view { return lines_[line]; };
  }
  std::vector<std::string> lines_;
};

TEST_F(LogSearchTest, NeverMatchesInsideADoubleByteCharacter) {
  // The second byte of "ア" (0x83 0x41) is "A".
  std::string text = Sjis("アA");
  EXPECT_EQ(FindWord(text, "A"), 2u);
  std::vector<TTextRange> all;
  FindAllWords("aaa", "aa", all);
  EXPECT_EQ(all, (std::vector<TTextRange>{{0, 2}, {1, 3}})) << "overlapping occurrences count";
}

TEST_F(LogSearchTest, FindsInBothDirectionsWithAndWithoutWrap) {
  lines_ = {"one Two", "two two", "three"};
  struct Case {
    const char* text;
    bool match_case, downward, wrap;
    std::optional<TLogPos> from;
    std::optional<TLogMatch> expected;
  } cases[] = {
      {"two", false, true, false, std::nullopt, TLogMatch{0, {4, 7}}},
      {"two", true, true, false, std::nullopt, TLogMatch{1, {0, 3}}},
      {"two", false, true, false, TLogPos{1, 1}, TLogMatch{1, {4, 7}}},
      {"two", false, true, false, TLogPos{1, 7}, std::nullopt},
      {"two", false, true, true, TLogPos{1, 7}, TLogMatch{0, {4, 7}}},
      {"two", false, false, false, std::nullopt, TLogMatch{1, {4, 7}}},
      {"two", false, false, false, TLogPos{1, 4}, TLogMatch{1, {0, 3}}},
      {"two", false, false, false, TLogPos{0, 4}, std::nullopt},
      {"two", false, false, true, TLogPos{0, 4}, TLogMatch{1, {4, 7}}},
      {"", false, true, true, std::nullopt, std::nullopt},
      {"four", false, true, true, std::nullopt, std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Find(c.text, c.match_case, c.downward, c.wrap, c.from), c.expected)
        << c.text << " case " << c.match_case << " down " << c.downward << " wrap " << c.wrap;
}

TEST_F(LogSearchTest, HighlightStepsPickTheFirstWordOrTheRightmostEnd) {
  lines_ = {"xx", "abc bc", "zz bc abcd"};
  std::vector<std::string> words = {"bc", "abc"};
  EXPECT_EQ(FindHighlightInLog(3, Source(), words, true, TLogPos{}), (TLogMatch{1, {0, 3}}));
  EXPECT_EQ(FindHighlightInLog(3, Source(), words, true, TLogPos{1, 3}), (TLogMatch{1, {4, 6}}));
  EXPECT_EQ(FindHighlightInLog(3, Source(), words, false, std::nullopt), (TLogMatch{2, {7, 9}}));
  EXPECT_EQ(FindHighlightInLog(3, Source(), words, false, TLogPos{1, 0}), (TLogMatch{2, {7, 9}})) << "wraps";
  EXPECT_EQ(FindHighlightInLog(3, Source(), {"nothing"}, true, TLogPos{}), std::nullopt);
}

}  // namespace
}  // namespace zeph
