// The input line's rules without a window: history, multi-line pastes, the
// search words and the keyboard walks over the tree.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/input_history.h"
#include "app/node_walk.h"
#include "app/paste_text.h"
#include "app/search_words.h"

namespace zeph {
namespace {

using Lines = std::vector<std::string>;

TEST(InputHistoryTest, RepeatedLinesAreOneEntryAndTheRingKeepsTheLast49) {
  TInputHistory history;
  history.Add("same");
  history.Add("same");
  EXPECT_EQ(history.Up(""), "same");
  EXPECT_EQ(history.Up("same"), "same");  // nothing older

  TInputHistory full;
  for (int i = 0; i < 60; ++i) full.Add("line " + std::to_string(i));
  std::string shown = "typed";
  Lines seen;
  for (int i = 0; i < 60; ++i) {
    std::string next = full.Up(shown);
    if (next == shown) break;
    seen.push_back(shown = next);
  }
  ASSERT_EQ(seen.size(), 49u);
  EXPECT_EQ(seen.front(), "line 59");
  EXPECT_EQ(seen.back(), "line 11");
}

TEST(InputHistoryTest, UpAndDownWalkAndComeBackToTheTypedText) {
  TInputHistory empty;
  EXPECT_EQ(empty.Up("typing"), "typing");
  EXPECT_EQ(empty.Down("typing"), "");  // kept as an entry, the box empties
  EXPECT_EQ(empty.Up(""), "typing");

  TInputHistory history;
  history.Add("one");
  history.Add("two");
  EXPECT_EQ(history.Up("half"), "two");
  EXPECT_EQ(history.Up("two"), "one");
  EXPECT_EQ(history.Up("one"), "one");
  EXPECT_EQ(history.Down("one"), "two");
  EXPECT_EQ(history.Down("two"), "half");
  // Back at the head, Down with an empty box leaves it empty.
  EXPECT_EQ(history.Down(""), "");
}

TEST(PasteTextTest, OnlyATextWithASecondLineIsMultiLine) {
  struct Case {
    const char* text;
    bool multi;
  } cases[] = {
      {"", false},         {"abc", false},      {"abc\n", false},  {"abc\r\n", false}, {"abc\r", false},
      {"a\nb", true},      {"a\r\nb\r\n", true}, {"abc\n\n", true}, {"\nabc", true},   {"a\rb", true},
  };
  for (const Case& c : cases) EXPECT_EQ(IsMultiLinePaste(c.text), c.multi) << c.text;
  EXPECT_EQ(SingleLinePaste("abc\n"), "abc");
  EXPECT_EQ(SingleLinePaste("abc\r\n"), "abc");
}

TEST(PasteTextTest, BlankLinesGoAndQuoteMarksComeFirst) {
  // Blanks, TABs and full-width blanks only; "\x81\x41" is a comma, kept.
  EXPECT_EQ(RemoveBlankLines("a\r\n \t\r\n\x81\x40\r\n\r\n\x81\x41\nb"), "a\r\n\x81\x41\r\nb\r\n");
  EXPECT_EQ(RemoveBlankLines("\n\n"), "");
  EXPECT_EQ(AddQuoteMark("a\nb\r\n", "> "), "> a\r\n> b\r\n");
  EXPECT_EQ(PasteLines("a\r\n\r\nb"), (std::vector<std::string_view>{"a", "", "b"}));
}

TEST(SearchWordsTest, SplitsAtEveryKindOfBlank) {
  EXPECT_EQ(SplitSearchWords("  foo  bar\tbaz\x81\x40\x81\x40qux "), (Lines{"foo", "bar", "baz", "qux"}));
  // A double-byte character is never cut, whatever its second byte.
  EXPECT_EQ(SplitSearchWords("\x95\x5c\x81\x41 x"), (Lines{"\x95\x5c\x81\x41", "x"}));
  EXPECT_TRUE(SplitSearchWords(" \t\x81\x40").empty());
}

class NodeWalkTest : public testing::Test {
 protected:
  // unit 1 with targets 11, 12; unit 2 collapsed with 21; unit 3 with 31.
  std::vector<TWalkNode> nodes_{{1, 0, false}, {1, 11, false}, {1, 12, false},
                                {2, 0, false}, {2, 21, true},  {3, 0, false}, {3, 31, false}};
  static bool Any(const TWalkNode&) { return true; }
  static bool Unit(const TWalkNode& node) { return node.IsUnit(); }
};

TEST_F(NodeWalkTest, WalksWrapOnceAndSkipCollapsedUnits) {
  EXPECT_EQ(WalkFrom(nodes_, 3, 1, Any), 5);    // 21 is hidden
  EXPECT_EQ(WalkFrom(nodes_, 6, 1, Any), 0);    // wraps to the first unit
  EXPECT_EQ(WalkFrom(nodes_, 0, -1, Any), 6);   // and back to the very last node
  EXPECT_EQ(WalkFrom(nodes_, 6, 1, Unit), 0);
  EXPECT_EQ(WalkFrom(nodes_, 0, -1, Unit), 5);
  EXPECT_EQ(WalkFrom(nodes_, -1, 1, Any), 0);   // nothing selected
  EXPECT_EQ(WalkFrom(nodes_, -1, -1, Any), 6);
  // Only the start matches: no change.
  EXPECT_EQ(WalkFrom(nodes_, 1, 1, [](const TWalkNode& n) { return n.channel == 11; }), -1);
  EXPECT_EQ(WalkFrom({}, -1, 1, Any), -1);
  EXPECT_EQ(IndexOfNode(nodes_, 3, 31), 6);
}

}  // namespace
}  // namespace zeph
