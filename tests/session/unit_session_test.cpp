// The session of a unit against a scripted server: registration, login,
// PING, the server's ERROR, WALLOPS and KILL, losing the connection.
#include <gtest/gtest.h>

#include "platform/sjis.h"
#include "support/session_fixture.h"

namespace zeph {
namespace {

using test::SessionTest;
using Lines = std::vector<std::string>;

TEST_F(SessionTest, RegistersWithNickAndUser) {
  config_.hostname = "127.0.0.1 (ExampleNet)";
  config_.enable_password = true;  // but no password: no PASS
  Start();
  EXPECT_EQ(Sent(), (Lines{"NICK me", "USER uname 8 * :Full Name"}));
  EXPECT_EQ(unit_->State(), TUnitState::Connected);
  EXPECT_TRUE(Contains(unit_->Log(), Sjis("127.0.0.1:") + std::to_string(config_.port) + Sjis("へ接続を試みます")));
  EXPECT_TRUE(Contains(unit_->Log(), Sjis("接続しました")));
}

TEST_F(SessionTest, RegistersWithPasswordAndVisibleMode) {
  config_.enable_password = true;
  config_.password = "secret";
  config_.invisible = false;
  Start();
  EXPECT_EQ(Sent(), (Lines{"PASS secret", "NICK me", "USER uname 0 * :Full Name"}));
}

TEST_F(SessionTest, WelcomeLogsInOnce) {
  Start();
  Sent();
  Receive(":irc.test 001 me2 :Welcome\n:irc.test 376 me2 :End of MOTD");
  EXPECT_TRUE(unit_->IsLoggedIn());
  EXPECT_EQ(unit_->Nick(), "me2");
  EXPECT_EQ(unit_->ServerName(), "irc.test");
  int logins = 0;
  for (const std::string& text : Texts(unit_->Log())) logins += text.find(Sjis("ログインしました")) != std::string::npos;
  EXPECT_EQ(logins, 1);
}

TEST_F(SessionTest, NoMotdStillLogsIn) {
  Start();
  Receive(":irc.test 422 me :MOTD File is missing");
  EXPECT_TRUE(unit_->IsLoggedIn());
}

TEST_F(SessionTest, PingIsAnsweredAheadOfQueuedMessages) {
  LogIn();
  Sent();
  for (int i = 0; i < 8; ++i) unit_->SendMessage("#a", "line " + std::to_string(i), TUnit::TMessageType::Privmsg);
  Receive("PING :abc");
  Tick(10);
  Lines sent = Sent();
  auto pong = std::find(sent.begin(), sent.end(), "PONG :abc");
  ASSERT_NE(pong, sent.end());
  // The burst used the budget up; the PONG is next, ahead of the two
  // messages still waiting.
  EXPECT_EQ(pong - sent.begin(), 6);
  EXPECT_EQ(sent.size(), 9u);
}

TEST_F(SessionTest, ServerErrorWallopsAndKill) {
  LogIn();
  Receive(":irc.test WALLOPS :maintenance\nKILL other :bad\nERROR :Closing Link: me (Bye)");
  EXPECT_TRUE(Contains(unit_->Log(), "*WALLOPS maintenance"));
  EXPECT_TRUE(Contains(unit_->Log(), "*ERROR Closing Link: me (Bye)"));
  // A KILL of someone in none of our channels shows in the console only.
  EXPECT_FALSE(Contains(unit_->Log(), "kill other"));
  EXPECT_TRUE(Contains(world_->Console(), "* kill other (bad)"));
}

TEST_F(SessionTest, KillOfAMemberTakesHimOutOfEachOfOurChannels) {
  config_.channels = {NewChannelConfig("#a", false), NewChannelConfig("#b", false), NewChannelConfig("#c", false)};
  LogIn();
  Receive(":me!u@h JOIN :#a\n:me!u@h JOIN :#b\n:me!u@h JOIN :#c\n:victim!v@h JOIN :#a\n:victim!v@h JOIN :#b\n"
          ":bystander!b@h JOIN :#c");
  size_t console_before = world_->Console().Count();
  Receive(":op!o@h KILL victim :flooding");
  for (const char* name : {"#a", "#b"}) {
    TChannel& channel = *unit_->FindChannel(name);
    EXPECT_EQ(Texts(channel.Log()).back(), std::string(kTimePiece) + "*op kill victim (flooding)") << name;
    EXPECT_EQ(channel.Members().FindMember("victim"), nullptr) << name;
    EXPECT_EQ(channel.Members().MemberCount(), 1) << name;
  }
  EXPECT_EQ(Texts(unit_->FindChannel("#c")->Log()).back(), std::string(kTimePiece) + "*bystander join #c (b@h)");
  Lines console = Texts(world_->Console());
  console.erase(console.begin(), console.begin() + static_cast<long>(console_before));
  // The copies of the channel lines (the unit is selected), then the
  // console's own line.
  EXPECT_EQ(console, (Lines{"22:13 <test:#a> *op kill victim (flooding)", "22:13 <test:#b> *op kill victim (flooding)",
                            "22:13 <test> *op kill victim (flooding)"}));
}

TEST_F(SessionTest, LosingALoggedInSessionRemembersJoinedChannels) {
  config_.channels = {NewChannelConfig("#a", false), NewChannelConfig("#b", false), NewChannelConfig("#c", false)};
  LogIn();
  Receive(":me!u@h JOIN :#a\n:me!u@h JOIN :#b\n:me!u@h JOIN :#c\n:me!u@h PART #b :bye");
  server_.CloseClient();
  Settle();
  EXPECT_EQ(unit_->State(), TUnitState::Idle);
  EXPECT_TRUE(Contains(unit_->Log(), Sjis("切断されました")));
  EXPECT_TRUE(Contains(unit_->FindChannel("#a")->Log(), Sjis("切断されました")));
  EXPECT_FALSE(unit_->FindChannel("#a")->IsJoined());

  // The reconnection joins exactly the two that were joined, in order.
  prefs_.ForceAutoJoin = false;
  Tick(prefs_.ReconnectTime);
  ASSERT_TRUE(server_.WaitForClient());
  ASSERT_TRUE(server_.WaitFor("USER "));
  Sent();
  Receive(":irc.test 001 me :Welcome");
  EXPECT_EQ(Sent(), Lines{"JOIN #a,#c"});
}

TEST_F(SessionTest, MacroEventsForModesAndTheStopSwitch) {
  config_.channels = {NewChannelConfig("#c", false)};
  LogIn();
  macros_.events.clear();
  Receive(":op!u@h MODE #c +Ro mask nick\n:op!u@h MODE #c -o+v a b");
  EXPECT_EQ(macros_.events, (Lines{"MODE #c +Ro mask nick", "OP #c nick", "MODE #c -o+v a b", "DEOP #c a",
                                   "VOICE #c b"}));
  macros_.events.clear();
  world_->macros_stopped = true;
  Receive(":op!u@h MODE #c +o x\nPING :x");
  EXPECT_TRUE(macros_.events.empty());
}

TEST_F(SessionTest, UserDisconnectStopsReconnectionAndDelayedConnect) {
  LogIn();
  unit_->ConnectAfter(5);
  unit_->Disconnect(true, false);
  EXPECT_TRUE(Contains(unit_->Log(), Sjis("切断しました")));
  Tick(60);
  EXPECT_EQ(unit_->State(), TUnitState::Idle);
  EXPECT_EQ(server_.Accepted(), 1);
}

TEST_F(SessionTest, QuitToAServerThatNeverClosesClosesAfterTheGraceTicks) {
  LogIn();
  unit_->SendQuit("bye");
  EXPECT_TRUE(server_.WaitFor("QUIT :bye\r\n"));
  Tick(TUnit::kQuitCountdown);
  EXPECT_EQ(unit_->State(), TUnitState::LoggedIn);
  Tick();
  EXPECT_EQ(unit_->State(), TUnitState::Idle);
  EXPECT_FALSE(unit_->AutoReconnect());
  Tick(60);
  EXPECT_EQ(server_.Accepted(), 1);
}

TEST_F(SessionTest, LoginTimeoutDisconnects) {
  prefs_.RetryOnHaltTime = 3;
  Start();
  Tick(2);
  EXPECT_EQ(unit_->State(), TUnitState::Connected);
  Tick();
  EXPECT_EQ(unit_->State(), TUnitState::Idle);
  EXPECT_TRUE(Contains(unit_->Log(), Sjis("時間切れのため切断しました")));
}

}  // namespace
}  // namespace zeph
