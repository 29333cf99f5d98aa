// Who the user is after a reconnection: the nick registered again, the
// nick-in-use retries starting afresh, and the away state (AutoAway,
// RestoreNickAndAwayOnReconnect, and the flag the sounds and talks obey).
#include <gtest/gtest.h>

#include "numeric_test_fixture.h"
#include "protocol/command_line.h"
#include "protocol/incoming_fixture.h"

namespace zeph {
namespace {

using Lines = std::vector<std::string>;

class ReconnectionIdentityTest : public test::NumericTest {
 protected:
  void OnWorldCreated() override {
    NumericTest::OnWorldCreated();
    world_->SetView(&view_);
  }
  ~ReconnectionIdentityTest() override {
    if (world_) world_->SetView(nullptr);
  }

  // Registrations the server has seen so far.
  int Registrations() const {
    const std::string& received = server_.Received();
    int count = 0;
    for (size_t pos = received.find("USER "); pos != std::string::npos; pos = received.find("USER ", pos + 1))
      ++count;
    return count;
  }
  // The server drops us; the unit reconnects and registers again. What was
  // sent before is consumed.
  void Reconnect() {
    Sent();
    int before = Registrations();
    server_.CloseClient();
    Settle();
    Tick(prefs_.ReconnectTime);
    ASSERT_TRUE(server_.WaitForClient());
    ASSERT_TRUE(loop_.RunUntil([&] { return Registrations() > before; }));
  }
  void Refuse(const std::string& nick) {
    Receive(":irc.test 433 * " + nick + " :Nickname is already in use");
  }

  test::TRecordingView view_;
};

// The old session may still hold the nick when we come back: the retries
// start again from the nick registered, not from the last retry.
struct TNickCase {
  int policy;
  Lines first_retries;  // after two refusals in the first registration
  std::string again;    // after one refusal once reconnected
};

void PrintTo(const TNickCase& c, std::ostream* os) { *os << "NickPolicy " << c.policy; }

class NickRetryAfterReconnectTest : public ReconnectionIdentityTest,
                                    public testing::WithParamInterface<TNickCase> {};

TEST_P(NickRetryAfterReconnectTest, RetriesStartAfreshAtEveryRegistration) {
  const TNickCase& c = GetParam();
  config_.nick = "abc";
  prefs_.NickPolicy = c.policy;
  Start();
  Sent();
  Refuse("abc");
  Refuse(c.first_retries[0].substr(5));
  EXPECT_TRUE(SentIs(c.first_retries));
  Receive(":irc.test 001 " + c.first_retries[1].substr(5) + " :Welcome");
  ASSERT_TRUE(unit_->IsLoggedIn());
  Reconnect();
  Refuse("abc");
  EXPECT_TRUE(SentIs({"NICK abc", "USER uname 8 * :Full Name", c.again}));
}

INSTANTIATE_TEST_SUITE_P(Policies, NickRetryAfterReconnectTest,
                         testing::Values(TNickCase{0, {"NICK abc_", "NICK abc__"}, "NICK abc_"},
                                         TNickCase{1, {"NICK abc0", "NICK abc1"}, "NICK abc0"}));

class RestoreNickTest : public ReconnectionIdentityTest, public testing::WithParamInterface<bool> {};

TEST_P(RestoreNickTest, RegistersTheNickTheUserChangedToOnlyWhenRestoring) {
  bool restore = GetParam();
  prefs_.RestoreNickAndAwayOnReconnect = restore;
  LogIn();
  ExecuteCommandLine(*unit_, "nick newme", false);
  ASSERT_TRUE(SentIs({"NICK me", "USER uname 8 * :Full Name", "NICK newme"}));
  Receive(":me!u@h NICK :newme");
  Reconnect();
  EXPECT_TRUE(SentIs({restore ? "NICK newme" : "NICK me", "USER uname 8 * :Full Name"}));
}

INSTANTIATE_TEST_SUITE_P(OnAndOff, RestoreNickTest, testing::Bool());

struct TAwayCase {
  bool restore;
  bool auto_away;
  Lines at_login;  // after going away with "brb" and reconnecting
};

void PrintTo(const TAwayCase& c, std::ostream* os) {
  *os << "RestoreNickAndAwayOnReconnect " << c.restore << ", AutoAway " << c.auto_away;
}

class AwayAfterReconnectTest : public ReconnectionIdentityTest, public testing::WithParamInterface<TAwayCase> {};

TEST_P(AwayAfterReconnectTest, AwayIsRestoredOnlyWhenAskedAndAutoAwayAlwaysApplies) {
  const TAwayCase& c = GetParam();
  prefs_.RestoreNickAndAwayOnReconnect = c.restore;
  config_.auto_away = c.auto_away;
  LogIn();
  EXPECT_TRUE(SentIs(c.auto_away ? Lines{"NICK me", "USER uname 8 * :Full Name", "AWAY :Gone"}
                                 : Lines{"NICK me", "USER uname 8 * :Full Name"}));
  ExecuteCommandLine(*unit_, "away brb", false);
  ASSERT_TRUE(SentIs({"AWAY :brb"}));
  Receive(":irc.test 306 me :You have been marked as being away");
  EXPECT_TRUE(unit_->IsAway());
  Reconnect();
  Sent();
  Receive(":irc.test 001 me :Welcome\nPING :sync");
  Lines expected = c.at_login;
  expected.push_back("PONG :sync");  // nothing else came before it
  EXPECT_TRUE(SentIs(expected));
  EXPECT_FALSE(unit_->IsAway());  // until the server says so
}

INSTANTIATE_TEST_SUITE_P(Settings, AwayAfterReconnectTest,
                         testing::Values(TAwayCase{true, false, {"AWAY :brb"}}, TAwayCase{false, false, {}},
                                         TAwayCase{false, true, {"AWAY :Gone"}},
                                         TAwayCase{true, true, {"AWAY :brb"}}));

// After a reconnection that did not restore the away state, nothing may act
// as if we were still away: sounds play, a talk sends no AWAY first.
TEST_F(ReconnectionIdentityTest, AwayStateEndsWithTheSessionItWasSetIn) {
  prefs_.RestoreNickAndAwayOnReconnect = false;
  prefs_.EnableChannelMessageSound = true;
  prefs_.ChannelMessageSoundFile = "msg.wav";
  LogIn();
  ExecuteCommandLine(*unit_, "away brb", false);
  Receive(":irc.test 306 me :You have been marked as being away");
  Reconnect();
  Receive(":irc.test 001 me :Welcome\n:me!u@h JOIN :#c\n:bob!u@h PRIVMSG #c :hi\n:bob!u@h PRIVMSG me :psst");
  EXPECT_EQ(view_.sounds, Lines{"msg.wav"});
  Sent();
  ASSERT_NE(unit_->FindChannel("bob"), nullptr);
  EXPECT_TRUE(SubmitInput(*unit_, unit_->FindChannel("bob"), "hello", false, false, true));
  EXPECT_TRUE(SentIs({"PRIVMSG bob :hello"}));
}

// The user mode the server reports is the away state as well.
TEST_F(ReconnectionIdentityTest, UserModeAwaySetsAndClearsTheAwayState) {
  prefs_.EnableChannelMessageSound = true;
  prefs_.ChannelMessageSoundFile = "msg.wav";
  LogIn();
  Receive(":me!u@h JOIN :#c\n:me MODE me :+a\n:bob!u@h PRIVMSG #c :muted");
  EXPECT_TRUE(unit_->IsAway());
  EXPECT_EQ(view_.sounds, Lines{});
  Receive(":me MODE me :-a\n:bob!u@h PRIVMSG #c :heard");
  EXPECT_FALSE(unit_->IsAway());
  EXPECT_EQ(view_.sounds, Lines{"msg.wav"});
}

}  // namespace
}  // namespace zeph
