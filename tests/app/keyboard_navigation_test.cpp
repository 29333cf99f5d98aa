// The navigation keys over a world of three units, without a window.
#include <gtest/gtest.h>

#include <set>

#include "app/keyboard_navigation.h"
#include "display/message_format.h"
#include "engine/channel.h"
#include "engine/unit.h"
#include "engine/world.h"
#include "platform/poll_loop.h"

namespace zeph {
namespace {

class KeyboardNavigationTest : public testing::Test {
 protected:
  // a: #a1 (joined), #a2; b (collapsed): #b1 (joined); c: #c1 (joined)
  KeyboardNavigationTest() {
    for (const char* name : {"a", "b", "c"}) {
      TServerConfig config;
      config.name = name;
      world_.AddUnit(config);
    }
    a1_ = Target("a", "#a1", true);
    a2_ = Target("a", "#a2", false);
    b1_ = Target("b", "#b1", true);
    c1_ = Target("c", "#c1", true);
    collapsed_.insert(Unit("b").Id());
    world_.save_tree = [this](const TWorldConfig&) { return ++saves_, true; };
  }
  TChannel* Target(const std::string& unit, const std::string& name, bool joined) {
    TChannelConfig config;
    config.name = name;
    TChannel* target = world_.CreateTarget(*world_.FindUnit(unit), config, TTargetKind::Channel, false);
    if (joined) target->Activate();
    return target;
  }
  TUnit& Unit(const std::string& name) { return *world_.FindUnit(name); }
  bool Walk(TWalkKind kind, int step) { return SelectByWalk(world_, expanded_, kind, step); }
  std::string Selected() const {
    TChannel* target = world_.SelectedTarget();
    return target ? target->Name() : world_.SelectedUnit() ? world_.SelectedUnit()->Name() : "";
  }

  TPollLoop loop_;
  TPreferences prefs_;
  TMessageFormat formats_;
  TWorld world_{loop_, prefs_, formats_};
  TChannel *a1_, *a2_, *b1_, *c1_;
  std::set<TNodeId> collapsed_;
  TIsExpanded expanded_ = [this](TNodeId unit) { return !collapsed_.count(unit); };
  int saves_ = 0;
};

TEST_F(KeyboardNavigationTest, WalksWrapAndSkipCollapsedUnitsAndInactiveTargets) {
  world_.Select(&Unit("c"), c1_);
  EXPECT_TRUE(Walk(TWalkKind::ActiveTarget, 1));
  EXPECT_EQ(Selected(), "#a1");  // wrapped; #b1 is under a collapsed unit
  EXPECT_TRUE(Walk(TWalkKind::ActiveTarget, 1));
  EXPECT_EQ(Selected(), "#c1");  // #a2 is not joined
  EXPECT_TRUE(Walk(TWalkKind::AnyNode, -1));
  EXPECT_EQ(Selected(), "c");
  EXPECT_TRUE(Walk(TWalkKind::AnyNode, -1));
  EXPECT_EQ(Selected(), "b");
  EXPECT_TRUE(Walk(TWalkKind::LoggedInUnit, 1) == false);  // nobody logged in
  EXPECT_EQ(Selected(), "b");
}

TEST_F(KeyboardNavigationTest, AUnitWalkReturnsToTheChannelLastSelectedThere) {
  world_.Select(&Unit("a"), a2_);
  world_.Select(&Unit("c"), nullptr);
  EXPECT_TRUE(Walk(TWalkKind::Unit, 1));
  EXPECT_EQ(Selected(), "#a2");
  EXPECT_TRUE(Walk(TWalkKind::Unit, 1));
  EXPECT_EQ(Selected(), "b");  // collapsed: its own node
  world_.CloseTarget(Unit("a"), *a2_);
  world_.Select(&Unit("c"), nullptr);
  EXPECT_TRUE(Walk(TWalkKind::Unit, 1));
  EXPECT_EQ(Selected(), "a");  // the remembered channel is gone
}

TEST_F(KeyboardNavigationTest, NumbersSelectTheCurrentUnitsTargets) {
  world_.Select(&Unit("a"), nullptr);
  EXPECT_TRUE(SelectTargetNumber(world_, 2));
  EXPECT_EQ(Selected(), "#a2");
  EXPECT_FALSE(SelectTargetNumber(world_, 3));
  EXPECT_EQ(Selected(), "#a2");
  EXPECT_TRUE(SelectTargetNumber(world_, 0));
  EXPECT_EQ(Selected(), "a");
}

TEST_F(KeyboardNavigationTest, MovingANodeSavesTheTreeUnlessItIsSorted) {
  world_.Select(&Unit("a"), a2_);
  prefs_.SortTree = true;
  EXPECT_FALSE(MoveSelectedNode(world_, -1));
  EXPECT_EQ(Unit("a").Channels()[0].get(), a1_);
  EXPECT_EQ(saves_, 0);

  prefs_.SortTree = false;
  EXPECT_TRUE(MoveSelectedNode(world_, -1));
  EXPECT_EQ(Unit("a").Channels()[0].get(), a2_);
  EXPECT_FALSE(MoveSelectedNode(world_, -1));  // already first
  world_.Select(&Unit("c"), nullptr);
  EXPECT_TRUE(MoveSelectedNode(world_, -1));
  EXPECT_EQ(world_.Units()[1]->Name(), "c");
  EXPECT_EQ(saves_, 2);
  EXPECT_EQ(world_.CollectConfig().units[1].name, "c");
}

}  // namespace
}  // namespace zeph
