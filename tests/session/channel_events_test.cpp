// JOIN, PART, QUIT, NICK, MODE, TOPIC, INVITE and KICK keep the channels
// and member lists in step with the server.
#include <gtest/gtest.h>

#include "platform/sjis.h"
#include "support/session_fixture.h"

namespace zeph {
namespace {

using test::SessionTest;
using Lines = std::vector<std::string>;

class ChannelEventsTest : public SessionTest {
 protected:
  void SetUp() override {
    config_.channels = {NewChannelConfig("#c", false), NewChannelConfig("%jp", false),
                        NewChannelConfig("!chan", false)};
    LogIn();
    Receive(":me!u@h JOIN :#c");
    Sent();
  }
  TChannel& C() { return *unit_->FindChannel("#c"); }
};

TEST_F(ChannelEventsTest, JoinAddsMembersAndTheBelFormMakesOperators) {
  Receive(":a!ua@ha JOIN :#c");
  ASSERT_NE(C().Members().FindMember("a"), nullptr);
  EXPECT_FALSE(C().Members().FindMember("a")->is_operator);
  Receive(":a!ua@ha JOIN :#c\x07o");
  EXPECT_EQ(C().Members().MemberCount(), 2);
  EXPECT_TRUE(C().Members().FindMember("a")->is_operator);
  EXPECT_TRUE(Contains(C().Log(), "*a join #c (ua@ha)"));
}

TEST_F(ChannelEventsTest, OwnJoinOfAnUnknownChannelCreatesAndSavesIt) {
  int saves = 0;
  std::vector<std::string> stored;
  world_->save_tree = [&](const TWorldConfig& tree) {
    ++saves;
    stored.clear();
    for (const TChannelConfig& c : tree.units.front().channels) stored.push_back(c.name);
    return true;
  };
  Receive(":me!u@h JOIN :#new\n:me!u@h JOIN :#new2\n:me!u@h JOIN :#bad,name");
  TChannel* created = unit_->FindChannel("#new");
  ASSERT_NE(created, nullptr);
  EXPECT_TRUE(created->IsJoined());
  EXPECT_FALSE(created->AutoJoin());
  EXPECT_TRUE(Contains(created->Log(), Sjis("チャンネルに入りました")));
  EXPECT_EQ(saves, 0);
  Tick();
  EXPECT_EQ(saves, 1);  // once per tick, however many joins
  Tick();
  EXPECT_EQ(saves, 1);
  // A name holding a comma makes no target: shown, never stored or acted on.
  EXPECT_EQ(unit_->FindChannel("#bad,name"), nullptr);
  EXPECT_EQ(stored, (std::vector<std::string>{"#c", "%jp", "!chan", "#new", "#new2"}));
}

TEST_F(ChannelEventsTest, ASaveAskedForJustBeforeExitIsMadeAtShutdown) {
  std::vector<std::string> stored;
  world_->save_tree = [&](const TWorldConfig& tree) {
    for (const TChannelConfig& c : tree.units.front().channels) stored.push_back(c.name);
    return true;
  };
  Receive(":me!u@h JOIN :#new");
  world_->ShutdownAll(false);
  EXPECT_EQ(stored, (std::vector<std::string>{"#c", "%jp", "!chan", "#new"}));
  Tick();
  EXPECT_EQ(stored.size(), 4u);  // made once
}

TEST_F(ChannelEventsTest, ShortAndSafeNamesAreFoundByTheirServerForm) {
  Receive(":me!u@h JOIN :#jp:*.jp\n:me!u@h JOIN :!XYZ12chan");
  EXPECT_TRUE(unit_->FindChannel("%jp")->IsJoined());
  TChannel* safe = unit_->FindChannel("!chan");
  EXPECT_TRUE(safe->IsJoined());
  EXPECT_EQ(safe->WireName(), "!XYZ12chan");
  Receive(":me!u@h PART !XYZ12chan :bye");
  EXPECT_FALSE(safe->IsJoined());
  EXPECT_EQ(safe->WireName(), "");
  EXPECT_TRUE(Contains(safe->Log(), Sjis("チャンネルを出ました")));
}

// Look-ups follow a talk renamed by a NICK, a closed target, and a change
// of the wire encoding that makes other names one on the server.
TEST_F(ChannelEventsTest, LookUpsFollowRenamesClosesAndTheEncoding) {
  TChannel* talk = world_->CreateTarget(*unit_, NewChannelConfig("bob", false), TTargetKind::Talk, false);
  ASSERT_NE(talk, nullptr);
  TNodeId id = talk->Id();
  Receive(":bob!u@h NICK :robert");
  EXPECT_EQ(unit_->FindChannel("ROBERT"), talk);
  EXPECT_EQ(unit_->FindByWireName("robert"), talk);
  EXPECT_EQ(unit_->FindChannel("bob"), nullptr);
  world_->CloseTarget(*unit_, *talk);
  EXPECT_EQ(unit_->FindChannel("robert"), nullptr);
  EXPECT_EQ(unit_->FindById(id), nullptr);

  const std::string half_width = "\xb1\xb2";  // ｱｲ
  TChannel* kana = world_->CreateTarget(*unit_, NewChannelConfig(half_width, false), TTargetKind::Talk, false);
  prefs_.KanaEncodingMethod = 0;  // sent as full-width: the same name as アイ
  EXPECT_EQ(unit_->FindChannel(Sjis("アイ")), kana);
  prefs_.KanaEncodingMethod = 1;  // sent as 8-bit kana: another name
  EXPECT_EQ(unit_->FindChannel(Sjis("アイ")), nullptr);
  EXPECT_EQ(unit_->FindChannel(half_width), kana);
}

TEST_F(ChannelEventsTest, NickChangeInTwoChannelsPrintsOnceEachAndOnceInTheConsole) {
  Receive(":me!u@h JOIN :#jp:*.jp\n:a!u@h JOIN :#c\n:a!u@h JOIN :#jp:*.jp\n:a!u@h NICK :b");
  EXPECT_TRUE(C().Members().FindMember("b"));
  EXPECT_FALSE(C().Members().FindMember("a"));
  EXPECT_TRUE(Contains(C().Log(), "*nick a"));
  EXPECT_TRUE(Contains(unit_->FindChannel("%jp")->Log(), "*nick a"));
  int console = 0;
  for (const std::string& t : Texts(world_->Console())) console += t.find("*nick a") != std::string::npos;
  EXPECT_EQ(console, 1);
}

TEST_F(ChannelEventsTest, QuitOfAStrangerShowsOnlyInTheConsole) {
  Receive(":x!u@h QUIT :gone");
  EXPECT_FALSE(Contains(C().Log(), "*x quit"));
  EXPECT_TRUE(Contains(world_->Console(), "*x quit (gone)"));
}

TEST_F(ChannelEventsTest, ModeChangesFlagsMembersAndOurOperatorStatus) {
  Receive(":other!u@h JOIN :#c\n:srv MODE #c +o-o me other\n:srv MODE #c +ntk secret");
  EXPECT_TRUE(C().IsOperator());
  EXPECT_FALSE(C().Members().FindMember("other")->is_operator);
  EXPECT_TRUE(C().Mode().n);
  EXPECT_EQ(C().Mode().key, "secret");
  Receive(":srv MODE me :+i");
  EXPECT_TRUE(unit_->UserMode().i);
  EXPECT_TRUE(Contains(unit_->Log(), "*me mode +i"));
}

TEST_F(ChannelEventsTest, TopicAndInvite) {
  prefs_.InviteAction = 2;
  Receive(":a!u@h TOPIC #c :new topic\n:a!u@h INVITE me :#other\n:a!u@h INVITE me :#x,0");
  EXPECT_EQ(C().Topic(), "new topic");
  EXPECT_TRUE(Contains(C().Log(), "*a topic : new topic"));
  EXPECT_TRUE(Contains(unit_->Log(), "*a invite you to #other"));
  EXPECT_TRUE(Contains(unit_->Log(), "*a invite you to #x,0"));
  // An invitation naming more than one channel is shown, never joined.
  EXPECT_EQ(Sent(), Lines{"JOIN #other"});
}

// Activating an invitation line joins what it names: only a single valid
// channel name may be joined that way ("#a,0" would leave every channel).
TEST_F(ChannelEventsTest, OnlyAnInvitationToOneChannelCarriesAJoinLink) {
  for (const char* hostile : {"0", ":#x", "#a b", "#a,0", "#a\x07", ""}) {
    Receive(std::string(":a!u@h INVITE me :") + hostile);
    const TLineStore& log = unit_->Log();
    EXPECT_TRUE(log.At(log.Count() - 1).link_key.IsEmpty()) << hostile;
  }
  Receive(":a!u@h INVITE me :#other");
  const TLogLine& line = unit_->Log().At(unit_->Log().Count() - 1);
  EXPECT_EQ(line.link_key, TLinkKey::ForInvite(unit_->Id(), "#other"));
  Sent();
  world_->OnLogLineAction(line.link_key);
  EXPECT_EQ(Sent(), Lines{"JOIN #other"});
}

TEST_F(ChannelEventsTest, KickOfUsRejoinsWithTheKeyItHad) {
  prefs_.RejoinOnKick = true;
  Receive(":srv MODE #c +k sesame\n:op!u@h KICK #c me :out");
  EXPECT_FALSE(C().IsJoined());
  EXPECT_TRUE(Contains(C().Log(), Sjis("チャンネルを追い出されました")));
  EXPECT_EQ(Sent(), Lines{"JOIN #c sesame"});
  Receive(":me!u@h JOIN :#c\n:op!u@h KICK #c me :again");
  EXPECT_EQ(Sent(), Lines{"JOIN #c"});
}

TEST_F(ChannelEventsTest, EventsForUnknownChannelsGoToTheUnitLog) {
  Receive(":a!u@h PART #elsewhere :x\n:a!u@h KICK #elsewhere b :y");
  EXPECT_TRUE(Contains(unit_->Log(), "*a part (x)"));
  EXPECT_TRUE(Contains(unit_->Log(), "*a kick b (y)"));
}

}  // namespace
}  // namespace zeph
