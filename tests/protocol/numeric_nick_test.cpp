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

// One registration: the nick and the policy, the refusals in turn, and
// what the unit sends and becomes.
struct TRetryCase {
  const char* name;
  std::string nick;
  int policy;
  std::vector<std::pair<std::string, int>> refusals;  // nick and numeric
  Lines sent;
  std::string current_nick;
  std::string requested_nick;
  TUnitState state;
};

void PrintTo(const TRetryCase& c, std::ostream* out) { *out << c.name; }

const TRetryCase kRetryCases[] = {
    // Policy 0: underscores replace the tail at the length limit.
    {"underscores", "abcdefghi", 0, {{"abcdefghi", 433}, {"abcdefgh_", 433}}, {"NICK abcdefgh_", "NICK abcdefg__"},
     "abcdefg__", "abcdefg__", TUnitState::Connected},
    // Only underscores left: no nick to try, the registration ends.
    {"no_nick_left", "_________", 0, {{"_________", 433}}, {}, "_________", "_________", TUnitState::Idle},
    // Policy 1: numbers count up on the cut nick.
    {"numbers", "abcdefghi", 1, {{"abcdefghi", 433}, {"abcdefgh0", 436}}, {"NICK abcdefgh0", "NICK abcdefgh1"},
     "abcdefgh1", "abcdefgh", TUnitState::Connected},
    {"numbers_short_nick", "me", 1, {{"me", 433}, {"me0", 437}, {"me1", 433}}, {"NICK me0", "NICK me1", "NICK me2"},
     "me2", "me", TUnitState::Connected},
    // Policy 3 leaves the choice to the user.
    {"policy_three", "me", 3, {{"me", 433}}, {}, "me", "me", TUnitState::Connected},
    // An erroneous nick is cleaned first...
    {"erroneous_cleaned", "a.b", 0, {{"a.b", 432}}, {"NICK a_b"}, "a_b", "a_b", TUnitState::Connected},
    // ...and one that cleaning keeps (too long for the server) falls
    // through to the policy, else resending it would loop until the login
    // times out.
    {"erroneous_kept", "abcdefghijkl", 0, {{"abcdefghijkl", 432}}, {"NICK abcdefgh_"}, "abcdefgh_", "abcdefgh_",
     TUnitState::Connected},
};

class NickRetryTableTest : public NickPolicyTest, public testing::WithParamInterface<TRetryCase> {};

TEST_P(NickRetryTableTest, RetriesOnTheWire) {
  const TRetryCase& c = GetParam();
  Register(c.nick, c.policy);
  for (const auto& [nick, numeric] : c.refusals) Refuse(nick, numeric);
  EXPECT_TRUE(SentIs(c.sent));
  EXPECT_EQ(unit_->Nick(), c.current_nick);
  EXPECT_EQ(unit_->NickRetries().Requested(), c.requested_nick);
  EXPECT_EQ(unit_->State(), c.state);
  if (c.state == TUnitState::Idle) {
    EXPECT_TRUE(Contains(unit_->Log(), Sjis("使えるニックがありません")));
    EXPECT_FALSE(unit_->AutoReconnect());
  }
}

INSTANTIATE_TEST_SUITE_P(Policies, NickRetryTableTest, testing::ValuesIn(kRetryCases),
                         [](const testing::TestParamInfo<TRetryCase>& info) { return std::string(info.param.name); });

TEST_F(NickPolicyTest, TheRetriedNickLogsIn) {
  Register("abcdefghi", 0);
  Refuse("abcdefghi");
  Receive(":irc.test 001 abcdefgh_ :Welcome");
  EXPECT_TRUE(unit_->IsLoggedIn());
  EXPECT_EQ(unit_->Nick(), "abcdefgh_");
}

TEST_F(NickPolicyTest, ALimitShorterThanTheNumberLeavesOnlyTheNumber) {
  Register("me", 1);
  Refuse("me");
  Refuse("me0");
  Refuse("me1");
  Sent();
  // A limit of 0 leaves only the number; no cut at a negative length.
  unit_->Config().enable_nick_len = true;
  unit_->Config().nick_len = 0;
  Refuse("me2");
  EXPECT_TRUE(SentIs({"NICK 3"}));
  EXPECT_EQ(unit_->NickRetries().Requested(), "");
}

TEST_F(NickPolicyTest, ErroneousNickWhileLoggedInRevertsTheChosenNick) {
  Register("me", 0);
  Receive(":irc.test 001 me :Welcome");
  unit_->SendNick("bad.nick", true);
  EXPECT_EQ(unit_->NickRetries().Base(), "bad.nick");
  ASSERT_TRUE(SentIs({"NICK bad.nick"}));
  Refuse("bad.nick", 432);
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(unit_->NickRetries().Base(), "me");
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
  EXPECT_EQ(unit_->NickRetries().Base(), "two");

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
