// The model announces its own changes: a window that observes the tree,
// the title and the marks hears of every change a received line makes,
// with nobody telling it by hand.
#include <gtest/gtest.h>

#include "platform/sjis.h"
#include "support/session_fixture.h"

namespace zeph {
namespace {

using test::SessionTest;

// The tree and the title as a window would follow them.
class TObservingView : public TWorldView {
 public:
  std::vector<std::string> notices;  // "added", "changed" or "removed", a blank, the node's name
  std::string title;
  std::vector<bool> unit_pending;  // IsReconnectPending at each notice of a unit

  void NodeAdded(TUnit& unit, TChannel* target) override { Note("added", unit, target); }
  void NodeRemoved(TUnit& unit, TChannel* target) override { Note("removed", unit, target); }
  void NodeChanged(TUnit& unit, TChannel* target) override {
    Note("changed", unit, target);
    if (!target) unit_pending.push_back(unit.IsReconnectPending());
  }
  void SetTitle(const std::string& text) override { title = text; }

  bool Heard(const std::string& notice) const {
    return std::find(notices.begin(), notices.end(), notice) != notices.end();
  }

 private:
  void Note(const char* what, TUnit& unit, TChannel* target) {
    notices.push_back(std::string(what) + " " + (target ? target->Name() : unit.Name()));
  }
};

// A member list panel: what it was told, one word per notice.
class TMemberPanel : public TMemberListObserver {
 public:
  std::vector<std::string> notices;
  void OnMemberAdded(const TMember& m, int) override { notices.push_back("added " + m.nick); }
  void OnMemberChanged(const TMember& m, int, int) override { notices.push_back("changed " + m.nick); }
  void OnMemberRemoved(const TMember& m, int) override { notices.push_back("removed " + m.nick); }
  void OnMemberRenamed(const TMember& m, std::string_view, int, int) override {
    notices.push_back("renamed " + m.nick);
  }
  void OnMembersCleared() override { notices.push_back("cleared"); }
  void OnMembersResorted() override { notices.push_back("resorted"); }
};

class ModelNoticesTest : public SessionTest {
 protected:
  void SetUp() override {
    config_.channels = {NewChannelConfig("#c", false)};
    LogIn();
    Receive(":me!u@h JOIN :#c");
    view_.notices.clear();
  }
  void OnWorldCreated() override { world_->SetView(&view_); }
  ~ModelNoticesTest() override { world_->SetView(nullptr); }

  TChannel& C() { return *unit_->FindChannel("#c"); }

  TObservingView view_;
};

TEST_F(ModelNoticesTest, NewTargetsAndClosedOnesReachTheTree) {
  Receive(":me!u@h JOIN :#new\n:bob!b@h PRIVMSG me :hi");
  EXPECT_TRUE(view_.Heard("added #new"));
  EXPECT_TRUE(view_.Heard("added bob"));
  world_->CloseTarget(*unit_, *unit_->FindChannel("bob"));
  EXPECT_TRUE(view_.Heard("removed bob"));
}

// Each of these changes what the tree or the member list shows of "#c".
TEST_F(ModelNoticesTest, EveryReceivedChangeOfAChannelIsAnnounced) {
  const char* lines[] = {
      ":bob!b@h JOIN :#c",       ":srv MODE #c +o bob", ":srv MODE #c +k key", ":bob!b@h TOPIC #c :news",
      ":bob!b@h NICK :robert",   ":robert!b@h PART #c", ":srv 324 me #c +nt",  ":srv 332 me #c :topic",
      ":me!u@h KICK #c me :out",
  };
  for (const char* line : lines) {
    SCOPED_TRACE(line);
    view_.notices.clear();
    Receive(line);
    EXPECT_TRUE(view_.Heard("changed #c"));
  }
}

TEST_F(ModelNoticesTest, TheMemberListHearsEveryChangeOfItsMembers) {
  TMemberPanel panel;
  C().AddMemberObserver(&panel, TMemberView::Panel);
  Receive(":bob!b@h JOIN :#c\n:srv MODE #c +v bob\n:bob!b@h NICK :robert\n:robert!b@h PART #c\n"
          ":me!u@h PART #c");
  C().RemoveMemberObserver(&panel);
  EXPECT_EQ(panel.notices,
            (std::vector<std::string>{"added bob", "changed bob", "renamed robert", "removed robert", "cleared"}));
}

TEST_F(ModelNoticesTest, TheTitleFollowsTheSelectedChannelAndOurModes) {
  world_->Select(unit_, &C());
  Receive(":bob!b@h JOIN :#c\n:bob!b@h TOPIC #c :news");
  EXPECT_EQ(view_.title, "(me) #c(2" + Sjis("人") + ")[] news - Zephlora 2.18");
  world_->Select(unit_, nullptr);
  Receive(":srv 306 me :away");
  EXPECT_EQ(view_.title, "(me)[+a] test - Zephlora 2.18");
  Receive(":me!u@h NICK :me2");
  EXPECT_EQ(view_.title, "(me2)[+a] test - Zephlora 2.18");
}

TEST_F(ModelNoticesTest, MarksAreAnnouncedWhenTheyChange) {
  Receive(":bob!b@h PRIVMSG #c :hello");
  EXPECT_TRUE(C().UpdateMark());
  EXPECT_TRUE(view_.Heard("changed #c"));
  view_.notices.clear();
  Receive(":bob!b@h PRIVMSG #c :again");  // marked already: nothing new to show
  EXPECT_FALSE(view_.Heard("changed #c"));
  world_->Select(unit_, &C());  // selecting clears the marks
  EXPECT_FALSE(C().UpdateMark());
  view_.notices.clear();
  world_->SetMark(*unit_, "#c", "keyword");
  EXPECT_EQ(view_.notices, std::vector<std::string>{"changed #c"});
}

// The tree shows the switches of each entry: a change is heard once, and
// setting a switch to what it is already says nothing.
TEST_F(ModelNoticesTest, SwitchesAreAnnouncedWhenTheyChange) {
  C().SetConsoleSwitch(true);
  C().SetUpdateSwitch(false);
  C().SetKeywordSwitch(false);
  EXPECT_EQ(view_.notices, (std::vector<std::string>{"changed #c", "changed #c"}));
  view_.notices.clear();
  world_->Preferences().ServerAllLog = false;
  world_->ApplyPreferences();
  EXPECT_FALSE(unit_->ConsoleSwitch());
  EXPECT_TRUE(view_.Heard("changed test"));
}

// The toolbar and the tree read the pending reconnection when they hear
// of the unit: it must already be set when the drop is announced, and its
// cancelling must be announced too.
TEST_F(ModelNoticesTest, APendingReconnectionIsAnnouncedWithTheDropAndItsCancel) {
  prefs_.ReconnectTime = 5;
  view_.unit_pending.clear();
  server_.CloseClient();
  Settle();
  ASSERT_FALSE(view_.unit_pending.empty());
  EXPECT_TRUE(view_.unit_pending.back());
  view_.unit_pending.clear();
  unit_->CancelReconnect();
  EXPECT_EQ(view_.unit_pending, std::vector<bool>{false});
}

}  // namespace
}  // namespace zeph
