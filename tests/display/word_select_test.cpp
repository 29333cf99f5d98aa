#include "display/word_select.h"

#include <gtest/gtest.h>

#include "platform/sjis.h"

namespace zeph {
namespace {

TEST(WordSelectTest, WordsFollowCharacterClasses) {
  struct Case {
    const char* text;
    const char* at;  // the character clicked (its first occurrence)
    const char* word;
  } cases[] = {
      {"こんにちは世界", "に", "こんにちは"},
      {"こんにちは世界", "世", "世界"},
      {"ラーメン", "メ", "ラーメン"},
      {"ラーメン", "ー", "ー"},  // the long vowel mark alone selects only itself
      {"スーパー々", "パ", "スーパー"},
      {"佐々木さん", "木", "佐々木"},  // the repetition mark is a kanji
      {"ＡＢＣ１２３です", "２", "ＡＢＣ１２３"},
      {"say hello_world!", "w", "hello_world"},
      {"say hello_world!", "!", "!"},
      {"a  b", " ", "  "},
      {"abcかな", "c", "abc"},  // single- and double-byte never join
      {"漢字abc", "字", "漢字"},
      {"「括弧」", "「", "「"},
  };
  for (const Case& c : cases) {
    std::string text = Sjis(c.text);
    size_t pos = text.find(Sjis(c.at));
    ASSERT_NE(pos, std::string::npos) << c.text;
    TTextRange range = WordAt(text, pos);
    EXPECT_EQ(text.substr(range.start, range.Length()), Sjis(c.word)) << c.text << " at " << c.at;
    // The second byte of a double-byte character selects the same word.
    if (SjisCharLength(text, pos) == 2) EXPECT_EQ(WordAt(text, pos + 1), range) << c.text;
  }
  EXPECT_EQ(WordAt("abc", 3).Length(), 0u);
  EXPECT_EQ(WordAt("", 0).Length(), 0u);
}

}  // namespace
}  // namespace zeph
