#include "engine/irc_message.h"

#include <gtest/gtest.h>

#include "engine/irc_text.h"

namespace zeph {
namespace {

using Params = std::vector<std::string>;

struct TParseCase {
  const char* line;
  const char* nick;
  const char* user;
  const char* host;
  const char* command;
  int numeric;
  Params params;
};

TEST(IrcMessageTest, ParsesLines) {
  const TParseCase cases[] = {
      {":nick!user@host PRIVMSG #chan :hello  world ", "nick", "user", "host", "PRIVMSG", 0,
       {"#chan", "hello  world "}},
      {":irc.example.net 001 me :Welcome", "irc.example.net", "", "", "001", 1, {"me", "Welcome"}},
      {":nick!user PRIVMSG x :y", "nick", "", "", "PRIVMSG", 0, {"x", "y"}},
      {":a!b@c@d x", "a", "b", "c@d", "X", 0, {}},
      {"ping :abc", "", "", "", "PING", 0, {"abc"}},
      {"MODE  #a   +o   b", "", "", "", "MODE", 0, {"#a", "+o", "b"}},
      {"PRIVMSG #a :", "", "", "", "PRIVMSG", 0, {"#a"}},
      {"PRIVMSG #a : ", "", "", "", "PRIVMSG", 0, {"#a", " "}},
      {"  ", "", "", "", "", 0, {}},
      {":only.prefix", "only.prefix", "", "", "", 0, {}},
      {"005x a", "", "", "", "005x", 5, {"a"}},
      {"99999999999999 a", "", "", "", "99999999999999", 2147483647, {"a"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    TIrcMessage m;
    m.Parse(c.line);
    EXPECT_EQ(m.raw, c.line);
    EXPECT_EQ(m.nick, c.nick);
    EXPECT_EQ(m.user, c.user);
    EXPECT_EQ(m.host, c.host);
    EXPECT_EQ(m.command, c.command);
    EXPECT_EQ(m.numeric, c.numeric);
    EXPECT_EQ(m.params, c.params);
  }
}

TEST(IrcMessageTest, KeepsFifteenMiddleParametersAndDropsTheRest) {
  TIrcMessage m;
  m.Parse("CMD 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 :trailing part");
  ASSERT_EQ(m.ParamCount(), 15);
  EXPECT_EQ(m.Param(14), "15");
  EXPECT_EQ(m.Param(15), "");
  EXPECT_EQ(m.Param(-1), "");
  EXPECT_EQ(m.JoinParams(12), "13 14 15");
  EXPECT_EQ(m.JoinParams(15), "");
  EXPECT_EQ(m.JoinParams(0).substr(0, 4), "1 2 ");
}

TEST(IrcMessageTest, ReparsingClearsEarlierFields) {
  TIrcMessage m;
  m.Parse(":n!u@h 433 * nick :in use");
  m.Parse("PING x");
  EXPECT_EQ(m.prefix, "");
  EXPECT_EQ(m.nick, "");
  EXPECT_EQ(m.numeric, 0);
  EXPECT_EQ(m.params, Params{"x"});
  m.Parse(":only-nick PRIVMSG #a b :a trailing text longer than the short ones");
  EXPECT_EQ(m.nick, "only-nick");
  EXPECT_EQ(m.user, "");
  EXPECT_EQ(m.host, "");
  EXPECT_EQ(m.params, (Params{"#a", "b", "a trailing text longer than the short ones"}));
  m.Parse(":only-nick PRIVMSG #a b");
  EXPECT_EQ(m.params, (Params{"#a", "b"}));
}

TEST(OutgoingMessageTest, ComposesLineAndPenalty) {
  struct {
    std::string command, middle, trailing;
    int penalty;
    size_t length;
    int composed_penalty;
  } cases[] = {
      {"PRIVMSG", "#a", ":" + std::string(236, 'x'), 2, 250, 4},
      {"PRIVMSG", "#a", ":" + std::string(1000, 'x'), 2, 512, 7},
      {"notice", "#a", ":" + std::string(1000, 'x'), 9, 512, 10},
      {"JOIN", "#a", "", 2, 9, 2},
      {"PONG", "", ":irc.example.net", 1, 23, 1},
      {"MODE", "#a +bbbb a b c d", "", 12, 23, 10},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.command + " " + c.middle);
    TOutgoingMessage m;
    m.command = c.command;
    m.middle = c.middle;
    m.trailing = c.trailing;
    m.penalty = c.penalty;
    m.Compose();
    EXPECT_EQ(m.line.size(), c.length);
    EXPECT_EQ(m.line.substr(m.line.size() - 2), "\r\n");
    EXPECT_EQ(m.penalty, c.composed_penalty);
    m.Compose();  // a second call changes nothing
    EXPECT_EQ(m.penalty, c.composed_penalty);
  }
}

TEST(OutgoingMessageTest, PeerTextCannotInjectACommand) {
  TOutgoingMessage m;
  m.command = "PRIVMSG";
  m.middle = "#a";
  m.trailing = std::string(":hi\r\nQUIT :bye\0x", 16);
  m.Compose();
  EXPECT_EQ(m.line, std::string("PRIVMSG #a :hi  QUIT :bye x\r\n"));
}

TEST(IrcTextTest, ModePenalty) {
  const std::pair<const char*, int> cases[] = {
      {"", 1}, {"+ov a b", 7}, {"-l", 4}, {"+l 10", 4}, {"+bbbb a b c d", 10},
      {"+xyz", 1}, {"+i-m", 7}, {"+k key +t", 7},
      {"b", 4}, {"-k key l", 7}, {"+\x82\x6F", 1},  // 0x82 0x6F is one character, not "o"
  };
  for (const auto& [params, penalty] : cases) EXPECT_EQ(ModePenalty(params), penalty) << params;
}

TEST(IrcTextTest, NextTokenSkipsRunsOfBlanks) {
  std::string text = "  one   two ";
  EXPECT_EQ(NextToken(text), "one");
  EXPECT_EQ(text, "two ");
  EXPECT_EQ(NextToken(text), "two");
  EXPECT_EQ(text, "");
  EXPECT_EQ(NextToken(text), "");
}

TEST(IrcTextTest, NextFieldKeepsDoubleByteCharactersWhole) {
  // 0x8B7C has the delimiter "|" as its trail byte.
  std::string text = "a,,b";
  EXPECT_EQ(NextField(text, ','), "a");
  EXPECT_EQ(NextField(text, ','), "");
  EXPECT_EQ(NextField(text, ','), "b");
  EXPECT_EQ(text, "");
  std::string sjis = "\x8B\x7C|x";
  EXPECT_EQ(NextField(sjis, '|'), "\x8B\x7C");
  EXPECT_EQ(sjis, "x");
}

TEST(IrcTextTest, SmallHelpers) {
  EXPECT_EQ(StripColon(":abc"), "abc");
  EXPECT_EQ(StripColon("::abc"), ":abc");
  EXPECT_EQ(StripColon("abc"), "abc");

  std::string text = "a\r\nb\rc\nd";
  EXPECT_EQ(SplitLine(text), "a");
  EXPECT_EQ(SplitLine(text), "b");
  EXPECT_EQ(SplitLine(text), "c");
  EXPECT_EQ(SplitLine(text), "d");
  EXPECT_EQ(text, "");

  TPrefixParts p = SplitPrefix("n!u");
  EXPECT_EQ(p.nick, "n");
  EXPECT_EQ(p.user, "");
  EXPECT_EQ(p.host, "");
}

}  // namespace
}  // namespace zeph
