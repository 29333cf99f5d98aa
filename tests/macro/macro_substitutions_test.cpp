#include <gtest/gtest.h>

#include <string>

#include "engine/irc_message.h"
#include "macro/macro_substitutions.h"
#include "macro/macro_variables.h"
#include "macro_test_facts.h"
#include "support/settings_test_files.h"
#include "support/temp_dir.h"

namespace zeph {
namespace {

using test::ReadBytes;
using test::WriteBytes;

class MacroSubstitutionsTest : public testing::Test {
 protected:
  std::string Expand(std::string_view text, std::string_view line = ":taro!t@h PRIVMSG #c :hello world",
                     bool with_variables = true) {
    TIrcMessage message;
    message.Parse(line);
    event_ = MakeMacroEvent(message, "me");
    TMacroContext context{event_, facts_, data_.Path()};
    context.random = [this] { return random_; };
    return ExpandSubstitutions(text, with_variables, context);
  }
  void Write(const std::string& name, std::string_view bytes) { WriteBytes(data_.Path() / name, bytes); }
  std::string Read(const std::string& name) { return ReadBytes(data_.Path() / name); }

  test::TFakeMacroFacts facts_;
  test::TTempDir data_;
  TMacroEvent event_;
  int random_ = 0;
};

TEST_F(MacroSubstitutionsTest, DollarsAndUnknownWords) {
  const std::pair<std::string, std::string> cases[] = {
      {"$$5", "$5"},
      {"$5 and $money", "$5 and $money"},
      {"cost: 3$", "cost: 3$"},
      {"$FILE", ""},                // no "(": the keyword is dropped
      {"$FILEx", "x"},
      {"$DIC(words)end", "words)end"},  // no ",": the keyword and its "(" are dropped
      {"a $NOT b", "a $NOT b"},
  };
  for (const auto& [text, expanded] : cases) EXPECT_EQ(Expand(text), expanded) << text;
}

TEST_F(MacroSubstitutionsTest, RandomLinesReachEveryLineAndOnceRemovesThem) {
  Write("lines.txt", "one %n\r\ntwo\r\nthree\r\n");
  random_ = 0;
  EXPECT_EQ(Expand("<$FILE(lines.txt)>"), "<one taro>");  // the chosen line has its variables
  random_ = 32767;
  EXPECT_EQ(Expand("$file(lines.txt)"), "three");  // the last index can occur
  random_ = 16384;
  EXPECT_EQ(Expand("$FILEONCE(lines.txt)"), "two");
  EXPECT_EQ(Read("lines.txt"), "one %n\r\nthree\r\n");
  EXPECT_EQ(Expand("$FILEOT(lines.txt)"), "three");
  EXPECT_EQ(Read("lines.txt"), "one %n\r\n");

  Write("empty.txt", "");
  EXPECT_EQ(Expand("[$FILEONCE(empty.txt)]"), "[]");
  EXPECT_EQ(Read("empty.txt"), "");
  EXPECT_EQ(Expand("[$FILE(missing.txt)]"), "[]");
}

TEST_F(MacroSubstitutionsTest, DictionaryTakesTheFirstMatchingOrDefaultLine) {
  Write("dic.txt", "hello* Hi there, %n\r\ndefault Bye\r\n");
  EXPECT_EQ(Expand("$DIC(dic.txt,hello world)"), "Hi there, taro");
  EXPECT_EQ(Expand("$REPLACE(dic.txt,good night)"), "Bye");
  EXPECT_EQ(Expand("$DIC(dic.txt,%m)"), "Hi there, taro");  // the key has its variables

  Write("nodefault.txt", "hello* Hi\r\n");
  EXPECT_EQ(Expand("[$DIC(nodefault.txt,other)]"), "[]");

  Write("once.txt", "a* first\r\ndefault fallback\r\na* second\r\n");
  EXPECT_EQ(Expand("$DICONCE(once.txt,abc)"), "first");
  EXPECT_EQ(Read("once.txt"), "default fallback\r\na* second\r\n");
  EXPECT_EQ(Expand("$REPLACEOT(once.txt,abc)"), "fallback");  // a default line is never removed
  EXPECT_EQ(Read("once.txt"), "default fallback\r\na* second\r\n");
}

TEST_F(MacroSubstitutionsTest, WithoutVariablesTheLiteralPartsStay) {
  Write("lines.txt", "line of %u\r\n");
  EXPECT_EQ(Expand("%n: $FILE(lines.txt)", ":taro!t@h PRIVMSG #c :x", false), "%n: line of me");
}

// What a stranger writes is inserted as it is: never scanned again for
// variables or substitutions, never a second line, never a way out of the
// data folder.
TEST_F(MacroSubstitutionsTest, PeerTextIsNeverRunOrUsedToEscape) {
  Write("lines.txt", "secret\r\n");
  const std::string hostile[] = {
      "$FILE(lines.txt)", "$DLLFUNC(/lib/x86_64-linux-gnu/libc.so.6,system,touch /tmp/x)", "%0 %n %%", "$$",
  };
  for (const std::string& text : hostile) {
    EXPECT_EQ(Expand("said: %m", ":taro!t@h PRIVMSG #c :" + text), "said: " + text);
  }

  TIrcMessage message;
  message.Parse(":taro!t@h PRIVMSG #c :../../x");
  event_ = MakeMacroEvent(message, "me");
  TMacroContext context{event_, facts_, data_.Path()};
  EXPECT_EQ(ExpandFileNameVariables("log-%m.txt", context), "log-.._.._x.txt");
  EXPECT_EQ(ExpandSubstitutions("%0", true, context, TValueForm::FileName), ".._.._x");
  message.Parse(":taro!t@h PRIVMSG #c :..");
  event_ = MakeMacroEvent(message, "me");
  EXPECT_EQ(ExpandFileNameVariables("%m", context), "_");
  message.Parse(":taro!t@h PRIVMSG #c :c\\:d\x01");
  event_ = MakeMacroEvent(message, "me");
  EXPECT_EQ(ExpandFileNameVariables("x/%m", context), "x/c__d_");  // what the user wrote stays

  // A data file named by a stranger's text is looked up inside the folder.
  Write(".._.._x", "inside\r\n");
  EXPECT_EQ(Expand("$FILE(%m)", ":taro!t@h PRIVMSG #c :../../x"), "inside");
  // A relative name that the user wrote may not leave the folder either.
  EXPECT_EQ(Expand("[$FILE(../outside.txt)]"), "[]");
  // Devices are no data files.
  EXPECT_EQ(Expand("[$FILE(/dev/zero)]"), "[]");
}

TEST_F(MacroSubstitutionsTest, LongLinesExpandInLinearTime) {
  std::string text(100 * 1024, 'a');
  text += " $";
  EXPECT_EQ(Expand("%m%m", ":taro!t@h PRIVMSG #c :" + text).size(), 2 * text.size());
}

}  // namespace
}  // namespace zeph
