#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/irc_message.h"
#include "macro/macro_actions.h"
#include "macro/macro_engine.h"
#include "macro_test_facts.h"
#include "support/settings_test_files.h"
#include "support/temp_dir.h"

namespace zeph {
namespace {

using Lines = std::vector<std::string>;

// A unit that writes down the command lines it is handed.
class TRecordingHost : public TMacroHost {
 public:
  test::TFakeMacroFacts facts;
  Lines names;
  Lines lines;
  bool IsSelfUser(std::string_view n, std::string_view u, std::string_view h) const override {
    return facts.IsSelfUser(n, u, h);
  }
  bool IsGroupMember(int g, std::string_view n, std::string_view u, std::string_view h) const override {
    return facts.IsGroupMember(g, n, u, h);
  }
  bool IsOperator(std::string_view c, std::string_view n) const override { return facts.IsOperator(c, n); }
  bool IsAway() const override { return facts.IsAway(); }
  std::string ActiveChannelName() const override { return facts.ActiveChannelName(); }
  std::string SelectedText() const override { return facts.SelectedText(); }
  std::string LocalAddress() const override { return facts.LocalAddress(); }

  std::vector<std::string> MacroFileNames() const override { return names; }
  void RemoveMacroFile(const std::string& name) override { std::erase(names, name); }
  void PrintMacroOutput(const std::string& target, const std::string& text) override {
    lines.push_back("print " + target + " " + text);
  }
  void Execute(const std::string&, bool) override {}
  void OpenUrl(const std::string&, const std::string&) override {}
  void SendCommandLine(const std::string& text, bool from_menu) override {
    lines.push_back((from_menu ? "menu: " : "event: ") + text);
  }
  void QueueOp(const std::string&, const std::string&) override {}
  void PlaySoundFile(const std::string&) override {}
  void SelectChannel(const std::string&) override {}
  void SetChannelCondition(const std::string&, const std::string&) override {}
  void WindowCommand(const std::string&) override {}
  void MenuCommand(const std::string&) override {}
  void ShowBalloon(const std::string&, const std::string&) override {}
};

class MacroEngineTest : public testing::Test {
 protected:
  TMacroContext Context() { return TMacroContext{event_, host_, data_.Path()}; }

  test::TTempDir data_;
  test::TTempDir macro_;
  TRecordingHost host_;
  TMacroEvent event_;
};

TEST_F(MacroEngineTest, LineBreaksOfTheItemsOwnTextSplitOrJoinTheCommand) {
  TMacroItem raw{.action = "raw", .info = "PRIVMSG a :one\r\nPRIVMSG b :two\rPRIVMSG c :three"};
  TMacroItem action{.action = "action", .target = "#c", .info = "one\r\ntwo"};
  RunMacroItem(raw, false, Context(), host_);
  RunMacroItem(action, true, Context(), host_);
  EXPECT_EQ(host_.lines, (Lines{"event: PRIVMSG a :one", "event: PRIVMSG b :two", "event: PRIVMSG c :three",
                                "menu: ACTION #c :onetwo"}));
  EXPECT_EQ(SplitLines("a\r\n\nb\r"), (Lines{"a", "", "b", ""}));
}

TEST_F(MacroEngineTest, MenuItemsAndConfiguredTextsSeeOnlyOurNick) {
  TMacroEngine engine(host_, macro_.Path(), data_.Path());
  host_.facts.selected_text = "chosen words";
  engine.RunMenuItem(TMacroItem{.action = "Topic", .target = "%a", .info = "%s by %u (%n)"}, {.my_nick = "me"});
  EXPECT_EQ(host_.lines, (Lines{"menu: TOPIC #active :chosen words by me ()"}));

  // Away and quit messages: substitutions only, their lines expanded.
  test::WriteBytes(data_.Path() / "away.txt", "back soon, %u\r\n");
  EXPECT_EQ(engine.ExpandText("%u is $FILE(away.txt)", "me"), "%u is back soon, me");
}

TEST_F(MacroEngineTest, UnreadableFilesKeepTheirBindingMissingOnesLoseIt) {
  host_.names = {"missing", "locked", "ok"};
  test::WriteBytes(macro_.Path() / "ok.lmf", "0\t\t\t\tPRIVMSG\t\t\t0\t0\tprint\t\thit %n\t0\r\n");
  std::filesystem::create_directories(macro_.Path() / "locked.lmf");  // there, but no file that reads
  TMacroEngine engine(host_, macro_.Path(), data_.Path());
  TIrcMessage message;
  message.Parse(":bob!b@h PRIVMSG #c :x");
  EXPECT_TRUE(engine.OfferEvent(message, "me"));
  EXPECT_EQ(host_.names, (Lines{"locked", "ok"}));
  EXPECT_EQ(host_.lines, (Lines{"print  hit bob"}));

  message.Parse(":me!m@h PRIVMSG #c :x");  // our own: an empty user pattern leaves it alone
  EXPECT_FALSE(engine.OfferEvent(message, "me"));
}

}  // namespace
}  // namespace zeph

namespace zeph {
namespace {

TEST(MacroActionWordsTest, EditorWordsAreKnownAndSayWhetherTheyUseATarget) {
  for (std::string_view word : EditorActionWords()) {
    bool expected = word == "Print" || word == "Send" || word == "Part" || word == "Mode" || word == "Topic" ||
                    word == "Kick" || word == "Invite" || word == "Action" || word.starts_with("CTCP") ||
                    word == "GiveOp" || word == "ShowBalloon" || word == "OpenURL" || word.starts_with("Dll") ||
                    word.starts_with("Add") || word == "ChannelCondition";
    EXPECT_EQ(ActionUsesTarget(word), expected) << word;
  }
  EXPECT_TRUE(ActionUsesTarget("pushtoopqueue"));
  EXPECT_FALSE(ActionUsesTarget("nosuchword"));
}

}  // namespace
}  // namespace zeph
