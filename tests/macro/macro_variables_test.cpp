#include <gtest/gtest.h>

#include <string>

#include "engine/irc_message.h"
#include "macro/macro_variables.h"
#include "macro_test_facts.h"
#include "platform/sjis.h"
#include "support/local_time.h"

namespace zeph {
namespace {

class MacroVariablesTest : public testing::Test {
 protected:
  std::string Expand(std::string_view text, std::string_view line) {
    TIrcMessage message;
    message.Parse(line);
    TMacroEvent event = MakeMacroEvent(message, "me");
    TMacroContext context{event, facts_, {}, test::LocalTime(2024, 3, 9, 7, 5, 2)};
    return ExpandVariables(text, context);
  }

  test::TFakeMacroFacts facts_;
};

TEST_F(MacroVariablesTest, Values) {
  facts_.selected_text = "chosen";
  const std::string channel_line = ":taro!~t@host.example.jp PRIVMSG #c :a b c d e f g h i j k l";
  struct Case {
    std::string text;
    std::string expanded;
  };
  const Case cases[] = {
      {"%0/%1/%8", "a/b/i"},
      {"%9", "j k l"},  // the tenth word holds the rest
      {"%n!%l@%h in %c: %m", "taro!~t@host.example.jp in #c: a b c d e f g h i j k l"},
      {"%f", "#c"},
      {"%u %a %s %y", "me #active chosen 192.0.2.7"},
      {"%d %t", "20240309 07:05:02"},
      {"100%%", "100%"},
      {"%q", "%q"},   // no variable: both bytes stay
      {"100%", "100"},  // a final "%" is dropped
      {Sjis("%ア%n"), Sjis("%ア") + "taro"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Expand(c.text, channel_line), c.expanded) << c.text;

  EXPECT_EQ(Expand("%f", ":taro!t@h PRIVMSG me :hi"), "taro");  // a private message is answered to the sender
  EXPECT_EQ(Expand("%f", ":taro!t@h DCCCHATMESSAGE =taro :hi"), "=taro");
  EXPECT_EQ(Expand("%c|%f", ":taro!t@h NICK :jiro"), "|taro");
  EXPECT_EQ(Expand("[%0][%3][%9]", ":taro!t@h PRIVMSG #c :  one   two "), "[one][][]");
}

TEST_F(MacroVariablesTest, PeerTextIsInsertedOnceAndOnOneLine) {
  // The peer's "%0" and "$DLLFUNC" stay as they are; the CR and NUL it sent
  // become blanks.
  std::string line = ":evil!e@h PRIVMSG #c :%0 %n $DLLFUNC(x,y,z)\rQUIT";
  line += std::string("\0tail", 5);
  EXPECT_EQ(Expand("%m", line), "%0 %n $DLLFUNC(x,y,z) QUIT tail");
  EXPECT_EQ(Expand("NOTICE %n :%2", ":a\rb!u@h PRIVMSG #c :x y"), "NOTICE a b :");
  facts_.selected_text = "one\r\ntwo";
  EXPECT_EQ(Expand("%s", ":a!u@h PRIVMSG #c :x"), "one  two");
}

TEST(MacroVariablesUseTest, FindsTheVariablesTheExpansionReads) {
  EXPECT_TRUE(UsesVariable("%s", 's'));
  EXPECT_TRUE(UsesVariable("x %s y", 's'));
  EXPECT_TRUE(UsesVariable("%%%s", 's'));
  EXPECT_FALSE(UsesVariable("%%s", 's'));
  EXPECT_FALSE(UsesVariable("%a", 's'));
  EXPECT_FALSE(UsesVariable("s%", 's'));
}

}  // namespace
}  // namespace zeph
