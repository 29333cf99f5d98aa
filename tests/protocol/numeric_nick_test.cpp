// Refused nicks: the retries of each NickPolicy, on the wire.
#include <gtest/gtest.h>

#include "numeric_test_fixture.h"
#include "platform/sjis.h"
#include "protocol/nick_policy.h"

namespace zeph {
namespace {

using Lines = std::vector<std::string>;

class NickPolicyTest : public test::NumericTest {
 protected:
  // Registers with a nick under a policy; the registration lines are
  // consumed.
  void Register(const std::string& nick, int policy) {
    config_.nick = nick;
    prefs_.NickPolicy = policy;
    Start();
    Sent();
  }
  void Refuse(const std::string& nick, int numeric = 433) {
    Receive(":irc.test " + std::to_string(numeric) + " * " + nick + " :Nickname is already in use");
  }
};

TEST_F(NickPolicyTest, UnderscoresReplaceTheTailAtTheLimit) {
  Register("abcdefghi", 0);
  Refuse("abcdefghi");
  EXPECT_TRUE(SentIs({"NICK abcdefgh_"}));
  EXPECT_EQ(unit_->Nick(), "abcdefgh_");
  Refuse("abcdefgh_");
  EXPECT_TRUE(SentIs({"NICK abcdefg__"}));
  EXPECT_EQ(unit_->requested_nick, "abcdefg__");
  Receive(":irc.test 001 abcdefg__ :Welcome");
  EXPECT_TRUE(unit_->IsLoggedIn());
}

TEST_F(NickPolicyTest, OnlyUnderscoresLeftEndsTheRegistration) {
  Register("_________", 0);
  Refuse("_________");
  EXPECT_TRUE(Contains(unit_->Log(), Sjis("使えるニックがありません")));
  EXPECT_EQ(unit_->State(), TUnitState::Idle);
  EXPECT_FALSE(unit_->auto_reconnect);
}

TEST_F(NickPolicyTest, NumbersCountUpOnTheCutNick) {
  Register("abcdefghi", 1);
  Refuse("abcdefghi");
  EXPECT_TRUE(SentIs({"NICK abcdefgh0"}));
  EXPECT_EQ(unit_->requested_nick, "abcdefgh");
  Refuse("abcdefgh0", 436);
  EXPECT_TRUE(SentIs({"NICK abcdefgh1"}));
  EXPECT_EQ(unit_->Nick(), "abcdefgh1");
}

TEST_F(NickPolicyTest, NumbersOnAShortNickAndOnALimitShorterThanTheNumber) {
  Register("me", 1);
  Refuse("me");
  Refuse("me0", 437);
  Refuse("me1");
  EXPECT_TRUE(SentIs({"NICK me0", "NICK me1", "NICK me2"}));

  // A limit of 0 leaves only the number; no cut at a negative length.
  unit_->Config().enable_nick_len = true;
  unit_->Config().nick_len = 0;
  Refuse("me2");
  EXPECT_TRUE(SentIs({"NICK 3"}));
  EXPECT_EQ(unit_->requested_nick, "");
}

TEST_F(NickPolicyTest, PolicyThreeSendsNothing) {
  Register("me", 3);
  Refuse("me");
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(unit_->State(), TUnitState::Connected);
}

TEST_F(NickPolicyTest, ErroneousNickIsCleanedBeforeRegistration) {
  Register("a.b", 0);
  Refuse("a.b", 432);
  EXPECT_TRUE(SentIs({"NICK a_b"}));
  EXPECT_EQ(unit_->Nick(), "a_b");
}

TEST_F(NickPolicyTest, ErroneousNickThatCleaningKeepsFallsThroughToThePolicy) {
  // Too long for the server: cleaning changes nothing, so resending it
  // would loop until the login times out.
  Register("abcdefghijkl", 0);
  Refuse("abcdefghijkl", 432);
  EXPECT_TRUE(SentIs({"NICK abcdefgh_"}));
}

TEST_F(NickPolicyTest, ErroneousNickWhileLoggedInRevertsTheChosenNick) {
  Register("me", 0);
  Receive(":irc.test 001 me :Welcome");
  unit_->SendNick("bad.nick", true);
  EXPECT_EQ(unit_->base_nick, "bad.nick");
  ASSERT_TRUE(SentIs({"NICK bad.nick"}));
  Refuse("bad.nick", 432);
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(unit_->base_nick, "me");
  EXPECT_EQ(unit_->Nick(), "me");
}

TEST_F(NickPolicyTest, NickInUseWhileLoggedInRetriesButKeepsTheOwnNick) {
  Register("me", 0);
  Receive(":irc.test 001 me :Welcome");
  unit_->SendNick("taken", true);
  ASSERT_TRUE(SentIs({"NICK taken"}));
  Refuse("taken");
  EXPECT_TRUE(SentIs({"NICK taken_"}));
  EXPECT_EQ(unit_->Nick(), "me");
}

TEST_F(NickPolicyTest, AskingShowsOneQuestionAndAppliesTheAnswer) {
  prefs_.nick_list = {"one", "two"};
  Register("me", 2);
  Refuse("me");
  Refuse("me");
  EXPECT_EQ(host_.nick_questions, 1);
  EXPECT_EQ(host_.question.nick_list, (Lines{"one", "two"}));
  EXPECT_EQ(host_.question.nick, "me");
  EXPECT_TRUE(Sent().empty());

  TNickAnswer answer;
  answer.ok = true;
  answer.nick = "two";
  answer.nick_list = {"two", "three"};
  answer.away = true;
  host_.answer(answer);
  EXPECT_TRUE(SentIs({"NICK two", "AWAY :Gone"}));
  EXPECT_EQ(prefs_.nick_list, (Lines{"two", "three"}));
  EXPECT_EQ(unit_->base_nick, "two");

  // A later refusal may ask again; Cancel sends nothing.
  Refuse("two");
  EXPECT_EQ(host_.nick_questions, 2);
  host_.answer(TNickAnswer{});
  EXPECT_TRUE(Sent().empty());
}

TEST_F(NickPolicyTest, AskingWithoutAWindowFallsBackToUnderscores) {
  with_host_ = false;
  Register("me", 2);
  Refuse("me");
  EXPECT_TRUE(SentIs({"NICK me_"}));
}

TEST_F(NickPolicyTest, UnavailableChannelIsNoNickRefusal) {
  Register("me", 0);
  Receive(":irc.test 437 * #chan :Nick/channel is temporarily unavailable");
  EXPECT_TRUE(Sent().empty());
}

TEST(NickRetryTest, RetriesNeverSplitADoubleByteCharacter) {
  std::string kanji = Sjis("日本語");  // six bytes
  EXPECT_EQ(CutNick(kanji, 5), Sjis("日本"));
  EXPECT_EQ(CutNick(kanji, -3), "");
  EXPECT_EQ(UnderscoreRetry(kanji + "abc", 8), Sjis("日本語a_"));
  EXPECT_EQ(UnderscoreRetry(Sjis("日本語") + "__", 7), Sjis("日本__"));
  EXPECT_EQ(UnderscoreRetry("___", 3), std::nullopt);
  EXPECT_EQ(UnderscoreRetry("", 0), std::nullopt);
  TNumberedRetry retry = NumberedRetry(kanji, 12, 7);
  EXPECT_EQ(retry.cut, Sjis("日本"));
  EXPECT_EQ(retry.candidate, Sjis("日本") + "12");
}

}  // namespace
}  // namespace zeph
