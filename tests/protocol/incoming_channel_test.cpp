// Ordinary messages to channels and to the unit log: the lines with the
// default formats, the keyword flag, unread marks, what the message tells
// of its sender, server notices and the ignore list.
#include <gtest/gtest.h>

#include "platform/sjis.h"
#include "protocol/incoming_fixture.h"

namespace zeph {
namespace {

using Lines = std::vector<std::string>;

class IncomingChannelTest : public test::IncomingTest {
 protected:
  void SetUp() override {
    config_.channels = {NewChannelConfig("#c", false), NewChannelConfig("%jp", false)};
    prefs_.like_keywords = {"tea"};
    prefs_.EnableChannelMessageSound = true;
    prefs_.ChannelMessageSoundFile = "channel.wav";
    prefs_.EnableKeywordSound = true;
    LogIn();
    Receive(":me!u@h JOIN :#c\n:me!u@h JOIN :#jp:*.jp\n:a!ua@ha JOIN :#c");
    Sent();
    macros_.events.clear();
    C().ClearMarks();
  }
  TChannel& C() { return *unit_->FindChannel("#c"); }
  std::string ChannelLine(const std::string& body) const { return kTimePiece + body; }
  std::string LastLine(const TChannel& channel) const {
    return channel.Log().At(channel.Log().Count() - 1).text;
  }
  bool KeywordEventRaised() const {
    for (const std::string& event : macros_.events) {
      if (event.rfind("KEYWORD ", 0) == 0) return true;
    }
    return false;
  }
};

TEST_F(IncomingChannelTest, AChannelMessageReachesTheChannelLogAndReportsItsKeyword) {
  Receive(":a!ua@ha PRIVMSG #c :hello 100%s");
  EXPECT_EQ(LastLine(C()), ChannelLine("(a) hello 100%s"));
  EXPECT_FALSE(KeywordEventRaised());
  EXPECT_EQ(view_.sounds, (Lines{"channel.wav"}));

  Receive(":a!ua@ha PRIVMSG #c :some tea?");
  EXPECT_EQ(LastLine(C()), ChannelLine("(a) some tea?"));
  EXPECT_TRUE(KeywordEventRaised());
  EXPECT_TRUE(C().KeywordMark());
  // The keyword sound replaces the message sound.
  EXPECT_EQ(view_.sounds.size(), 2u);
  EXPECT_NE(view_.sounds.back(), "channel.wav");
}

TEST_F(IncomingChannelTest, AKeywordMarksTheSelectedChannelToo) {
  world_->Select(unit_, &C());
  Receive(":a!ua@ha PRIVMSG #c :some tea?");
  EXPECT_TRUE(C().KeywordMark());
}

TEST_F(IncomingChannelTest, TheShortAndTheServerFormOfAChannelAreOne) {
  Receive(":a!ua@ha PRIVMSG #jp:*.jp :konnichiwa");
  EXPECT_TRUE(Contains(unit_->FindChannel("%jp")->Log(), "(a) konnichiwa"));
}

TEST_F(IncomingChannelTest, ActionIsShownLikeAMessage) {
  Receive(":a!ua@ha PRIVMSG #c :\x01""ACTION has tea\x01");
  EXPECT_EQ(LastLine(C()), ChannelLine("(a) has tea"));
  EXPECT_TRUE(KeywordEventRaised());
}

TEST_F(IncomingChannelTest, NoticesMarkNothingUnreadAndFindNoKeywordWithIgnoreNotice) {
  Receive(":a!ua@ha NOTICE #c :tea time");
  EXPECT_EQ(LastLine(C()), ChannelLine("(a) tea time"));
  EXPECT_FALSE(C().UpdateMark());
  EXPECT_FALSE(KeywordEventRaised());

  Receive(":a!ua@ha PRIVMSG #c :hi");
  EXPECT_TRUE(C().UpdateMark());
}

TEST_F(IncomingChannelTest, KeywordsFollowTheSendersGroup) {
  prefs_.groups[1].masks = {"g2!*@*"};
  prefs_.self_masks = {"*!*@my.other.host"};
  prefs_.EnableGroup2 = false;
  struct Case {
    std::string prefix;
    bool keyword;
  };
  const Case cases[] = {
      {"g2!u@h", false},                // group 2 is switched off
      {"ME!u@h", false},                // our own nick, in any case
      {"twin!u@my.other.host", false},  // a Self mask
      {"a!ua@ha", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.prefix);
    macros_.events.clear();
    Receive(":" + c.prefix + " PRIVMSG #c :tea");
    EXPECT_EQ(KeywordEventRaised(), c.keyword);
  }
  prefs_.EnableNormal = false;
  macros_.events.clear();
  Receive(":a!ua@ha PRIVMSG #c :tea");
  EXPECT_FALSE(KeywordEventRaised());
}

TEST_F(IncomingChannelTest, ASelfMaskAloneRecognisesTheUser) {
  prefs_.self_masks = {"*!*@my.other.host"};
  Receive(":twin!u@my.other.host PRIVMSG #c :tea");
  EXPECT_FALSE(KeywordEventRaised());
}

TEST_F(IncomingChannelTest, ANoticeFindsKeywordsWhenNoticesAreNotIgnored) {
  prefs_.IgnoreNotice = false;
  Receive(":a!ua@ha NOTICE #c :tea");
  EXPECT_TRUE(KeywordEventRaised());
}

TEST_F(IncomingChannelTest, AMessageTellsTheSendersAddressAndRunsTheAutoOpCheck) {
  prefs_.EnableAutoOpDelay = false;
  world_->auto_op_masks = {"b!*@b.host"};
  C().SetOperator(true);
  C().AddMember(TMember{"b"}, false);  // from a NAMES reply: no address yet
  Receive(":b!ub@b.host PRIVMSG #c :hi");
  EXPECT_EQ(C().Members().FindMember("b")->host, "b.host");
  EXPECT_EQ(Sent(), (Lines{"MODE #c +o b"}));
  Receive(":b!ub@b.host PRIVMSG #c :again");  // nothing new learnt: no second check
  EXPECT_EQ(Sent(), Lines{});
}

TEST_F(IncomingChannelTest, AMessageForAnUnknownChannelGoesToTheUnitLog) {
  Receive(":a!ua@ha PRIVMSG #other :hi there");
  EXPECT_EQ(LastUnitLine(), UnitLine("<#other> (a) hi there"));
  EXPECT_EQ(unit_->FindChannel("#other"), nullptr);
}

TEST_F(IncomingChannelTest, ServerNotices) {
  struct Case {
    std::string line;
    std::string shown;
  };
  const Case cases[] = {
      {"NOTICE AUTH :*** Looking up your hostname", "AUTH *** Looking up your hostname"},
      {"NOTICE :just text", "just text"},
      {":irc.test NOTICE * :*** Checking", "* *** Checking"},
      {":irc.test NOTICE me :server says", "<me> (irc.test) server says"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    Receive(c.line);
    EXPECT_EQ(LastUnitLine(), UnitLine(c.shown));
  }
  EXPECT_EQ(unit_->Channels().size(), 2u);  // no talk with a server
}

TEST_F(IncomingChannelTest, AnIgnoredUsersMessagesAreDroppedButHisQueriesAnswered) {
  world_->ignore_masks = {"*!*@HA"};
  size_t lines = C().Log().Count();
  Receive(":a!ua@ha PRIVMSG #c :tea\n:a!ua@ha PRIVMSG #c :\x01""ACTION tea\x01\n:a!ua@ha NOTICE #c :tea");
  Receive(":a!ua@ha PRIVMSG me :psst");
  EXPECT_EQ(C().Log().Count(), lines);
  EXPECT_EQ(unit_->FindChannel("a"), nullptr);
  EXPECT_TRUE(view_.sounds.empty());
  EXPECT_FALSE(KeywordEventRaised());
  Receive(":a!ua@ha PRIVMSG #c :\x01VERSION\x01");
  EXPECT_EQ(Sent().size(), 1u);
}

TEST_F(IncomingChannelTest, NoSoundWhileAwayWithMuteOnAway) {
  unit_->SetAway(true);
  Receive(":a!ua@ha PRIVMSG #c :hi");
  EXPECT_TRUE(view_.sounds.empty());
  prefs_.MuteOnAway = false;
  Receive(":a!ua@ha PRIVMSG #c :hi");
  EXPECT_EQ(view_.sounds, (Lines{"channel.wav"}));
}

TEST_F(IncomingChannelTest, TheBalloonAndTheTitleFlash) {
  prefs_.EnableBaloon = true;
  prefs_.FlashTitleOnUpdate = true;
  Receive(":a!ua@ha PRIVMSG #c :in front");
  EXPECT_TRUE(view_.balloons.empty());  // the program is in the foreground
  EXPECT_EQ(view_.flashes, 0);

  view_.background = true;
  Receive(":a!ua@ha PRIVMSG #c :behind");
  EXPECT_EQ(view_.balloons, (Lines{"<#c> a|behind"}));
  EXPECT_EQ(view_.flashes, 1);
  Receive(":a!ua@ha NOTICE #c :a notice");  // balloon, but nothing unread
  EXPECT_EQ(view_.balloons.size(), 2u);
  EXPECT_EQ(view_.flashes, 1);

  C().SetConsoleSwitch(false);  // the balloon follows the console copy
  Receive(":a!ua@ha PRIVMSG #c :quiet");
  EXPECT_EQ(view_.balloons.size(), 2u);
  prefs_.BalloonFollowsAllLog = false;
  Receive(":a!ua@ha PRIVMSG #c :loud");
  EXPECT_EQ(view_.balloons.size(), 3u);
}

}  // namespace
}  // namespace zeph
