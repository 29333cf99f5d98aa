// WHOIS answers into the user information models: the opening rule, the
// world-wide limit, nick changes and the closing unit.
#include <gtest/gtest.h>

#include "numeric_test_fixture.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

using Lines = std::vector<std::string>;

// A dialog as the window layer would attach it.
class TRecordingDialog : public TWhoisObserver {
 public:
  int changes = 0;
  int raises = 0;
  bool closed = false;
  void OnWhoisChanged(const TWhoisModel&) override { ++changes; }
  void OnWhoisRaise(const TWhoisModel&) override { ++raises; }
  void OnWhoisClosed(const TWhoisModel&) override { closed = true; }
};

class WhoisRepliesTest : public test::NumericTest {
 protected:
  void SetUp() override {
    prefs_.WhoisDialogMax = 2;
    LogIn();
    Sent();
  }
  void Whois(const std::string& nick) {
    Receive(":irc.test 311 me " + nick + " ~u " + nick + ".example * :Real " + nick + "\n" +
            ":irc.test 318 me " + nick + " :End of WHOIS list");
  }
};

TEST_F(WhoisRepliesTest, AWholeAnswerFillsOneModel) {
  size_t lines = unit_->Log().Count();
  Receive(":irc.test 311 me Bob ~b b.example * :Bob Builder\n"
          ":irc.test 319 me Bob :@#a +#b #c\n"
          ":irc.test 312 me Bob irc.test :Test server\n"
          ":irc.test 313 me Bob :is an IRC operator\n"
          ":irc.test 301 me Bob :out for lunch\n"
          ":irc.test 317 me Bob 65 0 :seconds idle\n"
          ":irc.test 318 me Bob :End of WHOIS list");
  ASSERT_EQ(host_.whois_shown.size(), 1u);
  TWhoisModel& model = *host_.whois_shown[0];
  EXPECT_EQ(&model, Windows().FindWhois(*unit_, "bob"));
  EXPECT_EQ(model.Caption(), "Bob" + Sjis(" のユーザ情報"));
  EXPECT_EQ(model.NickField(), "Bob (IRC Operator)");
  EXPECT_EQ(model.User(), "~b");
  EXPECT_EQ(model.Host(), "b.example");
  EXPECT_EQ(model.Realname(), "Bob Builder");
  EXPECT_EQ(model.ServerField(), "irc.test / Test server");
  EXPECT_EQ(model.AwayMessage(), "out for lunch");
  EXPECT_EQ(model.IdleText(), "0:01:05");
  EXPECT_FALSE(model.SignOnText().empty());
  EXPECT_EQ(model.Channels(), (Lines{"@#a", "+#b", "#c"}));
  EXPECT_EQ(model.SelectedChannel(), 0);
  EXPECT_EQ(unit_->Log().Count(), lines);  // nothing printed
  EXPECT_FALSE(unit_->Replies().InWhois());
  EXPECT_EQ(Windows().OpenWhoisCount(), 1);
}

TEST_F(WhoisRepliesTest, ASecondAnswerRefillsTheOpenDialog) {
  Receive(":irc.test 311 me bob ~b b.example * :Bob\n:irc.test 319 me bob :#a\n:irc.test 318 me bob :End");
  TWhoisModel& model = *host_.whois_shown[0];
  TRecordingDialog dialog;
  model.SetObserver(&dialog);
  Receive(":irc.test 311 me BOB ~b b.example * :Bob\n:irc.test 319 me bob :#z\n:irc.test 318 me bob :End");
  EXPECT_EQ(host_.whois_shown.size(), 1u);
  EXPECT_EQ(dialog.raises, 1);
  EXPECT_GT(dialog.changes, 0);
  EXPECT_EQ(model.Channels(), Lines{"#z"});
}

TEST_F(WhoisRepliesTest, BeyondTheWorldWideLimitTheAnswerIsPrinted) {
  Whois("a");
  Whois("b");
  Whois("c");
  EXPECT_EQ(host_.whois_shown.size(), 2u);
  EXPECT_TRUE(Contains(unit_->Log(), "c is Real c (~u@c.example)"));

  Windows().CloseWhois(*host_.whois_shown[0]);
  EXPECT_EQ(Windows().OpenWhoisCount(), 1);
  EXPECT_EQ(Windows().FindWhois(*unit_, "a"), nullptr);
  Whois("c");
  EXPECT_EQ(host_.whois_shown.size(), 3u);

  prefs_.LimitWhoisDialog = false;
  Whois("d");
  EXPECT_EQ(Windows().OpenWhoisCount(), 3);
}

TEST_F(WhoisRepliesTest, ADialogFollowsANickChangeAndReplacesTheOneForTheNewNick) {
  Receive(":me!u@h JOIN :#c\n:bob!b@h JOIN :#c");
  Whois("bob");
  Whois("robert");
  TWhoisModel* bob = host_.whois_shown[0];
  TRecordingDialog robert_dialog;
  host_.whois_shown[1]->SetObserver(&robert_dialog);

  Receive(":bob!b@h NICK :Robert");
  EXPECT_TRUE(robert_dialog.closed);
  EXPECT_EQ(Windows().FindWhois(*unit_, "robert"), bob);
  EXPECT_EQ(Windows().FindWhois(*unit_, "bob"), nullptr);
  EXPECT_EQ(bob->Nick(), "Robert");
  EXPECT_EQ(Windows().OpenWhoisCount(), 1);
}

TEST_F(WhoisRepliesTest, ClosingTheUnitClosesItsDialogsAndOpensNoMore) {
  Whois("a");
  TRecordingDialog dialog;
  host_.whois_shown[0]->SetObserver(&dialog);
  prefs_.WhoisDialogMax = 10;
  unit_->Shutdown(true);
  EXPECT_TRUE(dialog.closed);
  EXPECT_EQ(Windows().OpenWhoisCount(), 0);
  EXPECT_EQ(Windows().OpenWhois(*unit_, "x"), nullptr);
}

TEST_F(WhoisRepliesTest, TheDialogsRequestsGoToItsUnit) {
  Receive(":irc.test 311 me bob ~b b.example * :Bob\n:irc.test 319 me bob :@#a +#b\n:irc.test 318 me bob :End");
  TWhoisModel& model = *host_.whois_shown[0];
  RequestWhoisAgain(*unit_, model);
  JoinWhoisChannel(*unit_, model, 0);
  JoinWhoisChannel(*unit_, model, 1);
  JoinWhoisChannel(*unit_, model, 2);  // no such entry
  EXPECT_TRUE(SentIs({"WHOIS bob bob", "JOIN #a", "JOIN #b"}));

  OpenWhoisTalk(*unit_, model);
  TChannel* talk = unit_->FindChannel("bob");
  ASSERT_NE(talk, nullptr);
  EXPECT_TRUE(talk->IsTalk());
  EXPECT_EQ(talk->Members().FindMember("bob")->host, "b.example");
  EXPECT_EQ(world_->SelectedTarget(), talk);
}

}  // namespace
}  // namespace zeph
