// Units against a real IRC server: registration, auto-join, topics in
// ISO-2022-JP and UTF-8, nick changes, modes, kicks, parts and quits.
#include <gtest/gtest.h>

#include "platform/sjis.h"
#include "support/ngircd_world.h"

namespace zeph {
namespace {

class SessionNgircdTest : public test::NgircdWorldTest {
 protected:
  void SetUp() override {
    prefs_.WhoTiming = 3;
    StartUnits({Entry("alice", kEncodingUtf8), Entry("bob", kEncodingIso2022Jp), Entry("carol", kEncodingIso2022Jp)});
  }
  TServerConfig Entry(const std::string& nick, int encoding) const {
    TServerConfig config = NgircdWorldTest::Entry(nick);
    config.encoding = encoding;
    return config;
  }
};

TEST_F(SessionNgircdTest, TopicsCrossTheServerInBothEncodings) {
  // UTF-8 out and back in.
  Unit("alice").SendTopic("#room", Sjis("日本語の話題〜"));
  ASSERT_TRUE(RunUntil([&] { return !Room("alice").Topic().empty(); }));
  EXPECT_EQ(Room("alice").Topic(), Sjis("日本語の話題〜"));

  // ISO-2022-JP from one unit to another; half-width kana go out as
  // full-width with the default kana policy.
  Unit("bob").SendTopic("#room", Sjis("ｶﾀｶﾅと漢字"));
  ASSERT_TRUE(RunUntil([&] { return Room("carol").Topic() == Sjis("カタカナと漢字"); }));
}

TEST_F(SessionNgircdTest, NickModeKickPartAndQuitKeepTheModelInStep) {
  TChannel& alice_room = Room("alice");
  ASSERT_TRUE(RunUntil([&] { return alice_room.Members().MemberCount() == 3; }));

  Unit("bob").SendNick("bobby", false);
  ASSERT_TRUE(RunUntil([&] { return alice_room.Members().FindMember("bobby") != nullptr; }));
  EXPECT_EQ(Unit("bob").Nick(), "bobby");
  EXPECT_EQ(alice_room.Members().FindMember("bob"), nullptr);

  Unit("alice").SendMode("#room", "+o bobby");
  ASSERT_TRUE(RunUntil([&] { return Room("bob").IsOperator(); }));
  EXPECT_TRUE(alice_room.Members().FindMember("bobby")->is_operator);

  Unit("carol").SendPart("#room", "later");
  ASSERT_TRUE(RunUntil([&] { return alice_room.Members().MemberCount() == 2; }));
  EXPECT_FALSE(Room("carol").IsJoined());
  Unit("carol").SendJoin("#room", "");
  ASSERT_TRUE(RunUntil([&] { return alice_room.Members().MemberCount() == 3 && Room("carol").IsJoined(); }));

  // The replies to the NAMES of the rejoin used the flood budget; the
  // seconds that give it back pass.
  loop_.Advance(20000);
  Unit("alice").SendKick("#room", "carol", "bye", 2);
  ASSERT_TRUE(RunUntil([&] { return !Room("carol").IsJoined(); }));
  EXPECT_EQ(alice_room.Members().FindMember("carol"), nullptr);

  Unit("bob").SendQuit("done");
  ASSERT_TRUE(RunUntil([&] { return Unit("bob").State() == TUnitState::Idle; }));
  ASSERT_TRUE(RunUntil([&] { return alice_room.Members().MemberCount() == 1; }));
  bool seen = false;
  const TLineStore& console = world_->Console();
  for (size_t i = 0; i < console.Count(); ++i) seen |= console.At(i).text.find("*bobby quit (") != std::string::npos;
  EXPECT_TRUE(seen);
}

}  // namespace
}  // namespace zeph
