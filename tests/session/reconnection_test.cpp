// Reconnection, the login timeout, keep-alive PONGs, JOIN batching and the
// pacing of WHO requests, all on the hand-driven clock.
#include <gtest/gtest.h>

#include "platform/sjis.h"
#include "support/session_fixture.h"

namespace zeph {
namespace {

using test::SessionTest;
using Lines = std::vector<std::string>;

class ReconnectionTest : public SessionTest {};

TEST_F(ReconnectionTest, AttemptsAreNumberedAndStopAtReconnectCount) {
  prefs_.ReconnectCount = 3;
  prefs_.ReconnectTime = 5;
  LogIn();
  server_.CloseClient();
  Settle();
  for (int attempt = 1; attempt <= 3; ++attempt) {
    Tick(5);
    ASSERT_TRUE(server_.WaitForClient());
    server_.CloseClient();  // fails before login
    Settle();
    EXPECT_TRUE(Contains(unit_->Log(), Sjis("へ再接続を試みます(") + std::to_string(attempt) + Sjis("回目)")));
  }
  int accepted = server_.Accepted();
  Tick(30);
  EXPECT_EQ(server_.Accepted(), accepted);
  EXPECT_FALSE(unit_->AutoReconnect());
}

TEST_F(ReconnectionTest, CountZeroTriesWithoutEnd) {
  prefs_.ReconnectCount = 0;
  prefs_.ReconnectTime = 5;
  LogIn();
  server_.CloseClient();
  Settle();
  for (int attempt = 1; attempt <= 12; ++attempt) {  // beyond the default limit of 10
    Tick(4);
    ASSERT_EQ(unit_->State(), TUnitState::Idle) << attempt;
    Tick();
    ASSERT_TRUE(server_.WaitForClient());
    server_.CloseClient();  // fails before login
    Settle();
  }
  EXPECT_TRUE(Contains(unit_->Log(), Sjis("へ再接続を試みます(12回目)")));
  EXPECT_TRUE(unit_->AutoReconnect());
  EXPECT_EQ(server_.Accepted(), 13);
}

// A session lost while reconnection is off, or ended by our own QUIT,
// stays down.
TEST_F(ReconnectionTest, ReconnectOffLeavesALostSessionDown) {
  prefs_.Reconnect = false;
  LogIn();
  server_.CloseClient();
  Settle();
  EXPECT_TRUE(Contains(unit_->Log(), Sjis("切断されました")));
  Tick(60);
  EXPECT_EQ(unit_->State(), TUnitState::Idle);
  EXPECT_EQ(server_.Accepted(), 1);
}

TEST_F(ReconnectionTest, OurQuitIsNeverFollowedByAReconnection) {
  LogIn();
  unit_->SendQuit("bye");
  ASSERT_TRUE(server_.WaitFor("QUIT :bye\r\n"));
  server_.CloseClient();
  Settle();
  EXPECT_EQ(unit_->State(), TUnitState::Idle);
  Tick(60);
  EXPECT_EQ(server_.Accepted(), 1);
}

TEST_F(ReconnectionTest, CancelReconnectWhileWaiting) {
  LogIn();
  server_.CloseClient();
  Settle();
  unit_->CancelReconnect();
  EXPECT_TRUE(Contains(unit_->Log(), Sjis("再接続をキャンセルしました")));
  Tick(prefs_.ReconnectTime + 5);
  EXPECT_EQ(server_.Accepted(), 1);
}

TEST_F(ReconnectionTest, KeepAlivePongOnlyAfterSilence) {
  prefs_.AutoPongTime = 120;
  LogIn();
  Sent();
  for (int i = 0; i < 4; ++i) {
    Tick(90);
    Receive("PING :irc.test");
  }
  Lines sent = Sent();
  EXPECT_EQ(std::count(sent.begin(), sent.end(), "PONG :irc.test"), 4);  // answers only
  Tick(120);
  EXPECT_EQ(Sent(), Lines{"PONG :irc.test"});
}

TEST_F(ReconnectionTest, LoweringAutoPongTimeBelowTheCountStillFires) {
  prefs_.AutoPongTime = 120;
  LogIn();
  Tick(100);
  Sent();
  prefs_.AutoPongTime = 60;
  Tick();
  EXPECT_EQ(Sent(), Lines{"PONG :irc.test"});
  prefs_.AutoPongTime = 0;  // off
  Tick(200);
  EXPECT_EQ(Sent(), Lines{});
}

class JoinBatchTest : public SessionTest {
 protected:
  // What the unit sent, once a PING has been answered: a line the unit
  // would have sent before it cannot still be on its way.
  Lines SentUpToAPong() {
    std::string token = "sync" + std::to_string(++pings_);
    Receive("PING :" + token);
    EXPECT_TRUE(server_.WaitFor("PONG :" + token));
    Lines sent = Sent();
    EXPECT_FALSE(sent.empty());
    if (!sent.empty()) sent.pop_back();
    return sent;
  }
  int pings_ = 0;

  // The server drops the connection; the unit comes back after
  // ReconnectTime and is welcomed, with what it sent before forgotten.
  void ReconnectAndLogIn() {
    server_.CloseClient();
    Settle();
    Tick(prefs_.ReconnectTime);
    ASSERT_TRUE(server_.WaitForClient());
    ASSERT_TRUE(server_.WaitFor("USER "));
    Sent();
    Receive(":irc.test 001 me :Welcome");
  }

  Lines JoinLines(const std::vector<TJoinEntry>& list) {
    Sent();
    unit_->JoinChannels(list);
    Tick(30);
    return Sent();
  }
};

TEST_F(JoinBatchTest, KeyedChannelsStandFirst) {
  LogIn();
  EXPECT_EQ(JoinLines({{"#a", "k1"}, {"#b", ""}, {"#c", "k3"}}), (Lines{"JOIN #a,#b k1", "JOIN #c k3"}));
  EXPECT_EQ(JoinLines({{"#a", ""}, {"#b", ""}}), Lines{"JOIN #a,#b"});
  EXPECT_EQ(JoinLines({{"%jp", ""}}), Lines{"JOIN #jp:*.jp"});
}

TEST_F(JoinBatchTest, LongListsSplitAt480Bytes) {
  LogIn();
  std::vector<TJoinEntry> list;
  std::string joined;
  for (int i = 0; i < 40; ++i) {
    std::string name = "#channel-with-a-long-name-" + std::to_string(i);
    list.emplace_back(name, i % 3 == 0 ? "key" + std::to_string(i) : "");
    joined += name;
  }
  Lines lines = JoinLines(list);
  ASSERT_GT(lines.size(), 1u);
  std::string names_seen;
  for (const std::string& line : lines) {
    EXPECT_LE(line.size() - 5, 480u) << line;  // names, the blank and the keys
    std::string rest = line.substr(5);
    std::string names = rest.substr(0, rest.find(' '));
    for (char& c : names) c = c == ',' ? ' ' : c;
    names_seen += names;
  }
  for (int i = 0; i < 40; ++i) EXPECT_NE(names_seen.find("-name-" + std::to_string(i)), std::string::npos) << i;
}

TEST_F(JoinBatchTest, ForceAutoJoinAddsAutoJoinChannelsOnReconnection) {
  TChannelConfig a = NewChannelConfig("#a", true);
  TChannelConfig b = NewChannelConfig("#b", true);
  TChannelConfig c = NewChannelConfig("#c", false);
  config_.channels = {a, b, c};
  LogIn();
  EXPECT_EQ(Sent(), (Lines{"NICK me", "USER uname 8 * :Full Name", "JOIN #a,#b"}));
  Receive(":me!u@h JOIN :#a\n:me!u@h JOIN :#c");  // #b refused, #c joined by hand
  ReconnectAndLogIn();
  EXPECT_EQ(Sent(), Lines{"JOIN #a,#c,#b"});
}

// The rejoin list holds the names the server used («#jp:*.jp», «!XYZ12chan»);
// the auto-join entries are the same channels under their tree names.
TEST_F(JoinBatchTest, ForceAutoJoinJoinsShortAndSafeChannelsOnce) {
  config_.channels = {NewChannelConfig("%jp", true), NewChannelConfig("!chan", true), NewChannelConfig("#a", true)};
  LogIn();
  EXPECT_EQ(Sent(), (Lines{"NICK me", "USER uname 8 * :Full Name", "JOIN #jp:*.jp,!chan,#a"}));
  Receive(":me!u@h JOIN :#jp:*.jp\n:me!u@h JOIN :!XYZ12chan\n:me!u@h JOIN :#a");
  ReconnectAndLogIn();
  EXPECT_EQ(Sent(), Lines{"JOIN #jp:*.jp,!XYZ12chan,#a"});
}

// Retries of a refused channel are kept under the name the server knows,
// whichever form asked for it.
TEST_F(JoinBatchTest, PendingJoinsOfShortNamesMeetTheServerForm) {
  config_.channels = {NewChannelConfig("%jp", true)};
  config_.channels[0].password = "k";
  prefs_.Error437RejoinInterval = 5;
  LogIn();
  EXPECT_TRUE(unit_->Rejoins().HasPending("#jp:*.jp"));
  Receive(":me!u@h JOIN :#jp:*.jp");
  EXPECT_FALSE(unit_->Rejoins().HasPending("#jp:*.jp"));

  unit_->SendJoin("%other", "secret");
  unit_->Rejoins().OnRefused("#other:*.jp");  // as the refusal reports it
  Sent();
  Tick(5);
  EXPECT_EQ(Sent(), Lines{"JOIN #other:*.jp secret"});
}

TEST_F(JoinBatchTest, RetriesDueWithinTenSecondsGoInOneJoin) {
  prefs_.Error437RejoinInterval = 10;
  LogIn();
  Sent();
  unit_->Rejoins().OnRefused("#a");
  Tick(8);
  unit_->Rejoins().OnRefused("#b");
  Tick();
  EXPECT_EQ(SentUpToAPong(), Lines{});
  Tick();  // #a is due, #b would be in 8 seconds
  EXPECT_EQ(SentUpToAPong(), Lines{"JOIN #a,#b"});
  Tick(20);
  EXPECT_EQ(SentUpToAPong(), Lines{});
}

TEST_F(JoinBatchTest, SwitchingRetriesOffDropsTheQueuedOnes) {
  prefs_.Error437RejoinInterval = 5;
  LogIn();
  Sent();
  unit_->Rejoins().OnRefused("#a");
  prefs_.RejoinOnError437 = false;
  world_->ApplyPreferences();
  prefs_.RejoinOnError437 = true;
  world_->ApplyPreferences();
  Tick(10);
  EXPECT_EQ(SentUpToAPong(), Lines{});
}

TEST_F(JoinBatchTest, WhoRequestsWaitForTheJoinsThenGoOneAtATime) {
  prefs_.WhoTiming = 1;
  LogIn();  // no auto-join channels: LoginWait(0)
  unit_->WhoQueue().LoginWait(3);  // as after joining three channels
  unit_->WhoQueue().Add("#big", 100);
  unit_->WhoQueue().Add("#mid", 10);
  unit_->WhoQueue().Add("#small", 2);
  Sent();
  Tick(5);
  EXPECT_EQ(Sent(), Lines{});
  Tick();
  EXPECT_EQ(Sent(), Lines{"WHO #big"});
  Tick(3);
  EXPECT_EQ(Sent(), Lines{});
  Tick();
  EXPECT_EQ(Sent(), Lines{"WHO #mid"});
  Tick(3);
  EXPECT_EQ(Sent(), Lines{"WHO #small"});
}

}  // namespace
}  // namespace zeph
