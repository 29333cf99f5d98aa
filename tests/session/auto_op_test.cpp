// Auto-op: masks, the random delay, batches of three on the ticks, and
// getting operator status back by rejoining.
#include <gtest/gtest.h>

#include "support/session_fixture.h"

namespace zeph {
namespace {

using test::SessionTest;
using Lines = std::vector<std::string>;

class AutoOpTest : public SessionTest {
 protected:
  void SetUp() override {
    TChannelConfig c = NewChannelConfig("#c", false);
    c.auto_op_masks = {"friend*!*@*"};
    config_.channels = {c};
    prefs_.AutoOpDelayMin = 5;
    prefs_.AutoOpDelayMax = 10;
    LogIn();
    Receive(":me!u@h JOIN :#c\n:srv MODE #c +o me");
    Sent();
  }
  void Join(const std::string& nick) { Receive(":" + nick + "!u@host JOIN :#c"); }
};

TEST_F(AutoOpTest, SevenQueuedNicksGoOutThreeAPerTickAfterTheDelay) {
  world_->Random = [] { return 0.99; };  // delay 5 + 4
  for (int i = 1; i <= 7; ++i) Join("friend" + std::to_string(i));
  Join("stranger");
  EXPECT_EQ(Sent(), Lines{});
  Tick(9);  // the counter runs down from 9
  EXPECT_EQ(Sent(), Lines{});
  Tick();  // the first tick that finds it below 1
  EXPECT_EQ(Sent(), Lines{"MODE #c +ooo friend1 friend2 friend3"});
  Tick();
  EXPECT_EQ(Sent(), Lines{"MODE #c +ooo friend4 friend5 friend6"});
  EXPECT_EQ(unit_->FindChannel("#c")->AutoOpQueue().nicks.size(), 1u);
  Tick();  // handed to the connection now; the flood budget paces the line
  EXPECT_TRUE(unit_->FindChannel("#c")->AutoOpQueue().nicks.empty());
  Tick(12);
  EXPECT_EQ(Sent(), Lines{"MODE #c +o friend7"});
}

TEST_F(AutoOpTest, WithoutDelayEachNickGoesAtOnceAndLeaversAreSkipped) {
  prefs_.EnableAutoOpDelay = false;
  Join("friend1");
  EXPECT_EQ(Sent(), Lines{"MODE #c +o friend1"});

  prefs_.EnableAutoOpDelay = true;
  Join("friend2");  // queued behind a fresh delay
  Receive(":friend2!u@host PART #c :bye");
  Tick(12);
  EXPECT_EQ(Sent(), Lines{});
}

TEST_F(AutoOpTest, NothingWhileWeAreNotOperator) {
  Receive(":srv MODE #c -o me");
  prefs_.EnableAutoOpDelay = false;
  Join("friend1");
  EXPECT_EQ(Sent(), Lines{});
}

TEST_F(AutoOpTest, RejoinRecoversOperatorStatusWhenLeftAlone) {
  prefs_.RejoinToRecoverOp = true;
  TChannel& c = *unit_->FindChannel("#c");
  c.SetNamesComplete();
  Receive(":srv MODE #c -o me\n:srv MODE #c +k key\n:other!u@h JOIN :#c\n:other!u@h TOPIC #c :old\x02topic");
  Sent();
  Receive(":other!u@h PART #c :bye");
  Tick(10);  // the flood budget lets the three lines out
  EXPECT_EQ(Sent(), (Lines{"PART #c :Leaving...", "JOIN #c key", "TOPIC #c :old\x02topic"}));
}

TEST_F(AutoOpTest, NoRejoinWhileTheMemberListIsIncomplete) {
  prefs_.RejoinToRecoverOp = true;
  Receive(":srv MODE #c -o me\n:other!u@h JOIN :#c");
  ASSERT_FALSE(unit_->FindChannel("#c")->NamesComplete());  // no NAMES came
  Sent();
  Receive(":other!u@h QUIT :bye");
  EXPECT_EQ(Sent(), Lines{});
}

// Left alone without operator status, by every way another user leaves.
class RecoverOperatorTest : public SessionTest {
 protected:
  void SetUp() override {
    prefs_.RejoinToRecoverOp = true;
    prefs_.EnableAutoPong = false;
    LogIn();
  }
  // We and `other` in a channel whose member list is complete.
  void Enter(const std::string& channel) {
    Receive(":me!u@h JOIN :" + channel + "\n:other!o@h JOIN :" + channel);
    unit_->FindChannel(channel)->SetNamesComplete();
  }
};

TEST_F(RecoverOperatorTest, EveryWayOfLeavingUsAloneRejoins) {
  const struct {
    const char* channel;
    const char* leaving;
  } cases[] = {
      {"#part", ":other!o@h PART #part :bye"},
      {"#quit", ":other!o@h QUIT :bye"},
      {"#kick", ":op!x@y KICK #kick other :out"},
      {"#kill", ":op!x@y KILL other :out"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.leaving);
    Enter(c.channel);
    Tick(30);
    Sent();
    Receive(c.leaving);
    Tick(30);
    EXPECT_EQ(Sent(), (Lines{std::string("PART ") + c.channel + " :Leaving...", std::string("JOIN ") + c.channel}));
  }
}

// Channels whose operators a new creation does not bring back: "+"
// channels have none, r keeps the old ones, a hides them; and a talk is no
// channel at all.
TEST_F(RecoverOperatorTest, NoRejoinWhereItCannotHelp) {
  const struct {
    const char* name;
    const char* setup;
    const char* leaving;
  } cases[] = {
      {"plus channel", ":me!u@h JOIN :+plus\n:other!o@h JOIN :+plus", ":other!o@h PART +plus :bye"},
      {"mode r", ":me!u@h JOIN :#r\n:other!o@h JOIN :#r\n:srv MODE #r +r", ":other!o@h PART #r :bye"},
      {"mode a", ":me!u@h JOIN :#a\n:other!o@h JOIN :#a\n:srv MODE #a +a", ":other!o@h PART #a :bye"},
      {"operator", ":me!u@h JOIN :#o\n:other!o@h JOIN :#o\n:srv MODE #o +o me", ":other!o@h PART #o :bye"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Receive(c.setup);
    for (const auto& target : unit_->Channels()) target->SetNamesComplete();
    Tick(30);
    Sent();
    Receive(c.leaving);
    Tick(30);
    EXPECT_EQ(Sent(), Lines{});
  }
  unit_->OpenTalk("bob", "b", "h")->SetNamesComplete();  // a talk knows its two members
  Tick(30);
  Sent();
  Receive(":bob!b@h QUIT :bye");
  Tick(30);
  EXPECT_EQ(Sent(), Lines{});
}

}  // namespace
}  // namespace zeph
