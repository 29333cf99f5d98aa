// Messages to our own nick: talks opened on demand with their marks and
// sounds, and what RegisterOnTalk, IgnoreNoticeOnTalk and FocusOnTalk do.
#include <gtest/gtest.h>

#include "platform/sjis.h"
#include "protocol/incoming_fixture.h"

namespace zeph {
namespace {

using Lines = std::vector<std::string>;

class IncomingTalkTest : public test::IncomingTest {
 protected:
  void SetUp() override {
    prefs_.EnableTalkSound = true;
    prefs_.TalkSoundFile = "newtalk.wav";
    prefs_.EnableTalkMessageSound = true;
    prefs_.TalkMessageSoundFile = "talk.wav";
    LogIn();
    Sent();
  }
  TChannel* Talk() const { return unit_->FindChannel("bob"); }
};

TEST_F(IncomingTalkTest, APrivateMessageOpensATalk) {
  Receive(":bob!ub@bob.host PRIVMSG me :hello");
  ASSERT_NE(Talk(), nullptr);
  EXPECT_TRUE(Talk()->IsTalk());
  const std::string time = kTimePiece;
  EXPECT_EQ(Texts(Talk()->Log()), (Lines{time + Sjis("トークを開始します"), time + "(bob) hello"}));
  EXPECT_TRUE(Talk()->NewTalkMark());
  EXPECT_TRUE(Talk()->UpdateMark());
  EXPECT_EQ(Talk()->Members().FindMember("bob")->host, "bob.host");
  EXPECT_NE(Talk()->Members().FindMember("me"), nullptr);
  EXPECT_EQ(view_.sounds, (Lines{"newtalk.wav"}));  // the new talk's sound only
  EXPECT_FALSE(world_->IsSelected(*Talk()));

  Receive(":BOB!ub@bob.host PRIVMSG me :again");
  EXPECT_EQ(unit_->Channels().size(), 1u);
  EXPECT_EQ(view_.sounds, (Lines{"newtalk.wav", "talk.wav"}));
}

TEST_F(IncomingTalkTest, AnOpenTalkLearnsItsPartnersAddress) {
  world_->CreateTarget(*unit_, NewChannelConfig("bob", true), TTargetKind::Talk, false);
  Talk()->RemoveMember("bob");
  Receive(":bob!ub@bob.host PRIVMSG me :hi");
  EXPECT_EQ(Talk()->Members().FindMember("bob")->host, "bob.host");
  Receive(":bob!ub@new.host NOTICE me :moved");
  EXPECT_EQ(Talk()->Members().FindMember("bob")->host, "new.host");
  EXPECT_TRUE(Contains(Talk()->Log(), "(bob) moved"));  // notices reach an open talk
}

TEST_F(IncomingTalkTest, APrivateNoticeOpensNoTalkWithIgnoreNoticeOnTalk) {
  Receive(":bob!ub@bob.host NOTICE me :psst");
  EXPECT_EQ(Talk(), nullptr);
  EXPECT_EQ(LastUnitLine(), UnitLine("<me> (bob) psst"));
  Receive(":bob!ub@bob.host PRIVMSG me :hi");
  EXPECT_NE(Talk(), nullptr);

  prefs_.IgnoreNoticeOnTalk = false;
  Receive(":carol!uc@c.host NOTICE me :psst");
  EXPECT_NE(unit_->FindChannel("carol"), nullptr);
}

TEST_F(IncomingTalkTest, WithoutRegisterOnTalkPrivateMessagesStayInTheUnitLog) {
  prefs_.RegisterOnTalk = false;
  Receive(":bob!ub@bob.host PRIVMSG me :hello");
  EXPECT_EQ(Talk(), nullptr);
  EXPECT_EQ(LastUnitLine(), UnitLine("<me> (bob) hello"));
}

TEST_F(IncomingTalkTest, FocusOnTalkSelectsTheNewTalk) {
  prefs_.FocusOnTalk = true;
  Receive(":bob!ub@bob.host PRIVMSG me :hello");
  ASSERT_NE(Talk(), nullptr);
  EXPECT_TRUE(world_->IsSelected(*Talk()));
  EXPECT_FALSE(Talk()->NewTalkMark());  // seen at once
}

TEST_F(IncomingTalkTest, ABalloonNamesTheSender) {
  prefs_.EnableBaloon = true;
  view_.background = true;
  Receive(":bob!ub@bob.host PRIVMSG me :\x01""ACTION waves\x01");
  EXPECT_EQ(view_.balloons, (Lines{"bob|waves"}));
  EXPECT_TRUE(Contains(Talk()->Log(), "(bob) waves"));
}

TEST_F(IncomingTalkTest, ATalkKeywordPlaysTheKeywordSoundInstead) {
  prefs_.like_keywords = {"tea"};
  prefs_.EnableKeywordSound = true;
  prefs_.KeywordSoundFile = "keyword.wav";
  world_->ApplyPreferences();
  Receive(":bob!ub@bob.host PRIVMSG me :hello");
  Receive(":bob!ub@bob.host PRIVMSG me :tea?");
  EXPECT_EQ(view_.sounds, (Lines{"newtalk.wav", "keyword.wav"}));
}

}  // namespace
}  // namespace zeph
