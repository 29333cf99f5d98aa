// The console copy of printed lines: when a copy is made, what gates it,
// where it leads back to and when its keywords are marked.
#include <gtest/gtest.h>

#include <set>

#include "support/session_fixture.h"

namespace zeph {
namespace {

// The main window as far as the console rule asks it.
class TConsoleView : public TWorldView {
 public:
  std::set<TNodeId> scrolled_away;
  bool background = false;
  bool IsScrolledAway(TNodeId node) const override { return scrolled_away.count(node) > 0; }
  bool IsInBackground() const override { return background; }
};

class ConsoleCopyTest : public test::SessionTest {
 protected:
  void SetUp() override {
    prefs_.like_keywords = {"hello"};
    config_.channels = {NewChannelConfig("#c", false)};
    LogIn();
    Receive(":me!u@h JOIN :#c");
  }
  void OnWorldCreated() override { world_->SetView(&view_); }
  ~ConsoleCopyTest() override {
    if (world_) world_->SetView(nullptr);
  }

  TChannel& C() { return *unit_->FindChannel("#c"); }
  // The console line whose text holds `part` (valid until the next call),
  // or null.
  const TLogLine* ConsoleLine(const std::string& part) {
    TLineReader console(world_->Console());
    for (size_t i = 0; i < world_->Console().Count(); ++i) {
      if (console.Read(i).text.find(part) != std::string::npos) return &(found_ = console.Read(i));
    }
    return nullptr;
  }

  TConsoleView view_;
  TLogLine found_;
};

TEST_F(ConsoleCopyTest, ACopyIsMadeWhenTheLineWouldOtherwiseGoUnseen) {
  struct TCase {
    const char* text;
    bool console_switch;
    bool selected;
    bool scrolled_away;
    bool print_all;
    bool background;
    bool copied;
  };
  const TCase cases[] = {
      {"switch off", false, false, false, false, false, false},
      {"not selected", true, false, false, false, false, true},
      {"selected at the end", true, true, false, false, false, false},
      {"selected scrolled away", true, true, true, false, false, true},
      {"selected, all to console, in the background", true, true, false, true, true, true},
      {"selected, all to console, in front", true, true, false, true, false, false},
      {"selected, in the background only", true, true, false, false, true, false},
      {"switch off, scrolled away, in the background", false, true, true, true, true, false},
  };
  for (const TCase& c : cases) {
    C().SetConsoleSwitch(c.console_switch);
    world_->Select(unit_, c.selected ? &C() : nullptr);
    view_.scrolled_away = c.scrolled_away ? std::set<TNodeId>{C().Id()} : std::set<TNodeId>{};
    prefs_.PrintAllLogToConsole = c.print_all;
    view_.background = c.background;
    unit_->PrintToChannel(C(), TMessageKind::Privmsg, "bob", c.text);
    EXPECT_TRUE(Contains(C().Log(), c.text)) << c.text;
    EXPECT_EQ(ConsoleLine(c.text) != nullptr, c.copied) << c.text;
  }

  // The unit log follows the same rule with the unit's own switch.
  prefs_.PrintAllLogToConsole = false;
  view_.background = false;
  world_->Select(unit_, nullptr);
  unit_->PrintToUnit(TMessageKind::Reply, std::string(), "unit selected");
  world_->Select(unit_, &C());
  unit_->PrintToUnit(TMessageKind::Reply, std::string(), "unit not selected");
  unit_->SetConsoleSwitch(false);
  unit_->PrintToUnit(TMessageKind::Reply, std::string(), "unit switch off");
  EXPECT_EQ(ConsoleLine("unit selected"), nullptr);
  EXPECT_NE(ConsoleLine("unit not selected"), nullptr);
  EXPECT_EQ(ConsoleLine("unit switch off"), nullptr);
}

TEST_F(ConsoleCopyTest, TheKindGatesOwnLogAndCopyIndependently) {
  world_->Select(unit_, nullptr);
  formats_.FindKind(TMessageKind::Join)->console_enabled = false;
  formats_.FindKind(TMessageKind::Notice)->channel_enabled = false;
  unit_->PrintToChannel(C(), TMessageKind::Join, "bob", "join line");
  unit_->PrintToChannel(C(), TMessageKind::Notice, "bob", "notice line");
  EXPECT_TRUE(Contains(C().Log(), "join line"));
  EXPECT_EQ(ConsoleLine("join line"), nullptr);
  EXPECT_FALSE(Contains(C().Log(), "notice line"));
  EXPECT_NE(ConsoleLine("notice line"), nullptr);
}

TEST_F(ConsoleCopyTest, KeywordsAreMarkedOnCopiesWhenTheSourceReactsToThem) {
  world_->Select(unit_, nullptr);
  unit_->PrintToChannel(C(), TMessageKind::Privmsg, "bob", "hello from a channel", true);
  C().SetKeywordSwitch(false);
  unit_->PrintToChannel(C(), TMessageKind::Privmsg, "bob", "hello unheeded", true);
  world_->Select(unit_, &C());
  unit_->PrintToUnit(TMessageKind::Privmsg, "bob", "hello to the unit", std::string(), true);
  unit_->PrintToUnit(TMessageKind::Notice, "bob", "hello unasked", std::string(), false);
  ASSERT_NE(ConsoleLine("hello from a channel"), nullptr);
  EXPECT_TRUE(ConsoleLine("hello from a channel")->keyword_hit);
  EXPECT_FALSE(ConsoleLine("hello unheeded")->keyword_hit);
  EXPECT_TRUE(ConsoleLine("hello to the unit")->keyword_hit);
  EXPECT_FALSE(ConsoleLine("hello unasked")->keyword_hit);
}

// A copy leads back to its unit or channel; a nick change or a quit
// concerns no single place and leads nowhere.
TEST_F(ConsoleCopyTest, CopiesLeadBackToTheirLogExceptNickAndQuit) {
  world_->Select(unit_, nullptr);
  unit_->PrintToChannel(C(), TMessageKind::Privmsg, "bob", "to the channel");
  world_->Select(unit_, &C());
  unit_->PrintToUnit(TMessageKind::Reply, std::string(), "to the unit");
  Receive(":bob!u@h JOIN :#c\n:bob!u@h NICK :rob\n:rob!u@h QUIT :bye\n:srv KILL x :flood");
  EXPECT_EQ(ConsoleLine("to the channel")->link_key, TLinkKey::ForTarget(unit_->Id(), C().Id()));
  EXPECT_EQ(ConsoleLine("to the unit")->link_key, TLinkKey::ForTarget(unit_->Id(), kNoNode));
  for (const char* part : {"*nick bob", "*rob quit", "kill x"}) {
    ASSERT_NE(ConsoleLine(part), nullptr) << part;
    EXPECT_TRUE(ConsoleLine(part)->link_key.IsEmpty()) << part;
  }
}

}  // namespace
}  // namespace zeph
