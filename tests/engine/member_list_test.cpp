#include "engine/member_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace zeph {
namespace {

class TFakeGroups : public TMemberGroupSource {
 public:
  std::string nick = "me";
  std::vector<std::string> self_masks;
  std::array<TUserGroup, kUserGroupCount> groups;

  std::string_view CurrentNick() const override { return nick; }
  const std::vector<std::string>& SelfMasks() const override { return self_masks; }
  const std::array<TUserGroup, kUserGroupCount>& UserGroups() const override { return groups; }
};

// A view that keeps its own copy of the rows from the notifications alone,
// the way a list widget does.
class TMirror : public TMemberListObserver {
 public:
  TMirror(const TMemberList& list, TMemberView view) : list_(list), view_(view) {}

  std::vector<std::string> nicks;
  std::vector<std::string> events;

  void OnMemberAdded(const TMember& member, int row) override {
    nicks.insert(nicks.begin() + row, member.nick);
    events.push_back("add " + member.nick);
  }
  void OnMemberChanged(const TMember& member, int old_row, int new_row) override {
    Move(member.nick, old_row, new_row);
    events.push_back("change " + member.nick);
  }
  void OnMemberRemoved(const TMember& member, int row) override {
    EXPECT_EQ(nicks.at(row), member.nick);
    nicks.erase(nicks.begin() + row);
    events.push_back("remove " + member.nick);
  }
  void OnMemberRenamed(const TMember& member, std::string_view old_nick, int old_row, int new_row) override {
    EXPECT_EQ(nicks.at(old_row), old_nick);
    Move(member.nick, old_row, new_row);
    events.push_back("rename " + std::string(old_nick) + " " + member.nick);
  }
  void OnMembersCleared() override {
    nicks.clear();
    events.push_back("clear");
  }
  void OnMembersResorted() override {
    nicks = NicksOf(view_ == TMemberView::Panel ? list_.PanelOrder() : list_.DetailOrder());
    events.push_back("resort");
  }

  static std::vector<std::string> NicksOf(const std::vector<const TMember*>& members) {
    std::vector<std::string> result;
    for (const TMember* member : members) result.push_back(member->nick);
    return result;
  }

 private:
  void Move(const std::string& nick, int old_row, int new_row) {
    nicks.erase(nicks.begin() + old_row);
    nicks.insert(nicks.begin() + new_row, nick);
  }

  const TMemberList& list_;
  TMemberView view_;
};

class MemberListTest : public ::testing::Test {
 protected:
  MemberListTest() {
    list.AddObserver(&panel, TMemberView::Panel);
    list.AddObserver(&detail, TMemberView::Detail);
  }

  void ExpectMirrorsInStep() {
    EXPECT_EQ(panel.nicks, TMirror::NicksOf(list.PanelOrder()));
    EXPECT_EQ(detail.nicks, TMirror::NicksOf(list.DetailOrder()));
  }

  TFakeGroups groups;
  TMemberList list{&groups};
  TMirror panel{list, TMemberView::Panel};
  TMirror detail{list, TMemberView::Detail};
};

TEST_F(MemberListTest, AddWithoutMergeKeepsWhatIsKnown) {
  TMember bob("bob", "u", "h");
  bob.is_operator = true;
  bob.info1 = "server";
  list.AddMember(bob, true);

  TMember again("BOB", "", "h2");
  again.info2 = "ignored";
  list.AddMember(again, false);
  const TMember* stored = list.FindMember("Bob");
  ASSERT_NE(stored, nullptr);
  TMember known = bob;
  known.nick = "BOB";
  known.host = "h2";
  EXPECT_EQ(*stored, known);

  TMember merged("bob");
  merged.info2 = "Real Name";
  list.AddMember(merged, true);
  EXPECT_EQ(*stored, merged);
  EXPECT_EQ(list.MemberCount(), 1);
  EXPECT_EQ(panel.events, (std::vector<std::string>{"add bob", "change BOB", "change bob"}));
  ExpectMirrorsInStep();
}

TEST_F(MemberListTest, UpdateMemberReportsChanges) {
  list.AddMember(TMember("bob"), false);
  struct TCase {
    std::string nick, user, host;
    bool changed;
    std::string stored_user, stored_host;
  };
  const TCase cases[] = {
      {"nobody", "u", "h", false, "", ""},
      {"bob", "", "", false, "", ""},
      {"bob", "u", "", true, "u", ""},
      {"bob", "", "h", true, "u", "h"},
      {"bob", "u", "h", false, "u", "h"},
      {"BOB", "u", "h", true, "u", "h"},  // the nick is compared exactly
      {"bob", "u2", "h2", true, "u2", "h2"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nick + "!" + c.user + "@" + c.host);
    EXPECT_EQ(list.UpdateMember(c.nick, c.user, c.host), c.changed);
    EXPECT_EQ(list.FindMember("bob")->user, c.stored_user);
    EXPECT_EQ(list.FindMember("bob")->host, c.stored_host);
  }
  EXPECT_EQ(list.FindMember("bob")->nick, "bob");
}

TEST_F(MemberListTest, RenameOntoAnExistingNickReplacesIt) {
  list.AddMember(TMember("alice", "ua"), false);
  list.AddMember(TMember("bob", "ub"), false);
  list.AddMember(TMember("carol", "uc"), false);

  // The new nick given as the text of the member it replaces.
  list.RenameMember("ALICE", list.FindMember("BOB")->nick);
  EXPECT_EQ(list.MemberCount(), 2);
  ASSERT_NE(list.FindMember("bob"), nullptr);
  EXPECT_EQ(list.FindMember("bob")->nick, "bob");
  EXPECT_EQ(list.FindMember("bob")->user, "ua");
  EXPECT_EQ(list.FindMember("alice"), nullptr);

  list.RenameMember("bob", "BOB");  // a change of letter case only
  EXPECT_EQ(list.MemberCount(), 2);
  EXPECT_EQ(list.FindMember("bob")->nick, "BOB");

  list.RenameMember("nobody", "carol");  // nothing to rename: carol stays
  EXPECT_EQ(list.FindMember("carol")->user, "uc");

  list.RenameMember("carol", "{x}");
  EXPECT_EQ(list.FindMember("[X]")->user, "uc");

  EXPECT_EQ(panel.events, (std::vector<std::string>{"add alice", "add bob", "add carol", "remove bob",
                                                    "rename alice bob", "rename bob BOB", "rename carol {x}"}));
  ExpectMirrorsInStep();
}

TEST_F(MemberListTest, RemoveSetModeAndClear) {
  list.SetSortMethod(TMemberSortMethod::OperatorsFirst);
  for (const char* nick : {"a", "b", "c"}) list.AddMember(TMember(nick), false);
  list.SetMemberMode("c", 'o', true);
  list.SetMemberMode("b", 'v', true);
  list.SetMemberMode("nobody", 'o', true);
  EXPECT_EQ(TMirror::NicksOf(list.PanelOrder()), (std::vector<std::string>{"c", "b", "a"}));
  EXPECT_EQ(MemberIcon(*list.FindMember("c")), 2);
  EXPECT_EQ(MemberIcon(*list.FindMember("b")), 1);
  EXPECT_EQ(MemberIcon(*list.FindMember("a")), 0);
  list.SetMemberMode("c", 'o', false);
  EXPECT_EQ(TMirror::NicksOf(list.PanelOrder()), (std::vector<std::string>{"b", "a", "c"}));
  ExpectMirrorsInStep();

  list.RemoveMember("B");
  list.RemoveMember("nobody");
  EXPECT_EQ(list.MemberCount(), 2);
  ExpectMirrorsInStep();
  list.ClearMembers();
  EXPECT_EQ(list.MemberCount(), 0);
  EXPECT_TRUE(list.PanelOrder().empty());
  EXPECT_EQ(panel.events.back(), "clear");
  ExpectMirrorsInStep();
}

TEST_F(MemberListTest, GroupComputation) {
  groups.self_masks = {"*!*@home.example"};
  groups.groups[0].masks = {"friend*!*@*"};
  groups.groups[2].masks = {"*!*@*.work.example", "friend2!*@*"};

  struct TCase {
    std::string nick, user, host;
    int group;
    int index;
  };
  const TCase cases[] = {
      {"me", "", "", kMemberGroupSelf, -1},
      {"Me", "", "", kMemberGroupNone, -1},  // the current nick counts only exactly
      {"other", "u", "HOME.example", kMemberGroupSelf, -1},
      {"friend2", "u", "h", kMemberGroupUser, 0},  // the first group that matches
      {"boss", "u", "pc1.work.example", kMemberGroupUser, 2},
      {"stranger", "u", "h", kMemberGroupNone, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nick);
    list.AddMember(TMember(c.nick, c.user, c.host), false);
    const TMember* member = list.FindMember(c.nick);
    EXPECT_EQ(member->group, c.group);
    EXPECT_EQ(member->group_index, c.index);
    list.RemoveMember(c.nick);
  }

  // A member from NAMES has no address yet; it joins a group once the
  // address is known, and a rename can change the group too.
  list.AddMember(TMember("boss"), false);
  EXPECT_EQ(list.FindMember("boss")->group, kMemberGroupNone);
  EXPECT_TRUE(list.UpdateMember("boss", "u", "pc1.work.example"));
  EXPECT_EQ(list.FindMember("boss")->group_index, 2);
  list.RenameMember("boss", "friend");
  EXPECT_EQ(list.FindMember("friend")->group_index, 0);
  groups.nick = "friend";
  list.RecomputeGroups();
  EXPECT_EQ(list.FindMember("friend")->group, kMemberGroupSelf);
  EXPECT_EQ(panel.events.back(), "resort");
  ExpectMirrorsInStep();
}

class MemberOrderTest : public MemberListTest {
 protected:
  MemberOrderTest() {
    groups.self_masks = {"zed!*@*"};
    groups.groups[0].masks = {"carol!*@*"};
    groups.groups[1].masks = {"*!*@frank.example"};
    groups.groups[2].masks = {"*!*@*.alice.net", "frank*!*@*"};
    Add("me", "x", "", false, false, "", "");
    Add("alice", "b", "h.alice.net", true, false, "s2", "");
    Add("Bob", "A", "", false, true, "S1", "");
    Add("carol", "a", "", false, false, "", "r");
    Add("dave", "c", "", true, false, "", "R0");
    Add("_eve", "C", "", false, false, "", "");
    Add("Frank", "\x83\x41", "frank.example", false, true, "", "");
    Add("zed", "d", "", false, false, "", "");
  }

  void Add(const char* nick, const char* user, const char* host, bool op, bool voice, const char* info1,
           const char* info2) {
    TMember member(nick, user, host);
    member.is_operator = op;
    member.has_voice = voice;
    member.info1 = info1;
    member.info2 = info2;
    list.AddMember(member, true);
  }

  using TNicks = std::vector<std::string>;
};

TEST_F(MemberOrderTest, PanelOrderBySortMethodAndDetailOrderByColumn) {
  using M = TMemberSortMethod;
  using C = TDetailSortColumn;
  struct TCase {
    TMemberView view;
    int key;  // the sort method or the column
    TNicks order;
  };
  const TCase cases[] = {
      {TMemberView::Panel, int(M::Nick), {"_eve", "alice", "Bob", "carol", "dave", "Frank", "me", "zed"}},
      {TMemberView::Panel, int(M::OperatorsFirst), {"alice", "dave", "Bob", "Frank", "_eve", "carol", "me", "zed"}},
      // Group 3 (alice) after the user himself and groups 1 and 2, before
      // the members of no group.
      {TMemberView::Panel, int(M::ByGroup), {"me", "zed", "carol", "Frank", "alice", "_eve", "Bob", "dave"}},
      {TMemberView::Panel, int(M::OperatorsThenGroup), {"alice", "dave", "Frank", "Bob", "me", "zed", "carol", "_eve"}},
      {TMemberView::Panel, int(M::GroupThenOperators), {"me", "zed", "carol", "Frank", "alice", "dave", "Bob", "_eve"}},
      {TMemberView::Detail, int(C::Status), {"alice", "dave", "Bob", "Frank", "_eve", "carol", "me", "zed"}},
      {TMemberView::Detail, int(C::Nick), {"_eve", "alice", "Bob", "carol", "dave", "Frank", "me", "zed"}},
      {TMemberView::Detail, int(C::User), {"Bob", "carol", "alice", "_eve", "dave", "zed", "me", "Frank"}},
      {TMemberView::Detail, int(C::Host), {"_eve", "Bob", "carol", "dave", "me", "zed", "Frank", "alice"}},
      {TMemberView::Detail, int(C::Info2), {"_eve", "alice", "Bob", "Frank", "me", "zed", "carol", "dave"}},
      {TMemberView::Detail, int(C::Info1), {"_eve", "carol", "dave", "Frank", "me", "zed", "Bob", "alice"}},
  };
  for (const auto& c : cases) {
    bool panel_view = c.view == TMemberView::Panel;
    SCOPED_TRACE((panel_view ? "panel " : "detail ") + std::to_string(c.key));
    if (panel_view) {
      list.SetSortMethod(static_cast<TMemberSortMethod>(c.key));
    } else {
      list.SetDetailSortColumn(static_cast<TDetailSortColumn>(c.key));
    }
    EXPECT_EQ(TMirror::NicksOf(panel_view ? list.PanelOrder() : list.DetailOrder()), c.order);
    ExpectMirrorsInStep();
  }
  // Each view is told only of its own re-sorting.
  EXPECT_EQ(std::count(panel.events.begin(), panel.events.end(), "resort"), 5);
  EXPECT_EQ(std::count(detail.events.begin(), detail.events.end(), "resort"), 6);
}

// Thousands of members arrive one by one and change in every way; both
// orders stay sorted and every view that follows the notifications stays
// in step.
TEST_F(MemberListTest, LargeChannelStaysInOrder) {
  groups.groups[1].masks = {"*!*@*.3.example"};
  list.SetDetailSortColumn(TDetailSortColumn::Host);
  std::mt19937 random(7);
  auto nick_of = [](unsigned n) { return "n" + std::to_string(n % 6000); };
  for (int i = 0; i < 5000; ++i) {
    TMember member(nick_of(random()));
    member.is_operator = random() % 10 == 0;
    member.has_voice = random() % 7 == 0;
    list.AddMember(member, false);
  }
  for (int i = 0; i < 3000; ++i) {
    std::string nick = nick_of(random());
    switch (random() % 5) {
      case 0: list.UpdateMember(nick, "u", "h." + std::to_string(random() % 5) + ".example"); break;
      case 1: list.SetMemberMode(nick, random() % 2 ? 'o' : 'v', random() % 2); break;
      case 2: list.RenameMember(nick, nick_of(random())); break;
      case 3: list.RemoveMember(nick); break;
      default: list.AddMember(TMember(nick, "w", "x.3.example"), true); break;
    }
  }
  ExpectMirrorsInStep();
  const auto& panel_order = list.PanelOrder();
  EXPECT_EQ(static_cast<int>(panel_order.size()), list.MemberCount());
  EXPECT_TRUE(std::is_sorted(panel_order.begin(), panel_order.end(),
                             TMemberLess{TMemberView::Panel, static_cast<int>(TMemberSortMethod::GroupThenOperators)}));
  EXPECT_TRUE(std::is_sorted(list.DetailOrder().begin(), list.DetailOrder().end(),
                             TMemberLess{TMemberView::Detail, static_cast<int>(TDetailSortColumn::Host)}));
}

TEST(MemberListWithoutGroupsTest, NobodyIsInAGroup) {
  TMemberList list;
  list.AddMember(TMember("me", "u", "h"), false);
  EXPECT_EQ(list.FindMember("me")->group, kMemberGroupNone);
  EXPECT_EQ(list.FindMember("me")->group_index, -1);
}

}  // namespace
}  // namespace zeph
