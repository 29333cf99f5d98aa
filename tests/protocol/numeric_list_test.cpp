// LIST into the channel list model, and the ban, exception, invitation and
// reop lists of a channel.
#include <gtest/gtest.h>

#include "numeric_test_fixture.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

using Lines = std::vector<std::string>;

std::vector<std::string> Channels(const TChannelListModel& model) {
  std::vector<std::string> names;
  for (const TChannelListRow& row : model.Rows()) names.push_back(row.channel);
  return names;
}

class ListRepliesTest : public test::NumericTest {
 protected:
  void SetUp() override {
    LogIn();
    Sent();
  }
};

TEST_F(ListRepliesTest, TheChannelListOpensOnlyWhileLoggedInAndIsReused) {
  TChannelListModel* list = Windows().OpenChannelList(*unit_);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(Windows().OpenChannelList(*unit_), list);
  EXPECT_EQ(host_.lists_shown.size(), 1u);
  EXPECT_TRUE(Sent().empty());  // opening asks nothing
  EXPECT_EQ(TChannelListModel::Title("net"), Sjis("チャンネル一覧 - ") + "net");

  Windows().CloseChannelList(*list);
  EXPECT_EQ(Windows().ChannelList(*unit_), nullptr);
  unit_->Disconnect(true, false);
  EXPECT_EQ(Windows().OpenChannelList(*unit_), nullptr);
}

TEST_F(ListRepliesTest, ListRowsAreSortedAtTheEndAndEmptiedByTheNextAnswer) {
  TChannelListModel& list = *Windows().OpenChannelList(*unit_);
  Receive(":irc.test 321 me Channel :Users  Name\n"
          ":irc.test 322 me #b 3 :beta\n"
          ":irc.test 322 me #A 3 :Alpha\n"
          ":irc.test 322 me #big 99999999999 :huge\n"
          ":irc.test 322 me #c x :zeta");
  EXPECT_EQ(Channels(list), (Lines{"#b", "#A", "#big", "#c"}));
  EXPECT_EQ(list.Rows()[2].users, 2147483647);  // saturated
  EXPECT_EQ(list.Rows()[3].users, 0);
  Receive(":irc.test 323 me :End of LIST");
  EXPECT_EQ(Channels(list), (Lines{"#big", "#A", "#b", "#c"}));
  EXPECT_FALSE(Contains(unit_->Log(), "*list"));

  list.SortBy(TChannelListColumn::Topic);
  EXPECT_EQ(Channels(list), (Lines{"#A", "#b", "#big", "#c"}));
  list.SortBy(TChannelListColumn::Channel);
  EXPECT_EQ(Channels(list), (Lines{"#A", "#b", "#big", "#c"}));

  Receive(":irc.test 322 me #new 1 :fresh\n:irc.test 323 me :End of LIST");
  EXPECT_EQ(Channels(list), Lines{"#new"});
}

TEST_F(ListRepliesTest, TheListWindowsRequestsNeedALoggedInUnit) {
  TChannelListModel& list = *Windows().OpenChannelList(*unit_);
  Receive(":irc.test 322 me #a 2 :x\n:irc.test 323 me :End of LIST");
  RefreshChannelList(*unit_);
  JoinListedChannel(*unit_, list, 0);
  RequestListedNames(*unit_, list, 0);
  RequestListedWho(*unit_, list, 0);
  JoinListedChannel(*unit_, list, 1);  // no such row
  EXPECT_TRUE(SentIs({"LIST", "JOIN #a", "NAMES #a", "WHO #a"}));
}

TEST_F(ListRepliesTest, MaskListsFillFromTheRepliesAndFollowModeChanges) {
  Receive(":me!u@h JOIN :#c");
  TChannel& c = *unit_->FindChannel("#c");
  TMaskListModel* bans = Windows().OpenMaskList(*unit_, c, TMaskListKind::Ban);
  ASSERT_NE(bans, nullptr);
  EXPECT_TRUE(SentIs({"MODE #c +b"}));
  EXPECT_EQ(TMaskListModel::Title(TMaskListKind::Ban, "#c", "net"), "#c" + Sjis(" のバンリスト - ") + "net");

  size_t lines = unit_->Log().Count();
  Receive(":irc.test 367 me #c *!*@a.example op 1700000000\n"
          ":irc.test 367 me #c *!*@b.example\n"
          ":irc.test 368 me #c :End of channel ban list\n"
          ":irc.test 348 me #c *!*@e.example\n"
          ":irc.test 349 me #c :End of channel exception list");
  EXPECT_EQ(bans->Masks(), (Lines{"*!*@a.example", "*!*@b.example"}));
  // The exception list is not open: its reply is printed.
  EXPECT_EQ(Bodies(unit_->Log()).size(), lines + 2);
  EXPECT_TRUE(Contains(unit_->Log(), "#c *!*@e.example"));

  Receive(":op!o@h MODE #c +bI-b *!*@new.example *!*@inv.example *!*@A.EXAMPLE");
  EXPECT_EQ(bans->Masks(), (Lines{"*!*@b.example", "*!*@new.example"}));

  // Opening again asks again, from an empty list.
  EXPECT_EQ(Windows().OpenMaskList(*unit_, c, TMaskListKind::Ban), bans);
  EXPECT_TRUE(bans->Masks().empty());
  EXPECT_TRUE(SentIs({"MODE #c +b"}));

  Windows().CloseMaskList(*bans);
  Receive(":irc.test 367 me #c *!*@z.example");
  EXPECT_TRUE(Contains(unit_->Log(), "#c *!*@z.example"));
}

}  // namespace
}  // namespace zeph
