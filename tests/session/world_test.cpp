// The world: units from the tree, staggered start-up, the title, line
// actions, marks.
#include "engine/world.h"

#include <gtest/gtest.h>

#include "platform/poll_loop.h"
#include "platform/sjis.h"
#include "support/session_fixture.h"

namespace zeph {
namespace {

class TRecordingView : public TWorldView {
 public:
  std::string title;
  bool ctrl = false;
  void SetTitle(const std::string& t) override { title = t; }
  bool IsCtrlHeld() const override { return ctrl; }
};

class WorldTest : public testing::Test {
 protected:
  TPollLoop loop_;
  TPreferences prefs_;
  TMessageFormat formats_;
  TWorld world_{loop_, prefs_, formats_};

  TRecordingView view_;

  ~WorldTest() override { world_.SetView(nullptr); }

  // One unit "net" with these channels, shown in a recording view.
  TUnit& LoadOne(const std::vector<std::string>& channels) {
    world_.SetView(&view_);
    TServerConfig config = Unit("net");
    for (const std::string& name : channels) config.channels.push_back(NewChannelConfig(name, false));
    TWorldConfig tree;
    tree.units = {config};
    world_.LoadUnits(tree);
    return *world_.Units().front();
  }

  TServerConfig Unit(const std::string& name, bool auto_connect = false) {
    TServerConfig config;
    config.name = name;
    config.nick = "me";
    config.hostname = "127.0.0.1";
    config.port = test::FreeLoopbackPort();
    config.auto_connect = auto_connect;
    return config;
  }
};

TEST_F(WorldTest, RepeatedUnitNamesGetUnderscores) {
  TWorldConfig tree;
  tree.units = {Unit("X"), Unit("X"), Unit("X")};
  world_.LoadUnits(tree);
  ASSERT_EQ(world_.Units().size(), 3u);
  EXPECT_EQ(world_.Units()[1]->Name(), "X_");
  EXPECT_EQ(world_.Units()[2]->Name(), "X__");
  EXPECT_EQ(world_.AddUnit(Unit("X_")), nullptr);
}

TEST_F(WorldTest, HoldingCtrlLeavesEveryUnitUnconnected) {
  view_.ctrl = true;
  world_.SetView(&view_);
  TWorldConfig tree;
  tree.units = {Unit("a", true), Unit("b", true)};
  world_.LoadUnits(tree);
  world_.Attach();
  world_.StartConnections({});
  loop_.Advance(10000);
  for (const auto& unit : world_.Units()) EXPECT_EQ(unit->State(), TUnitState::Idle);
}

TEST_F(WorldTest, TitleFollowsTheSelection) {
  TUnit& unit = LoadOne({"#c"});
  EXPECT_EQ(view_.title, "(me)[+] net - Zephlora 2.18");
  world_.Select(&unit, unit.FindChannel("#c"));
  EXPECT_EQ(view_.title, "(me) #c(0" + Sjis("人") + ")[]  - Zephlora 2.18");
  world_.Select(nullptr, nullptr);
  EXPECT_EQ(view_.title, "Zephlora 2.18");
}

TEST_F(WorldTest, LineActionsOfGoneTargetsDoNothing) {
  TUnit& unit = LoadOne({"#c", "#d"});
  TChannel& c = *unit.FindChannel("#c");
  TLinkKey to_c = TLinkKey::ForTarget(unit.Id(), c.Id());
  world_.OnLogLineAction(to_c);
  EXPECT_EQ(world_.SelectedTarget(), &c);
  world_.Select(&unit, nullptr);
  world_.CloseTarget(unit, c);
  world_.OnLogLineAction(to_c);
  EXPECT_EQ(world_.SelectedTarget(), nullptr);
  EXPECT_EQ(world_.SelectedUnit(), &unit);
}

// Entries the user configured are his, whatever their names: a save that
// dropped them would lose them from the file for good.
TEST_F(WorldTest, EveryConfiguredChannelIsSaved) {
  LoadOne({"#c", "", "noprefix", "#a b", "%jp"});
  TWorldConfig tree = world_.CollectConfig();
  std::vector<std::string> saved;
  for (const TChannelConfig& channel : tree.units.front().channels) saved.push_back(channel.name);
  EXPECT_EQ(saved, (std::vector<std::string>{"#c", "", "noprefix", "#a b", "%jp"}));
}

TEST_F(WorldTest, HistoriesKeepAsManyLinesAsAChannelLog) {
  prefs_.ChannelLogMaxLines = 2;
  world_.ApplyPreferences();
  for (TLineHistory* history : {&world_.KeywordHistory(), &world_.UrlHistory()}) {
    for (const char* body : {"one", "two", "three"}) {
      TLogLineSource entry;
      entry.body = body;
      history->Add(entry);
    }
    ASSERT_EQ(history->Lines().Count(), 2u);
    EXPECT_EQ(history->Lines().At(0).text, "two");
  }
}

TEST_F(WorldTest, MembersTakeTheirGroupOnceTheGroupsChange) {
  TChannel& c = *LoadOne({"#c"}).FindChannel("#c");
  c.AddMember(TMember("bob", "b", "example.jp"), false);
  c.AddMember(TMember("me2", "m", "home.jp"), false);
  prefs_.groups[2].masks = {"bob!*@*.jp"};
  prefs_.self_masks = {"*!m@home.jp"};
  world_.ApplyPreferences();
  const TMember* bob = c.Members().FindMember("bob");
  EXPECT_EQ(bob->group, kMemberGroupUser);
  EXPECT_EQ(bob->group_index, 2);
  EXPECT_EQ(c.Members().FindMember("me2")->group, kMemberGroupSelf);
}

TEST_F(WorldTest, MarksByName) {
  TUnit& unit = LoadOne({"#c"});
  world_.SetMark(unit, "#c", "keyword");
  world_.SetMark(unit, "#nowhere", "newtalk");
  EXPECT_TRUE(unit.FindChannel("#c")->KeywordMark());
  EXPECT_TRUE(unit.NewTalkMark());
  world_.SetMark(unit, "#c", "normal");
  EXPECT_FALSE(unit.FindChannel("#c")->KeywordMark());
}

}  // namespace
}  // namespace zeph
