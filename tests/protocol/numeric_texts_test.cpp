// The lines that numeric replies print into the unit log: texts and kinds.
#include <gtest/gtest.h>

#include "display/message_kind.h"
#include "numeric_test_fixture.h"
#include "platform/sjis.h"
#include "support/environment.h"

namespace zeph {
namespace {

using Lines = std::vector<std::string>;

class NumericTextsTest : public test::NumericTest {
 protected:
  void SetUp() override {
    with_host_ = false;  // no dialogs: WHOIS answers are printed too
    LogIn();
    first_new_ = unit_->Log().Count();
  }
  // The unit log lines since the last call.
  Lines NewLines() {
    Lines lines;
    for (size_t i = first_new_; i < unit_->Log().Count(); ++i) lines.push_back(Body(unit_->Log().At(i)));
    first_new_ = unit_->Log().Count();
    return lines;
  }

  // Times print in local time; the expected texts are UTC.
  test::TScopedTimeZone utc_{"UTC"};
  size_t first_new_ = 0;
};

struct TPrintedCase {
  const char* line;
  Lines printed;
  TMessageKind kind;
};

TEST_F(NumericTextsTest, CommonRepliesPrintTheirTextsWithTheirKinds) {
  const TPrintedCase cases[] = {
      {":irc.test 002 me :Your host is irc.test", {"Your host is irc.test"}, TMessageKind::Reply},
      {":irc.test 005 me CHANTYPES=#& NICKLEN=9 :are supported", {"CHANTYPES=#& NICKLEN=9 are supported"},
       TMessageKind::Reply},
      {":irc.test 372 me :- hello", {"- hello"}, TMessageKind::Reply},
      {":irc.test 221 me +iw ", {"*me mode +iw"}, TMessageKind::UserMode},
      {":irc.test 301 me bob :gone fishing", {"*bob is away (gone fishing)"}, TMessageKind::AwayReply},
      {":irc.test 305 me :back", {Sjis("離席状態を解除しました")}, TMessageKind::System},
      {":irc.test 306 me :away", {Sjis("離席状態になりました")}, TMessageKind::System},
      {":irc.test 311 me bob ~b host.example * :Bob B", {"bob is Bob B (~b@host.example)"}, TMessageKind::Reply},
      {":irc.test 312 me bob irc.test :Test server", {"bob is on irc.test (Test server)"}, TMessageKind::Reply},
      {":irc.test 313 me bob :is an operator", {"bob is an IRC operator"}, TMessageKind::Reply},
      {":irc.test 317 me bob 3725 1700000000 :seconds idle, signon time",
       {"bob is 1:02:05 idle", "bob logged on at 2023/11/14 22:13:20"}, TMessageKind::Reply},
      {":irc.test 317 me bob 59 :seconds idle", {"bob is 0:00:59 idle"}, TMessageKind::Reply},
      {":irc.test 319 me bob :@#a +#b  #c ", {"bob is on @#a, +#b, #c"}, TMessageKind::Reply},
      {":irc.test 318 me bob :End of WHOIS list", {}, TMessageKind::Reply},
      {":irc.test 322 me #a 5 :a topic", {"*list #a (5) : a topic"}, TMessageKind::Reply},
      {":irc.test 323 me :End of LIST", {}, TMessageKind::Reply},
      {":irc.test 324 me #x +nt ", {"*mode +nt"}, TMessageKind::ModeReply},
      {":irc.test 324 me #x +", {}, TMessageKind::ModeReply},
      {":irc.test 329 me #x 1700000000", {"*created at 2023/11/14 22:13:20"}, TMessageKind::Reply},
      {":irc.test 331 me #x :No topic is set", {"*topic : "}, TMessageKind::TopicReply},
      {":irc.test 332 me #x :the topic", {"*topic : the topic"}, TMessageKind::TopicReply},
      {":irc.test 333 me #x bob 1700000000", {"*bob set the topic at 2023/11/14 22:13:20"}, TMessageKind::Reply},
      {":irc.test 341 me bob #x", {"*inviting bob to #x"}, TMessageKind::Inviting},
      {":irc.test 352 me #x ~b h.example irc.test bob H@ :3 Bob B",
       {"*who #x : bob (~b@h.example) Bob B [H@] irc.test hop=3"}, TMessageKind::Reply},
      {":irc.test 315 me #x :End of WHO list", {}, TMessageKind::Reply},
      {":irc.test 353 me = #x :@a +b c", {"*names : @a +b c"}, TMessageKind::NamesReply},
      {":irc.test 366 me #x :End of NAMES list", {}, TMessageKind::Reply},
      {":irc.test 367 me #x *!*@h.example bob 1700000000", {"#x *!*@h.example bob 1700000000"},
       TMessageKind::Reply},
      {":irc.test 368 me #x :End of channel ban list", {"#x End of channel ban list"}, TMessageKind::Reply},
      {":irc.test 042 me ABC :your unique ID", {"*Reply(042) ABC your unique ID"}, TMessageKind::Reply},
      {":irc.test 999 me", {"*Reply(999) "}, TMessageKind::Reply},
      {":irc.test 401 me bob :No such nick", {"*Error(401) bob No such nick"}, TMessageKind::ErrorReply},
      {":irc.test 403 me #x :No such channel", {"*Error(403) #x No such channel"}, TMessageKind::ErrorReply},
      {":irc.test 482 me #x :You're not channel operator", {"*Error(482) #x You're not channel operator"},
       TMessageKind::ErrorReply},
  };
  for (const TPrintedCase& c : cases) {
    Receive(c.line);
    EXPECT_EQ(NewLines(), c.printed) << c.line;
    if (!c.printed.empty()) {
      const TLogLine& last = unit_->Log().At(unit_->Log().Count() - 1);
      EXPECT_EQ(last.category, KindCategory(c.kind)) << c.line;
    }
  }
}

TEST_F(NumericTextsTest, TimesThatNoCalendarShowsPrintTheNumberAsSent) {
  Receive(":irc.test 329 me #x -5\n"
          ":irc.test 329 me #x 99999999999999999999999\n"
          ":irc.test 333 me #x bob 67767976233316800\n"
          ":irc.test 329 me #x 12ab\n"
          ":irc.test 317 me bob 18446744073709551616000 -1 :idle\n"
          ":irc.test 317 me bob x 99999999999999999999 :idle");
  EXPECT_EQ(NewLines(), (Lines{"*created at -5", "*created at 99999999999999999999999",
                               "*bob set the topic at 67767976233316800", "*created at 12ab",
                               "bob is 5124095576030431:00:15 idle", "bob is 0:00:00 idle",
                               "bob logged on at 99999999999999999999"}));
}

TEST_F(NumericTextsTest, WhowasAnswersPrintTheRawServerLineAndNoAway) {
  Receive(":irc.test 314 me old ~o h.example * :Old One\n"
          ":irc.test 312 me old irc.test :Mon Jan 1\n"
          ":irc.test 301 me old :was away\n"
          ":irc.test 369 me old :End of WHOWAS");
  EXPECT_EQ(NewLines(), (Lines{"old ~o h.example * Old One", "old irc.test Mon Jan 1", "old End of WHOWAS"}));
  // After the WHOWAS answer, an away reply to a message shows again.
  Receive(":irc.test 301 me old :now away");
  EXPECT_EQ(NewLines(), Lines{"*old is away (now away)"});
}

TEST_F(NumericTextsTest, UserModeRepliesRebuildTheOwnModeAndAwayFlag) {
  Receive(":irc.test 221 me +aiw");
  EXPECT_TRUE(unit_->UserMode().a);
  EXPECT_TRUE(unit_->UserMode().i);
  EXPECT_TRUE(unit_->IsAway());
  NewLines();
  Receive(":irc.test 221 me +");
  EXPECT_TRUE(NewLines().empty());
  EXPECT_FALSE(unit_->UserMode().a);
  EXPECT_FALSE(unit_->UserMode().i);
  EXPECT_FALSE(unit_->IsAway());
  Receive(":irc.test 306 me :away");
  EXPECT_TRUE(unit_->UserMode().a);
  EXPECT_TRUE(unit_->IsAway());
  Receive(":irc.test 305 me :back");
  EXPECT_FALSE(unit_->UserMode().a);
}

TEST_F(NumericTextsTest, AnAwayReplyGoesIntoTheTalkWithThatUser) {
  unit_->OpenTalk("bob", "b", "h");
  Receive(":irc.test 301 me bob :lunch");
  EXPECT_EQ(LastBody(unit_->FindChannel("bob")->Log()), "*bob is away (lunch)");
  EXPECT_TRUE(NewLines().empty());
}

}  // namespace
}  // namespace zeph
