// CTCP queries against a scripted server: the answers and their exact
// texts, the 5000 ms window, IgnoreCtcp, our own GETADDRESS, and the frames
// peers get wrong.
#include <gtest/gtest.h>

#include <arpa/inet.h>

#include <ctime>
#include <regex>

#include "platform/system_name.h"
#include "protocol/ctcp_texts.h"
#include "protocol/incoming_fixture.h"

namespace zeph {
namespace {

using Lines = std::vector<std::string>;

class CtcpQueryTest : public test::IncomingTest {
 protected:
  void SetUp() override {
    config_.user_info = "<bold>hi<bold> 100%s";
    LogIn();
    Sent();
  }
  // A query from bob to us; the window of the previous one has run out.
  void Query(const std::string& text, const std::string& to = "me") {
    Receive(":bob!b@bob.host PRIVMSG " + to + " :\x01" + text + "\x01");
  }
};

TEST_F(CtcpQueryTest, EachQueryGetsItsAnswerAndALineInTheUnitLog) {
  struct Case {
    std::string query;
    std::string reply;  // empty: none
    std::string line;
  };
  const Case cases[] = {
      {"VERSION", "VERSION Zephlora 2.18 (" + OperatingSystemName() + ")", "*CTCP-query(VERSION) from bob"},
      {"version", "VERSION Zephlora 2.18 (" + OperatingSystemName() + ")", "*CTCP-query(VERSION) from bob"},
      {"PING 1234 :x", "PING 1234 :x", "*CTCP-query(PING) from bob"},
      {"CLIENTINFO", "CLIENTINFO DCC VERSION CLIENTINFO USERINFO PING TIME", "*CTCP-query(CLIENTINFO) from bob"},
      {"USERINFO", "USERINFO \x02hi\x02 100%s", "*CTCP-query(USERINFO) from bob"},
      {"FINGER", "", "*CTCP-query(FINGER) from bob"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.query);
    Tick(6);
    Query(c.query);
    EXPECT_EQ(Sent(), c.reply.empty() ? Lines{} : Lines{"NOTICE bob :\x01" + c.reply + "\x01"});
    EXPECT_EQ(LastUnitLine(), UnitLine(c.line));
  }
}

TEST_F(CtcpQueryTest, TimeIsTheLocalClockInEnglish) {
  Query("TIME");
  std::time_t now = world_->Now();
  std::tm local{};
  localtime_r(&now, &local);
  std::string expected = "NOTICE bob :\x01TIME " + CtcpTimeText(local) + "\x01";
  EXPECT_EQ(Sent(), (Lines{expected}));
  EXPECT_TRUE(std::regex_match(expected, std::regex(".*TIME [A-Z][a-z]{2} [A-Z][a-z]{2} [ 1-3][0-9] "
                                                    "[0-2][0-9]:[0-5][0-9]:[0-5][0-9] [0-9]{4}\x01")));
}

TEST_F(CtcpQueryTest, AQueryToAChannelIsAnsweredToTheSender) {
  Query("VERSION", "#c");
  Lines sent = Sent();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].rfind("NOTICE bob :\x01VERSION ", 0), 0u);
}

TEST_F(CtcpQueryTest, OneQueryIsAnsweredPerFiveSeconds) {
  // Right after the start: the clock is young, but nothing was answered yet.
  Query("VERSION");
  EXPECT_EQ(Sent().size(), 1u);
  Tick(3);
  Query("VERSION");
  EXPECT_EQ(Sent(), Lines{});
  EXPECT_EQ(LastUnitLine(), UnitLine("*CTCP-query(VERSION) from bob : ignored"));
  Tick(3);  // six seconds after the first answer; the refusal did not move it
  Query("VERSION");
  EXPECT_EQ(Sent().size(), 1u);
  EXPECT_EQ(LastUnitLine(), UnitLine("*CTCP-query(VERSION) from bob"));
}

TEST_F(CtcpQueryTest, AnUnknownQueryIsRefusedInTheWindowAndOpensOneOutsideIt) {
  Query("VERSION");
  Tick(1);
  Query("FOO");
  EXPECT_EQ(LastUnitLine(), UnitLine("*CTCP-query(FOO) from bob : ignored"));
  Tick(5);
  Query("FOO");
  EXPECT_EQ(LastUnitLine(), UnitLine("*CTCP-query(FOO) from bob"));
  Tick(1);
  Query("VERSION");
  EXPECT_EQ(LastUnitLine(), UnitLine("*CTCP-query(VERSION) from bob : ignored"));
}

TEST_F(CtcpQueryTest, WithoutTheLimitEveryQueryIsAnswered) {
  prefs_.EnableCtcpSequenceLimit = false;
  Query("VERSION");
  Query("PING 1");
  Tick(5);  // past the flood budget
  EXPECT_EQ(Sent().size(), 2u);
}

// Answers that cannot leave yet are enough: a flood gets a few, and the
// rest is refused as it comes instead of answered minutes late.
TEST_F(CtcpQueryTest, WithoutTheLimitAFloodGetsAFewAnswersAndTheRestIsRefused) {
  prefs_.EnableCtcpSequenceLimit = false;
  std::string flood;
  for (int i = 0; i < 200; ++i) flood += ":bob!b@bob.host PRIVMSG me :\x01VERSION\x01\n";
  Receive(flood);
  Tick(60);
  size_t answers = Sent().size();
  EXPECT_GE(answers, TIrcConnection::kMaxWaitingAnswers);
  EXPECT_LE(answers, 6 + TIrcConnection::kMaxWaitingAnswers);  // what the budget let out at once, and the wait
  int refused = 0;
  for (const std::string& text : Texts(unit_->Log())) refused += text.ends_with(" : ignored");
  EXPECT_EQ(static_cast<size_t>(refused), 200 - answers);
}

TEST_F(CtcpQueryTest, IgnoreCtcpRefusesQueriesButNotActionOrDcc) {
  prefs_.IgnoreCtcp = true;
  Query("VERSION");
  EXPECT_EQ(Sent(), Lines{});
  EXPECT_EQ(LastUnitLine(), UnitLine("*CTCP-query(VERSION) from bob : ignored"));
  Query("DCC CHAT chat 2130706433 1200");
  EXPECT_EQ(dcc_.queries, (Lines{"bob CHAT chat 2130706433 1200"}));
  Query("ACTION waves");
  EXPECT_TRUE(Contains(unit_->FindChannel("bob")->Log(), "(bob) waves"));
}

TEST_F(CtcpQueryTest, OurOwnGetAddressIsLearntWhateverTheGates) {
  prefs_.IgnoreCtcp = true;
  prefs_.IPResolveMethod = 2;
  size_t lines = unit_->Log().Count();
  Receive(":me!myuser@10.1.2.3 PRIVMSG me :\x01GETADDRESS\x01");
  EXPECT_EQ(unit_->OwnUser(), "myuser");
  EXPECT_EQ(unit_->OwnHost(), "10.1.2.3");
  EXPECT_EQ(unit_->OwnAddressCtcpHost(), "10.1.2.3");
  EXPECT_EQ(unit_->OwnAddress(), htonl(0x0A010203));  // a dotted address resolves at once
  EXPECT_EQ(unit_->Log().Count(), lines);
  EXPECT_EQ(Sent(), Lines{});

  // Nor does it take the window from the next query.
  prefs_.IgnoreCtcp = false;
  Query("VERSION");
  EXPECT_EQ(Sent().size(), 1u);
}

TEST_F(CtcpQueryTest, SomeoneElsesGetAddressChangesNothingButUsesTheWindow) {
  Query("GETADDRESS");
  EXPECT_EQ(unit_->OwnAddressCtcpHost(), "");
  EXPECT_EQ(unit_->OwnUser(), "");
  EXPECT_FALSE(Contains(unit_->Log(), "GETADDRESS"));
  EXPECT_EQ(Sent(), Lines{});
  Tick(2);
  Query("VERSION");
  EXPECT_EQ(Sent(), Lines{});
}

TEST_F(CtcpQueryTest, AQueryFromTheServerIsNotAnswered) {
  Receive("PRIVMSG me :\x01VERSION\x01");
  EXPECT_EQ(Sent(), Lines{});
  EXPECT_EQ(LastUnitLine(), UnitLine("*CTCP-query(VERSION) from  : ignored"));
  // Nothing was answered, so the window is still open.
  Query("VERSION");
  EXPECT_EQ(Sent().size(), 1u);
}

TEST_F(CtcpQueryTest, PeerTextIsNeverAFormat) {
  Query("PING %s%n%d 100%");
  EXPECT_EQ(Sent(), (Lines{"NOTICE bob :\x01PING %s%n%d 100%\x01"}));
  Tick(6);
  Query("X%s%n");
  EXPECT_EQ(LastUnitLine(), UnitLine("*CTCP-query(X%S%N) from bob"));
}

TEST_F(CtcpQueryTest, FramesPeersGetWrong) {
  // Words after the frame are lost, and so is a second frame.
  Receive(":bob!b@h PRIVMSG me :\x01PING 7\x01 trailing words \x01VERSION\x01");
  EXPECT_EQ(Sent(), (Lines{"NOTICE bob :\x01PING 7\x01"}));
  // A frame left open runs to the end of the text.
  Tick(6);
  Receive(":bob!b@h PRIVMSG me :\x01PING 8 9");
  EXPECT_EQ(Sent(), (Lines{"NOTICE bob :\x01PING 8 9\x01"}));
  // An empty command is a query we do not know.
  Tick(6);
  Receive(":bob!b@h PRIVMSG me :\x01\x01VERSION\x01");
  EXPECT_EQ(Sent(), Lines{});
  EXPECT_EQ(LastUnitLine(), UnitLine("*CTCP-query() from bob"));
}

TEST_F(CtcpQueryTest, AnIgnoredUserIsStillAnswered) {
  world_->ignore_masks = {"*!*@bob.host"};
  Query("VERSION");
  EXPECT_EQ(Sent().size(), 1u);
  Query("DCC SEND a.txt 1 2 3");
  EXPECT_EQ(dcc_.queries.size(), 1u);
}

}  // namespace
}  // namespace zeph
