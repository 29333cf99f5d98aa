// Macro items against a scripted server: the event arrives on the wire, the
// item runs, and the server receives exactly the lines it should.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/world.h"
#include "macro/macro_file.h"
#include "macro/macros.h"
#include "protocol/command_line.h"
#include "platform/sjis.h"
#include "support/session_fixture.h"
#include "support/settings_test_files.h"
#include "support/temp_dir.h"

namespace zeph {
namespace {

using Lines = std::vector<std::string>;
using test::ReadBytes;
using test::WriteBytes;

struct TShellCall {
  std::string what;
  std::vector<std::string> arguments;
  std::string folder;
  bool operator==(const TShellCall&) const = default;
};

class TRecordingShell : public TShell {
 public:
  std::vector<TShellCall> calls;
  bool StartProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                    const std::filesystem::path& folder, bool minimized) override {
    calls.push_back({(minimized ? "min " : "run ") + program.string(), arguments, folder.string()});
    return true;
  }
  bool OpenDocument(const std::filesystem::path& file) override {
    calls.push_back({"document " + file.string(), {}, {}});
    return true;
  }
  bool OpenUrl(const std::string& url) override {
    calls.push_back({"url " + url, {}, {}});
    return true;
  }
};

class TRecordingWindow : public TMacroWindow {
 public:
  std::vector<std::string> calls;
  std::function<void()> on_call;
  std::string SelectedText() const override { return "picked text"; }
  void WindowCommand(const std::string& word) override { Record("window " + word); }
  void RunCommand(TUnit& unit, TMainCommand command) override {
    Record("command " + std::string(MainCommandInfo(command).name) + " for " + unit.Name());
  }

 private:
  void Record(std::string call) {
    calls.push_back(std::move(call));
    if (on_call) on_call();
  }
};

class TRecordingView : public TTitleView, public TSoundOutput {
 public:
  std::vector<std::string> calls;
  void ShowBalloon(const std::string& title, const std::string& text) override {
    calls.push_back("balloon " + title + "/" + text);
  }
  void PlaySound(const std::string& file) override { calls.push_back("sound " + file); }
};

TMacroItem Item(std::string action, std::string target, std::string info) {
  TMacroItem item;
  item.command_pattern = "PRIVMSG";
  item.message_pattern = "go*";
  item.action = std::move(action);
  item.target = std::move(target);
  item.info = std::move(info);
  return item;
}

class MacroActionsTest : public test::SessionTest {
 protected:
  MacroActionsTest() {
    prefs_.EnableAutoPong = false;
    config_.macro_files = {"test"};
    std::filesystem::create_directories(Data());
    // The welcome is the first event: the bound file must be there by then.
    SaveMacroFile(home_.Path() / "macro", TMacroFile{"test", {}});
  }
  ~MacroActionsTest() override { world_.reset(); }

  void OnWorldCreated() override {
    macros_impl_ = std::make_unique<TMacros>(
        *world_, TMacroFolders{home_.Path() / "macro", home_.Path() / "file", home_.Path() / "sound"});
    macros_impl_->SetShell(&shell_);
    macros_impl_->SetWindow(&window_);
    world_->SetMacros(macros_impl_.get());
    world_->SetTitleView(&view_);
    world_->SetSoundOutput(&view_);
  }

  // Logged in and in #c with bob, nothing in flight.
  void Enter() {
    LogIn();
    Receive(":me!u@h JOIN :#c\n:irc.test 353 me = #c :@me bob\n:irc.test 366 me #c :End");
    Drain();
  }
  void Use(std::vector<TMacroItem> items) {
    ASSERT_TRUE(SaveMacroFile(home_.Path() / "macro", TMacroFile{"test", std::move(items)}));
    macros_impl_->UnloadAll();
  }
  Lines Drain() {
    Settle();
    const TIrcConnection& connection = unit_->Connection();
    for (int i = 0; i < 60 && (connection.QueuedCount() > 0 || connection.PenaltySum() > 0); ++i) Tick();
    return Sent();
  }
  // The lines the server gets after it sent one line.
  Lines Answer(const std::string& line) {
    Receive(line);
    return Drain();
  }
  std::filesystem::path Data() const { return home_.Path() / "file"; }

  test::TTempDir home_;
  TRecordingShell shell_;
  TRecordingWindow window_;
  TRecordingView view_;
  std::unique_ptr<TMacros> macros_impl_;
};

const std::string kBobInChannel = ":bob!b@bob.example PRIVMSG #c :go now";
const std::string kBobToMe = ":bob!b@bob.example PRIVMSG me :go now";

TEST_F(MacroActionsTest, CommandWordsSendTheirLines) {
  Enter();
  struct TCase {
    TMacroItem item;
    std::string received;
    Lines sent;
  };
  const TCase cases[] = {
      {Item("send", "%f", "hi %n"), kBobInChannel, {"NOTICE #c :hi bob"}},
      {Item("Send", "%f", "hi %n"), kBobToMe, {"NOTICE bob :hi bob"}},
      {Item("raw", "", "PRIVMSG %n :raw %1"), kBobInChannel, {"PRIVMSG bob :raw now"}},
      {Item("action", "%c", "waves"), kBobInChannel, {"PRIVMSG #c :\x01" "ACTION waves\x01"}},
      {Item("join", "", "#new"), kBobInChannel, {"JOIN #new"}},
      {Item("part", "%c", "bye"), kBobInChannel, {"PART #c :bye"}},
      {Item("mode", "%c", "+o %n"), kBobInChannel, {"MODE #c +o bob"}},
      {Item("NICK", "", "other"), kBobInChannel, {"NICK other"}},
      {Item("topic", "%c", "about %n"), kBobInChannel, {"TOPIC #c :about bob"}},
      {Item("kick", "%c", "%n out"), kBobInChannel, {"KICK #c bob :out"}},
      {Item("away", "", "gone %n"), kBobInChannel, {"AWAY :gone bob"}},
      {Item("invite", "%n", "#c"), kBobInChannel, {"INVITE bob #c"}},
      {Item("ctcpquery", "%n", "VERSION"), kBobInChannel, {"PRIVMSG bob :\x01VERSION\x01"}},
      {Item("ctcpreply", "%n", "PING 1"), kBobInChannel, {"NOTICE bob :\x01PING 1\x01"}},
      {Item("nosuchword", "%n", "x"), kBobInChannel, {}},
      {Item("quit", "", "later"), kBobInChannel, {"QUIT :later"}},
  };
  for (const TCase& c : cases) {
    Use({c.item});
    EXPECT_EQ(Answer(c.received), c.sent) << c.item.action;
  }
}

TEST_F(MacroActionsTest, CtcpPingAndOperatorQueue) {
  Enter();
  Use({Item("ctcpping", "%n", "")});
  Lines sent = Answer(kBobInChannel);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].rfind("PRIVMSG bob :\x01PING ", 0), 0u) << sent[0];

  Use({Item("giveop", "%c", "%n")});
  Receive(kBobInChannel);
  Lines later;
  for (int i = 0; i < 20; ++i) {
    Tick();
    for (const std::string& line : Sent()) later.push_back(line);
  }
  EXPECT_NE(std::find(later.begin(), later.end(), "MODE #c +o bob"), later.end());
}

// A stranger's CR (the wire keeps a lone one inside a line) or NUL never
// starts a second command, and his "%0" or "$FILE(...)" comes back as text.
TEST_F(MacroActionsTest, PeerTextCannotAddCommands) {
  Enter();
  WriteBytes(Data() / "secret.txt", "secret\r\n");
  Use({Item("send", "%f", "you said: %m"), Item("raw", "", "PRIVMSG %n :%m")});
  EXPECT_EQ(Answer(":bob!b@h PRIVMSG #c :go\rQUIT :x"),
            (Lines{"NOTICE #c :you said: go QUIT :x", "PRIVMSG bob :go QUIT :x"}));
  EXPECT_EQ(Answer(":bob!b@h PRIVMSG #c :go %0 $FILE(secret.txt) $$"),
            (Lines{"NOTICE #c :you said: go %0 $FILE(secret.txt) $$", "PRIVMSG bob :go %0 $FILE(secret.txt) $$"}));
  // A target from a stranger is one word of one line too.
  Use({Item("mode", "%1", "+o %n")});
  EXPECT_EQ(Answer(":bob!b@h PRIVMSG #c :go #c\r\nQUIT"), (Lines{"MODE #c +o bob"}));
}

TEST_F(MacroActionsTest, PrintGoesToTheNamedTargetOrTheUnit) {
  Enter();

  Use({Item("print", "%c", "seen %n"), Item("print", "#elsewhere", "unit line")});
  Receive(kBobInChannel);
  EXPECT_TRUE(Contains(unit_->FindChannel("#c")->Log(), "seen bob"));
  EXPECT_TRUE(Contains(unit_->Log(), "unit line"));
}

TEST_F(MacroActionsTest, DataFilesStayInTheDataFolder) {
  Enter();
  Use({Item("appendfile", "log-%n.txt", "%m"), Item("addheadline", "log-%n.txt", "first"),
       Item("AddTailLine", "%1", "escaped?")});
  Receive(":bob!b@h PRIVMSG #c :go ../../x");
  EXPECT_EQ(ReadBytes(Data() / "log-bob.txt"), "first\r\ngo ../../x\r\n");
  // The stranger's "../../x" names a file inside the folder.
  EXPECT_EQ(ReadBytes(Data() / ".._.._x"), "escaped?\r\n");
  // Whatever else may stand there (the temporary folder is shared), no
  // file outside the data folder took the line.
  std::filesystem::path outside = home_.Path().parent_path() / "x";
  EXPECT_TRUE(!std::filesystem::is_regular_file(outside) || ReadBytes(outside).find("escaped?") == std::string::npos);

  // A file that cannot be read as lines is left alone, not replaced.
  std::filesystem::create_directories(Data() / "folder.txt");
  Use({Item("appendfile", "folder.txt", "x")});
  Receive(kBobInChannel);
  EXPECT_TRUE(std::filesystem::is_directory(Data() / "folder.txt"));

  Use({Item("deletefile", "", "log-%n.txt"), Item("deletefile", "", "../macro/test.lmf")});
  Receive(kBobInChannel);
  EXPECT_FALSE(std::filesystem::exists(Data() / "log-bob.txt"));
  EXPECT_TRUE(std::filesystem::exists(home_.Path() / "macro" / "test.lmf"));
}

TEST_F(MacroActionsTest, ProgramsAndUrlsGoToTheShellWithoutACommandInterpreter) {
  Enter();
  struct TCase {
    TMacroItem item;
    std::vector<TShellCall> calls;
  };
  const TCase cases[] = {
      {Item("exec", "", "/opt/my tool/run %1"), {{"run /opt/my tool/run now", {}, "/opt/my tool"}}},
      {Item("execute", "", "\"/usr/bin/prog\"  -x \"two words\" %n;rm"),
       {{"run /usr/bin/prog", {"-x", "two words", "bob;rm"}, "/usr/bin"}}},
      {Item("ExecuteMinimize", "", "\"/usr/bin/prog\""), {{"min /usr/bin/prog", {}, "/usr/bin"}}},
      {Item("exec", "", "\"/usr/bin/unclosed"), {}},
      {Item("exec", "", "https://example.com/a b"), {{"url https://example.com/a%20b", {}, {}}}},
      {Item("openurl", "", "http://example.com/?q=%n x"), {{"url http://example.com/?q=bob%20x", {}, {}}}},
      {Item("openurl", "UTF-8", "https://example.jp/" + Sjis("日本")),
       {{"url https://example.jp/%e6%97%a5%e6%9c%ac", {}, {}}}},
      {Item("openurl", "", "file:///etc/passwd"), {}},
      {Item("openurl", "", "javascript:alert(1)"), {}},
      {Item("openurl", "", "%1"), {}},  // "now" is no URL
  };
  for (const TCase& c : cases) {
    shell_.calls.clear();
    Use({c.item});
    Receive(kBobInChannel);
    EXPECT_EQ(shell_.calls, c.calls) << c.item.info;
  }
}

TEST_F(MacroActionsTest, ViewActions) {
  Enter();
  Use({Item("sound", "", "ding.wav"), Item("playsound", "", "/x/bell.wav"),
       Item("showballoon", "%n", std::string(300, 'x')), Item("selectchannel", "", "%c"),
       Item("channelcondition", "%c", "Keyword")});
  Receive(kBobInChannel);
  EXPECT_EQ(view_.calls, (Lines{"sound " + (home_.Path() / "sound" / "ding.wav").string(), "sound /x/bell.wav",
                                "balloon bob/" + std::string(255, 'x')}));
  EXPECT_EQ(world_->SelectedTarget(), unit_->FindChannel("#c"));
  EXPECT_TRUE(unit_->FindChannel("#c")->KeywordMark());

  // Away with MuteOnAway: no sound.
  view_.calls.clear();
  Receive(":irc.test 306 me :You are away");
  Use({Item("sound", "", "ding.wav")});
  Receive(kBobInChannel);
  EXPECT_TRUE(view_.calls.empty());
}

// Window words and commands may close what the event belongs to: they run
// once the event has been handled, after the items that follow them.
TEST_F(MacroActionsTest, WindowWordsAndCommandsRunAfterTheEvent) {
  Enter();
  bool printed_first = false;
  window_.on_call = [&] { printed_first = Contains(unit_->Log(), "after"); };
  Use({Item("menu", "", "NICK"), Item("window", "", "FlashTitle"), Item("menu", "", "nosuchcommand"),
       Item("print", "", "after")});
  Receive(kBobInChannel);
  EXPECT_EQ(window_.calls, (Lines{"command Nick for test", "window flashtitle"}));
  EXPECT_TRUE(printed_first);

  Use({Item("menu", "", "StopMacro"), Item("print", "", "still")});
  Receive(kBobInChannel);
  EXPECT_TRUE(world_->macros_stopped);
  Use({Item("print", "", "while stopped")});
  Receive(kBobInChannel);
  EXPECT_FALSE(Contains(unit_->Log(), "while stopped"));
}

TEST_F(MacroActionsTest, PluginsAreCalledWithTheirConventions) {
  Enter();
  const std::string plugin = ZEPH_TEST_PLUGIN;
  Use({Item("dllcall", plugin, "Touch"), Item("DllCall", plugin, "Underscored"), Item("dllcall", plugin, "Missing"),
       Item("dllhook", plugin, "Hook"), Item("send", "%f", "$DLLFUNC(" + plugin + ",Echo,%n)")});
  EXPECT_EQ(Answer(kBobInChannel),
            (Lines{"PRIVMSG #c :bob b@bob.example said go now", "NOTICE bob :bob", "NOTICE #c :[bob]"}));
  EXPECT_TRUE(std::filesystem::exists(Data() / "touched.txt"));
  EXPECT_TRUE(std::filesystem::exists(Data() / "underscored.txt"));

  // A library named relatively lies in the data folder; one that is not
  // there, or outside it, is never looked for anywhere else.
  std::filesystem::copy_file(plugin, Data() / "mine.so");
  Use({Item("send", "%f", "$DLLSTRING(mine.so,Echo,x)|$DLLFUNC(libc.so.6,Echo,x)|$DLLFUNC(../mine.so,Echo,x)"),
       Item("print", "", "$DLLFUNC(mine.so,Overflow,)"), Item("print", "%c", "$DLLFUNC(mine.so,Folder,)")});
  EXPECT_EQ(Answer(kBobInChannel), (Lines{"NOTICE #c :[x]||"}));
  EXPECT_TRUE(Contains(unit_->Log(), std::string(4096, 'x')));
  EXPECT_FALSE(Contains(unit_->Log(), std::string(4097, 'x')));
  EXPECT_TRUE(Contains(unit_->FindChannel("#c")->Log(), std::filesystem::canonical(Data()).string()));
}

TEST_F(MacroActionsTest, FilesAreReadAgainAfterAChangeAndMissingOnesLoseTheirBinding) {
  config_.macro_files = {"gone", "test", "second"};
  ASSERT_TRUE(SaveMacroFile(home_.Path() / "macro", TMacroFile{"second", {Item("send", "%f", "second")}}));
  Enter();
  TMacroItem first = Item("send", "%f", "first");
  first.stop = true;
  Use({first, Item("send", "%f", "skipped")});
  EXPECT_EQ(Answer(kBobInChannel), (Lines{"NOTICE #c :first", "NOTICE #c :second"}));
  EXPECT_EQ(unit_->Config().macro_files, (Lines{"test", "second"}));

  ASSERT_TRUE(macros_impl_->RenameFile("second", "renamed"));
  EXPECT_EQ(unit_->Config().macro_files, (Lines{"test", "renamed"}));
  EXPECT_EQ(Answer(kBobInChannel), (Lines{"NOTICE #c :first", "NOTICE #c :second"}));
  ASSERT_TRUE(macros_impl_->DeleteFile("test"));
  EXPECT_EQ(unit_->Config().macro_files, (Lines{"renamed"}));
  EXPECT_EQ(Answer(kBobInChannel), (Lines{"NOTICE #c :second"}));
  EXPECT_EQ(macros_impl_->UniqueName("renamed"), "renamed_");
}

TEST_F(MacroActionsTest, UnknownCommandsAndOwnMessagesAreEvents) {
  Enter();
  TMacroItem greet;
  greet.user_pattern = "%me";
  greet.command_pattern = "GREET";
  greet.action = "send";
  greet.target = "%0";
  greet.info = "hello from %n: %1";
  TMacroItem own;
  own.user_pattern = "%me";
  own.command_pattern = "PRIVMSG";
  own.action = "print";
  own.info = "own %m";
  Use({greet, own});
  ExecuteCommandLine(*unit_, "greet #c everyone", false);
  EXPECT_EQ(Drain(), (Lines{"NOTICE #c :hello from me: everyone"}));
  SubmitInput(*unit_, unit_->FindChannel("#c"), "typed", false, false, false);
  EXPECT_EQ(Drain(), (Lines{"PRIVMSG #c :typed"}));
  EXPECT_TRUE(Contains(unit_->Log(), "own typed"));
}

}  // namespace
}  // namespace zeph

namespace zeph {
namespace {

// The default "selected text as topic" item on the selected channel.
TEST_F(MacroActionsTest, PopupItemsRunForTheUnitWithTheSelection) {
  Enter();
  world_->Select(unit_, unit_->FindChannel("#c"));
  const std::vector<TPopupItem> defaults = DefaultPopupItems();
  for (const TPopupItem& item : defaults) {
    if (item.action == "Topic") macros_impl_->RunPopupItem(*unit_, item);
  }
  EXPECT_EQ(Drain(), (Lines{"TOPIC #c :picked text"}));
  // Lines of menu items are the user's own: they raise events as typed ones.
  TMacroItem own;
  own.user_pattern = "%me";
  own.command_pattern = "PRIVMSG";
  own.action = "print";
  own.info = "own %m";
  Use({own});
  macros_impl_->RunPopupItem(*unit_, TPopupItem{.action = "raw", .info = "PRIVMSG #c :from the menu"});
  EXPECT_EQ(Drain(), (Lines{"PRIVMSG #c :from the menu"}));
  EXPECT_TRUE(Contains(unit_->Log(), "own from the menu"));
}

TEST_F(MacroActionsTest, ActiveChannelIsTheUnitsLastSelection) {
  Enter();
  const TPopupItem item{.action = "raw", .info = "NOTICE bob :[%a]"};
  world_->Select(unit_, unit_->FindChannel("#c"));
  world_->Select(nullptr, nullptr);
  macros_impl_->RunPopupItem(*unit_, item);
  EXPECT_EQ(Drain(), (Lines{"NOTICE bob :[#c]"}));
  world_->Select(unit_, nullptr);
  macros_impl_->RunPopupItem(*unit_, item);
  EXPECT_EQ(Drain(), (Lines{"NOTICE bob :[]"}));
}

}  // namespace
}  // namespace zeph
