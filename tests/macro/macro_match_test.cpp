#include <gtest/gtest.h>

#include <chrono>
#include <span>
#include <string>
#include <vector>

#include "support/settings_test_files.h"
#include "engine/irc_message.h"
#include "macro/macro_match.h"
#include "macro/wildcard.h"
#include "macro_test_facts.h"
#include "platform/sjis.h"
#include "support/temp_dir.h"

namespace zeph {
namespace {

using test::WriteBytes;

TMacroEvent EventOf(std::string_view line, std::string_view my_nick = "me") {
  TIrcMessage message;
  message.Parse(line);
  return MakeMacroEvent(message, my_nick);
}

TEST(MacroWildcardTest, BytesMatchOnlyBytesOfTheirKind) {
  const std::string kA = Sjis("ア");     // 83 41
  const std::string kDi = Sjis("ヂ");    // 83 61: a second byte that IRC folding would make 41
  const std::string kSo = Sjis("ソ");    // 83 5C: a second byte equal to "\"
  const std::string kKyo = Sjis("ャ");   // 83 83
  const std::string kHalfA = Sjis("ｱ");  // B1: a single-byte character
  struct Case {
    std::string pattern;
    std::string text;
    bool matched;
  };
  const Case cases[] = {
      {"", "", true},
      {"", "a", false},
      {"*", "", true},
      {"*", "anything", true},
      {"***", "x", true},
      {"a*c", "abbbc", true},
      {"a*c", "abbbd", false},
      {"a?c", "abc", true},
      {"a?c", "ac", false},
      {"[a]\\\\*", "{A}|nick", true},  // IRC case folding of single bytes
      {"a\\*c", "a*c", true},
      {"a\\*c", "abc", false},
      {"a\\?c", "abc", false},
      {kA, kA, true},
      {"*" + kA + "*", "x" + kA + "y", true},
      {"??", kA, true},  // "?" is one byte, of any kind
      {"?", kA, false},
      {"?A", kA, false},  // a single-byte A never matches a second byte
      {"A*", kA, false},
      {kDi, kA, false},  // second bytes compare exactly
      {"*" + kSo, "x" + kSo, true},  // a second byte is never an escape
      {kSo + "?", kSo + "*", true},
      {kHalfA + "*", kHalfA + "b", true},
      // In ｃァ (82 83 83 40) the bytes 83 83 are the second byte of one
      // character and the first of the next: no ャ.
      {"*" + kKyo + "*", Sjis("ｃァ"), false},
      {"*" + kKyo + "*", "x" + kKyo, true},
      {"a\x83", "A\x83", true},  // a lead byte at the end stands alone
  };
  for (const Case& c : cases) EXPECT_EQ(MatchWildcard(c.pattern, c.text), c.matched) << c.pattern << " / " << c.text;
  EXPECT_TRUE(MatchMask("*!*@abc*", "Nick!user@ABCdef.example"));
  EXPECT_FALSE(MatchMask("*!*@abc*", "nick!user@xabc"));
}

TEST(MacroWildcardTest, HostilePatternsFinishQuickly) {
  const std::string text(100 * 1024, 'a');
  std::string kana;
  while (kana.size() < text.size()) kana += Sjis("ア");
  std::string stars_then_b = std::string(2000, '*') + "b";
  std::string star_a_runs;
  for (int i = 0; i < 200; ++i) star_a_runs += "*a";
  test::TFakeMacroFacts facts;
  TMacroEvent event = EventOf(":x!u@h PRIVMSG #c :" + text);
  TMacroContext context{event, facts, {}};

  auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(MatchWildcard(stars_then_b, text));
  EXPECT_FALSE(MatchWildcard(star_a_runs + "*b", text));
  EXPECT_TRUE(MatchWildcard(star_a_runs + "*", text));
  EXPECT_FALSE(MatchWildcard(stars_then_b, kana));
  EXPECT_FALSE(MatchPattern(event.message, stars_then_b + "|" + star_a_runs + "b", {.expand_variables = true}, context));
  // The peer's own text as the pattern, through a variable.
  EXPECT_TRUE(MatchPattern(event.message, "*%m", {.expand_variables = true}, context));
  // Exponential backtracking would take longer than any machine lives; a
  // linear or quadratic matcher takes milliseconds.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

struct TPatternCase {
  std::string value;
  std::string pattern;
  bool matched;
};

// One event from taro in #Chan, matched with various patterns.
class MacroPatternTest : public testing::Test {
 protected:
  MacroPatternTest() {
    facts_.preferences.groups[1].masks = {"taro!*@*"};  // group 2
    facts_.preferences.self_masks = {"*!*@self.example"};
  }

  bool Match(std::string_view value, std::string_view pattern, TPatternRules rules) {
    TMacroContext context{event_, facts_, dir_.Path()};
    return MatchPattern(value, pattern, rules, context);
  }

  void ExpectCases(std::span<const TPatternCase> cases, TPatternRules rules) {
    for (const TPatternCase& c : cases) EXPECT_EQ(Match(c.value, c.pattern, rules), c.matched) << c.pattern;
  }

  test::TTempDir dir_;
  test::TFakeMacroFacts facts_;
  TMacroEvent event_ = EventOf(":taro!t@host.example.jp PRIVMSG #Chan :hello me there");
};

TEST_F(MacroPatternTest, UserPatterns) {
  const TPatternRules others{.allow_specials = true};
  const TPatternRules own{.is_self = true, .allow_specials = true};
  const std::string prefix = event_.prefix;
  const TPatternCase cases[] = {
      {prefix, "", true},  // an empty user pattern matches everyone else
      {prefix, "taro!*", true},
      {prefix, "TARO!*@HOST.*", true},
      {prefix, "jiro!*", false},
      {prefix, "jiro!*|taro!*", true},
      {prefix, "%me", false},
      {prefix, "%ME|*", true},  // "%me" decides nothing for others; "*" does
      {prefix, "$NOT taro!*|*", false},
      {prefix, "$NOTtaro!*|*", false},
      {prefix, "$not jiro!*|*", true},
      {prefix, "$NOT jiro!*", false},  // $NOT alone never matches
      {prefix, "%g2", true},
      {prefix, "%G2", true},
      {prefix, "%g1|%g2", false},  // a group word decides, even when false
      {prefix, "%g1|*", false},
      {prefix, "%su", false},
      {prefix, "$NOT %g2|*", false},
      {prefix, "$NOT %g1", true},
      {prefix, "%nu", false},
      {prefix, "%mu", false},
      {prefix, "|taro!*", true},  // an empty alternative matches only an empty value
      {"", "x|", false},
      {"", "|x", true},
  };
  ExpectCases(cases, others);

  const TPatternCase own_cases[] = {
      {"me", "", false},  // our own events need "%me"
      {"me", "%me", true},
      {"me", "%Me", true},
      {"me", "%me|*", true},
      {"me", "*", false},
      {"me", "me|%mu|%g2", false},
      {"me", "$NOT %me|*", false},
      {"me", "$NOT x|%me", true},
  };
  ExpectCases(own_cases, own);
}

TEST_F(MacroPatternTest, SpecialWordsAskTheGroupsOfTheSender) {
  facts_.preferences.groups[0].masks = {"*!*@host.example.jp"};
  EXPECT_TRUE(Match("", "%su", {.allow_specials = true}));
  EXPECT_TRUE(Match("", "%g1", {.allow_specials = true}));
  EXPECT_FALSE(Match("", "%nu", {.allow_specials = true}));
  // Without specials the words are plain patterns.
  EXPECT_FALSE(Match("x", "%g1", {}));
  EXPECT_TRUE(Match("%g1", "%g1", {}));

  event_ = EventOf(":stranger!s@self.example PRIVMSG #Chan :x");
  EXPECT_TRUE(Match("", "%mu", {.allow_specials = true}));
  EXPECT_FALSE(Match("", "%nu", {.allow_specials = true}));
  event_ = EventOf(":stranger!s@elsewhere PRIVMSG #Chan :x");
  EXPECT_TRUE(Match("", "%nu", {.allow_specials = true}));
  EXPECT_FALSE(Match("", "$NOT %nu|*", {.allow_specials = true}));
}

TEST_F(MacroPatternTest, CommandAndTextPatterns) {
  const TPatternRules command{.is_command = true};
  const TPatternRules text{.expand_variables = true};
  const std::string kPo = Sjis("ポ");  // its second byte equals "|"
  const TPatternCase command_cases[] = {
      {"PRIVMSG", "privmsg", true},
      {"PRIVMSG", "join|Privmsg", true},
      {"PRIVMSG", "JOIN", false},
      {"DCCCHATMESSAGE", "DCCCHATMES", true},
      {"DCCCHATMESSAGE", "dccchatmes", true},
      {"DCCCHATMESSAGE", "DCCCHAT*", true},
      {"001", "00?", true},
  };
  ExpectCases(command_cases, command);

  const TPatternCase text_cases[] = {
      {"#chan", "#CHAN", true},
      {"hello me there", "*%u*", true},         // our nick
      {"hello me there", "%n*", false},         // the sender's nick is taro
      {"taro said", "%n*", true},
      {"hello me there", "*%0*", true},         // the first word of the message
      {"hello me there", "%m", true},
      {"hello me there", "$NOT *abc*|*", true},
      {"an abc here", "$NOT *abc*|*", false},
      {"an abc here", "$NOT *abc*", false},
      {"100%", "100%", false},                  // a final "%" is dropped: the pattern is 100
      {"100", "100%", true},
      {kPo, kPo, true},                         // the "|" inside ポ splits nothing
      {"a", kPo + "|a", true},
  };
  ExpectCases(text_cases, text);
}

TEST_F(MacroPatternTest, PeerTextInAVariableMatchesAsWildcardsButAddsNoAlternatives) {
  event_ = EventOf(":taro!t@h PRIVMSG #c :x|*");
  // The pattern list is cut at "|" before the variables are put in.
  EXPECT_FALSE(Match("anything", "%m", {.expand_variables = true}));
  EXPECT_TRUE(Match("x|anything", "%m", {.expand_variables = true}));
}

TEST_F(MacroPatternTest, ListFiles) {
  WriteBytes(dir_.Path() / "words.txt", "*foo*\r\n*bar*\r\n");
  WriteBytes(dir_.Path() / "ng.txt", "$NOT *spam*\r\n*\r\n");
  WriteBytes(dir_.Path() / "Commands.txt", "join\r\nprivmsg\r\n");
  WriteBytes(dir_.Path() / "mine.txt", "%ME\r\n");
  WriteBytes(dir_.Path() / "vars.txt", "*%u*\r\n");
  std::filesystem::create_directory(dir_.Path() / "sub");
  WriteBytes(dir_.Path() / "sub" / "語.txt", "*baz*\r\n");
  std::filesystem::create_directory(dir_.Path() / "elsewhere");
  WriteBytes(dir_.Path() / "elsewhere" / "abs.txt", "*qux*\r\n");
  const std::string absolute = (dir_.Path() / "elsewhere" / "abs.txt").string();

  const TPatternRules text{.expand_variables = true};
  const TPatternCase cases[] = {
      {"a bar b", "$LIST(words.txt)", true},
      {"a baz b", "$LIST(words.txt)", false},
      {"a baz b", "$LIST(words.txt)|*", true},
      {"a bar b", "$list(words.txt)", true},
      {"spam here", "$LIST(ng.txt)", false},
      {"spam here", "$LIST(ng.txt)|*", false},  // the list decided
      {"fine", "$LIST(ng.txt)", true},
      {"x", "$LIST(missing.txt)", false},
      {"x", "$LIST(missing.txt)|*", true},  // an unreadable list decides nothing
      {"a bar", "$LIST words.txt|*x", false},  // incomplete forms decide nothing
      {"a bar", "$LIST(words.txt|*x", false},
      {"a bar", "$LIST|*", true},
      {"hello me", "$LIST(vars.txt)", true},
      {"a baz", Sjis("$LIST(sub\\語.txt)"), true},  // "\" separates folders as on Windows
      {"a qux", "$LIST(" + absolute + ")", true},
  };
  ExpectCases(cases, text);

  // The command field raises its alternatives, but not the list's name.
  EXPECT_TRUE(Match("JOIN", "$LIST(Commands.txt)", {.is_command = true}));
  EXPECT_TRUE(Match("me", "$LIST(mine.txt)", {.is_self = true, .allow_specials = true}));
  EXPECT_FALSE(Match("taro", "$LIST(mine.txt)", {.allow_specials = true}));
}

class MacroItemTest : public testing::Test {
 protected:
  bool Matches(const TMacroItem& item, std::string_view line) {
    TMacroEvent event = EventOf(line);
    TMacroContext context{event, facts_, {}};
    return MatchItem(item, context);
  }

  test::TFakeMacroFacts facts_;
};

TEST_F(MacroItemTest, EmptyItemMatchesEveryoneButUs) {
  TMacroItem item;
  EXPECT_TRUE(Matches(item, ":taro!t@h PRIVMSG #c :hi"));
  EXPECT_TRUE(Matches(item, ":srv 001 me :Welcome"));
  EXPECT_FALSE(Matches(item, ":me!m@h PRIVMSG #c :hi"));
  EXPECT_FALSE(Matches(item, ":old!m@h NICK :me"));
  item.user_pattern = "%me";
  EXPECT_TRUE(Matches(item, ":me!m@h PRIVMSG #c :hi"));
  EXPECT_FALSE(Matches(item, ":taro!t@h PRIVMSG #c :hi"));
  item.disabled = true;
  EXPECT_FALSE(Matches(item, ":me!m@h PRIVMSG #c :hi"));
}

TEST_F(MacroItemTest, ChannelPatternCountsForChannelEventsOnly) {
  TMacroItem item;
  item.channel_pattern = "#foo";
  EXPECT_TRUE(Matches(item, ":taro!t@h PRIVMSG #FOO :hi"));
  EXPECT_FALSE(Matches(item, ":taro!t@h PRIVMSG #bar :hi"));
  EXPECT_TRUE(Matches(item, ":taro!t@h NICK :jiro"));
  EXPECT_TRUE(Matches(item, ":taro!t@h QUIT :bye"));
  item.command_pattern = "action";
  item.message_pattern = "waves";
  EXPECT_TRUE(Matches(item, ":taro!t@h PRIVMSG #foo :\x01" "ACTION waves\x01"));
  EXPECT_FALSE(Matches(item, ":taro!t@h PRIVMSG #foo :waves"));
}

TEST_F(MacroItemTest, SelfAndSenderConditions) {
  const std::string line = ":taro!t@h PRIVMSG #c :hi";
  struct Case {
    int self;
    int sender;
    bool me_op;
    bool taro_op;
    bool away;
    bool matched;
  };
  const Case cases[] = {
      {0, 0, false, false, false, true},  {1, 0, true, false, false, true},  {1, 0, false, true, false, false},
      {2, 0, false, true, false, true},   {2, 0, true, false, false, false}, {3, 0, false, false, true, true},
      {3, 0, false, false, false, false}, {4, 0, false, false, false, true}, {4, 0, false, false, true, false},
      {0, 1, false, true, false, true},   {0, 1, true, false, false, false}, {0, 2, true, false, false, true},
      {0, 2, false, true, false, false},  {7, 3, false, false, false, true},  // other values set no condition
      {1, 1, true, true, true, true},
  };
  for (const Case& c : cases) {
    facts_.operators.clear();
    if (c.me_op) facts_.operators.insert({"#c", "me"});
    if (c.taro_op) facts_.operators.insert({"#c", "taro"});
    facts_.away = c.away;
    TMacroItem item;
    item.self_condition = c.self;
    item.sender_condition = c.sender;
    EXPECT_EQ(Matches(item, line), c.matched) << c.self << " " << c.sender << " " << c.me_op << c.taro_op << c.away;
  }
}

}  // namespace
}  // namespace zeph
