// Channel replies on the wire: the member list that NAMES and WHO fill,
// what a channel we create gets, modes and topics, refusals and retries.
#include <gtest/gtest.h>

#include "numeric_test_fixture.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

using Lines = std::vector<std::string>;

class ChannelRepliesTest : public test::NumericTest {
 protected:
  void SetUp() override {
    TChannelConfig c = NewChannelConfig("#c", false);
    c.mode = "+nt";
    c.topic = "hello";
    TChannelConfig plus = NewChannelConfig("+p", false);
    plus.mode = "+t";
    plus.topic = "hi";
    config_.channels = {c, plus};
    prefs_.WhoTiming = 0;
    prefs_.EnableAutoOpDelay = false;
    LogIn();
    Sent();
  }
  TChannel& C() { return *unit_->FindChannel("#c"); }
  // Our JOIN and the NAMES answer.
  void Join(const std::string& channel, const std::string& names) {
    Receive(":me!u@me.host JOIN :" + channel + "\n:irc.test 353 me = " + channel + " :" + names +
            "\n:irc.test 366 me " + channel + " :End of NAMES list");
  }
};

TEST_F(ChannelRepliesTest, AChannelWeCreateGetsItsModeThenItsTopic) {
  Join("#c", "@me");
  EXPECT_TRUE(SentIs({"MODE #c +nt", "TOPIC #c :hello"}));
  EXPECT_TRUE(C().IsOperator());
  EXPECT_TRUE(C().NamesComplete());
  EXPECT_TRUE(C().WhoComplete());  // nobody to ask about
  const TMember* self = C().Members().FindMember("me");
  ASSERT_NE(self, nullptr);
  EXPECT_EQ(self->host, "me.host");  // the JOIN's address survives NAMES
  EXPECT_TRUE(self->is_operator);
}

TEST_F(ChannelRepliesTest, APlusChannelGetsNeitherModeNorTopic) {
  Join("+p", "@me");
  EXPECT_TRUE(Sent().empty());
}

TEST_F(ChannelRepliesTest, AloneWithoutOperatorAsksForTheModesAndStillSetsTheTopic) {
  Join("#c", "me");
  EXPECT_TRUE(SentIs({"MODE #c", "TOPIC #c :hello"}));
  EXPECT_FALSE(C().IsOperator());
}

TEST_F(ChannelRepliesTest, NamesAndWhoFillTheMemberList) {
  Join("#c", "@me bob +carol @+dave");
  EXPECT_TRUE(SentIs({"MODE #c", "WHO #c"}));
  EXPECT_EQ(C().Members().MemberCount(), 4);
  EXPECT_TRUE(C().Members().FindMember("carol")->has_voice);
  // Only the first mark counts; the second stays in the name.
  ASSERT_NE(C().Members().FindMember("+dave"), nullptr);
  EXPECT_TRUE(C().Members().FindMember("+dave")->is_operator);
  EXPECT_TRUE(Contains(C().Log(), "*names : @me bob +carol @+dave"));
  EXPECT_FALSE(C().WhoComplete());

  size_t lines = C().Log().Count();
  Receive(":irc.test 352 me #c ~b b.example irc.test bob G@ :2 Bob Builder\n"
          ":irc.test 352 me #c ~c c.example irc.test carol H :0 Carol");
  EXPECT_EQ(C().Log().Count(), lines);  // nothing printed
  const TMember* bob = C().Members().FindMember("bob");
  EXPECT_EQ(bob->user, "~b");
  EXPECT_EQ(bob->host, "b.example");
  EXPECT_EQ(bob->info1, "irc.test");
  EXPECT_EQ(bob->info2, "Bob Builder");
  EXPECT_TRUE(bob->is_operator);
  EXPECT_FALSE(C().Members().FindMember("carol")->has_voice);

  Receive(":irc.test 315 me #c :End of WHO list");
  EXPECT_TRUE(C().WhoComplete());
  EXPECT_EQ(LastBody(C().Log()), Sjis("メンバ情報を取得しました"));
  // The end of every later WHO list is shown as well.
  size_t shown = C().Log().Count();
  Receive(":irc.test 315 me #c :End of WHO list");
  EXPECT_EQ(C().Log().Count(), shown + 1);
  EXPECT_EQ(LastBody(C().Log()), Sjis("メンバ情報を取得しました"));
  // A later WHO of the user is printed, not taken.
  Receive(":irc.test 352 me #c ~x x.example irc.test bob H :0 Someone Else");
  EXPECT_EQ(C().Members().FindMember("bob")->host, "b.example");
  EXPECT_TRUE(Contains(unit_->Log(), "*who #c : bob (~x@x.example) Someone Else [H] irc.test hop=0"));
}

TEST_F(ChannelRepliesTest, TheEndOfWhoGivesOperatorToAutoOpUsers) {
  world_->auto_op_masks = {"carol!*@c.example"};
  Join("#c", "@me carol");
  ASSERT_TRUE(SentIs({"MODE #c", "WHO #c"}));
  Receive(":irc.test 352 me #c ~c c.example irc.test carol H :0 Carol\n:irc.test 315 me #c :End of WHO list");
  EXPECT_TRUE(SentIs({"MODE #c +o carol"}));
}

TEST_F(ChannelRepliesTest, WhoTimingDecidesWhenMembersAreAskedFor) {
  prefs_.WhoTiming = 1;
  Join("#c", "me bob");
  EXPECT_TRUE(SentIs({"MODE #c", "WHO #c"}));  // the queue sends at once when idle
  EXPECT_EQ(unit_->WhoQueue().Wait(), 3);  // two members: 2 / 60 + 3

  prefs_.WhoTiming = 3;
  Receive(":me!u@h PART #c\n");
  Join("#c", "me bob");
  EXPECT_TRUE(SentIs({"MODE #c"}));
}

TEST_F(ChannelRepliesTest, AnAnonymousChannelKeepsItsWhoRepliesOutOfTheMemberList) {
  Join("#c", "me bob");
  Receive(":irc.test 324 me #c +an");
  EXPECT_TRUE(C().Mode().a);
  Receive(":irc.test 352 me #c ~b b.example irc.test bob H :0 Bob");
  EXPECT_EQ(C().Members().FindMember("bob")->host, "");
  EXPECT_TRUE(Contains(unit_->Log(), "*who #c : bob"));
}

TEST_F(ChannelRepliesTest, ModeAndTopicRepliesUpdateAJoinedChannel) {
  Join("#c", "me bob");
  Receive(":irc.test 324 me #c +ntk secret\n:irc.test 332 me #c :the topic\n"
          ":irc.test 329 me #c 0\n:irc.test 333 me #c bob 0");
  EXPECT_TRUE(C().Mode().n);
  EXPECT_TRUE(C().Mode().t);
  EXPECT_EQ(C().Mode().key, "secret");
  EXPECT_EQ(C().Topic(), "the topic");
  EXPECT_TRUE(Contains(C().Log(), "*mode +ntk secret"));
  EXPECT_TRUE(Contains(C().Log(), "*topic : the topic"));
  EXPECT_TRUE(Contains(C().Log(), "*created at "));
  EXPECT_TRUE(Contains(C().Log(), "*bob set the topic at "));
  EXPECT_FALSE(Contains(unit_->Log(), "*topic : the topic"));

  // "+" alone changes and prints nothing; the record is replaced, not merged.
  Receive(":irc.test 324 me #c +\n:irc.test 324 me #c +m\n:irc.test 331 me #c :No topic is set");
  EXPECT_TRUE(C().Mode().m);
  EXPECT_FALSE(C().Mode().n);
  EXPECT_EQ(C().Mode().key, "");
  EXPECT_EQ(C().Topic(), "");
}

TEST_F(ChannelRepliesTest, RepliesAboutAChannelWeLeftGoToTheUnitLog) {
  Join("#c", "me bob");
  Receive(":me!u@h PART #c\n:irc.test 332 me #c :elsewhere\n:irc.test 353 me = #c :x y\n:irc.test 366 me #c :End");
  EXPECT_EQ(C().Topic(), "");
  EXPECT_EQ(C().Members().MemberCount(), 0);
  EXPECT_TRUE(Contains(unit_->Log(), "*topic : elsewhere"));
  EXPECT_TRUE(Contains(unit_->Log(), "*names : x y"));
}

TEST_F(ChannelRepliesTest, LosingTheLastOtherMemberRecreatesTheChannelWithItsSettings) {
  Join("#c", "me bob");
  Receive(":irc.test 324 me #c +k key\n:irc.test 332 me #c :old topic");
  ASSERT_TRUE(SentIs({"MODE #c", "WHO #c"}));
  Receive(":bob!b@h PART #c :bye");
  EXPECT_TRUE(SentIs({"PART #c :Leaving...", "JOIN #c key", "TOPIC #c :old topic"}));
  Receive(":me!u@h PART #c\n");
  Join("#c", "@me");
  Tick(10);  // the flood budget lets MODE and TOPIC go
  EXPECT_TRUE(SentIs({"MODE #c +nt", "TOPIC #c :hello"}));
}

TEST_F(ChannelRepliesTest, NoRecoveryBeforeTheMemberListIsComplete) {
  Receive(":me!u@h JOIN :#c\n:irc.test 353 me = #c :me bob");
  Sent();
  Receive(":bob!b@h PART #c :bye");
  EXPECT_TRUE(Sent().empty());
}

TEST_F(ChannelRepliesTest, RefusedChannelsAreRetriedEvery437IntervalUntilTheCountIsUsedUp) {
  prefs_.Error437RejoinInterval = 30;
  prefs_.Error437RejoinCount = 1;
  unit_->SendJoin("#busy", "key");
  EXPECT_TRUE(SentIs({"JOIN #busy key"}));
  Receive(":irc.test 437 me #busy :Nick/channel is temporarily unavailable");
  EXPECT_TRUE(Contains(unit_->Log(), "*Error(437) #busy Nick/channel is temporarily unavailable"));
  Tick(29);
  EXPECT_TRUE(Sent().empty());
  Tick();
  EXPECT_TRUE(SentIs({"JOIN #busy key"}));
  // Refused more often than Error437RejoinCount: given up.
  Receive(":irc.test 437 me #busy :unavailable");
  Tick(60);
  EXPECT_TRUE(Sent().empty());
}

TEST_F(ChannelRepliesTest, AFinalRefusalDropsTheKeyOfAQueuedRetry) {
  prefs_.Error437RejoinInterval = 30;
  unit_->SendJoin("#busy", "key");
  ASSERT_TRUE(SentIs({"JOIN #busy key"}));
  Receive(":irc.test 437 me #busy :unavailable\n:irc.test 474 me #busy :Cannot join channel (+b)");
  Tick(30);
  EXPECT_TRUE(SentIs({"JOIN #busy"}));
}

TEST_F(ChannelRepliesTest, A437ForAChannelIsNotRetriedWhenSwitchedOff) {
  prefs_.RejoinOnError437 = false;
  prefs_.Error437RejoinInterval = 5;
  unit_->SendJoin("#busy", "");
  ASSERT_TRUE(SentIs({"JOIN #busy"}));
  Receive(":irc.test 437 me #busy :unavailable");
  Tick(10);
  EXPECT_TRUE(Sent().empty());
}

TEST_F(ChannelRepliesTest, ASafeChannelThatDoesNotExistIsCreated) {
  unit_->SendJoin("!chan", "");
  EXPECT_TRUE(SentIs({"JOIN !chan"}));
  size_t lines = unit_->Log().Count();
  Receive(":irc.test 403 me !chan :No such channel");
  EXPECT_TRUE(SentIs({"JOIN !!chan"}));
  EXPECT_EQ(unit_->Log().Count(), lines);
  // Asked once: a second 403 is an ordinary error.
  Receive(":irc.test 403 me !chan :No such channel");
  EXPECT_TRUE(Sent().empty());
  EXPECT_TRUE(Contains(unit_->Log(), "*Error(403) !chan No such channel"));

  // A refusal removes the name from the request set.
  unit_->SendJoin("!other", "");
  Receive(":irc.test 471 me !other :Cannot join channel (+l)\n:irc.test 403 me !other :No such channel");
  EXPECT_TRUE(SentIs({"JOIN !other"}));
}

}  // namespace
}  // namespace zeph
