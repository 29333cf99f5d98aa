// Start-up and shutdown of the application object: profiles and folders,
// the command line, staggered connections, the wait for the servers.
#include "app/application.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>

#include "app/app_folders.h"
#include "settings/tree_file.h"
#include "app/startup_arguments.h"
#include "platform/poll_loop.h"
#include "platform/sjis.h"
#include "support/settings_test_files.h"
#include "support/loopback_peer.h"
#include "support/temp_dir.h"

namespace zeph {
namespace {

TEST(StartupArgumentsTest, ParsesKeyValuePairs) {
  TStartupArguments a = ParseStartupArguments("  server=one\tPROFILE=two foo=bar USER=me SERVER=\"x\" =");
  EXPECT_EQ(a.user, "me");
  EXPECT_EQ(a.server_names, (std::vector<std::string>{"one", "two", "x"}));
  // A value ends at a blank, quoted or not; the rest up to the next "="
  // is then taken as a key.
  a = ParseStartupArguments("USER=\"a b\" SERVER=lost SERVER=kept");
  EXPECT_EQ(a.user, "\"a");
  EXPECT_EQ(a.server_names, std::vector<std::string>{"kept"});
  EXPECT_EQ(ParseStartupArguments("USER=\"quoted\"").user, "quoted");
  EXPECT_EQ(ParseStartupArguments("no pairs here").server_names.size(), 0u);
}

TEST(AppFoldersTest, ProfileFolders) {
  test::TTempDir home;
  TAppFolders plain = TAppFolders::Setup(home.Path(), "taro", "");
  EXPECT_EQ(plain.profile, "default");
  EXPECT_EQ(plain.config, home.Path() / "users" / "default" / "config");
  EXPECT_EQ(TAppFolders::Setup(home.Path(), "taro", "a:b").profile, "a_b");
  // Version-1 files carry the USER value, else the login name, never "default".
  EXPECT_EQ(plain.version1_user, "taro");
  EXPECT_EQ(TAppFolders::Setup(home.Path(), "taro", "a:b").version1_user, "a_b");
  // A profile name must not lead out of the users folder.
  for (const char* hostile : {"../../x", "..", ".", "a/b", "a\\b"}) {
    TAppFolders f = TAppFolders::Setup(home.Path(), "taro", hostile);
    EXPECT_EQ(f.profile_folder.parent_path(), home.Path() / "users") << hostile;
  }
  std::ofstream(home.File("multiuser.ini")) << "";
  EXPECT_EQ(TAppFolders::Setup(home.Path(), "taro", "").profile, "taro");

  ASSERT_TRUE(plain.CreateAll());
  for (const auto& folder : {plain.shared_theme_image, plain.config, plain.macro_data, plain.macro_sound,
                             plain.profile_theme_image})
    EXPECT_TRUE(std::filesystem::is_directory(folder)) << folder;
  EXPECT_EQ(std::filesystem::status(plain.config).permissions() & std::filesystem::perms::others_all,
            std::filesystem::perms::none);
}

class ApplicationTest : public testing::Test {
 protected:
  test::TTempDir home_;
  TPollLoop loop_;
  test::TLoopbackPeer server_{loop_};
  TAppFolders folders_ = TAppFolders::Setup(home_.Path(), "taro", "");

  void WriteTree(std::vector<std::pair<std::string, bool>> units) {
    TWorldConfig tree;
    for (const auto& [name, auto_connect] : units) {
      TServerConfig unit;
      unit.name = name;
      unit.hostname = "127.0.0.1";
      unit.port = server_.Port();
      unit.nick = name;
      unit.auto_connect = auto_connect;
      tree.units.push_back(unit);
    }
    folders_.CreateAll();
    ASSERT_TRUE(SaveTree(folders_.config / "tree.ini", tree));
  }
  // Seconds after start at which each unit began to connect (-1: never).
  std::vector<int> ConnectTimes(TApplication& app, int seconds) {
    std::vector<int> times(app.World().Units().size(), -1);
    for (int t = 0; t <= seconds; ++t) {
      for (size_t i = 0; i < times.size(); ++i) {
        if (times[i] < 0 && app.World().Units()[i]->State() != TUnitState::Idle) times[i] = t;
      }
      loop_.Advance(1000);
    }
    return times;
  }
};

TEST_F(ApplicationTest, AutoConnectEntriesStartThreeSecondsApart) {
  WriteTree({{"a", true}, {"b", false}, {"c", true}, {"d", true}});
  TApplication app(loop_, folders_);
  app.LoadAllSettings();
  app.Start({});
  EXPECT_EQ(ConnectTimes(app, 8), (std::vector<int>{0, -1, 3, 6}));
}

TEST_F(ApplicationTest, NamedServersReplaceAutoConnect) {
  WriteTree({{"a", true}, {"b", false}, {"c", false}});
  TApplication app(loop_, folders_);
  app.LoadAllSettings();
  app.Start({"c", "nowhere", "b"});
  EXPECT_EQ(ConnectTimes(app, 5), (std::vector<int>{-1, 3, 0}));
}

TEST_F(ApplicationTest, ServerNamingNothingFallsBackToAutoConnect) {
  WriteTree({{"a", true}, {"b", false}});
  TApplication app(loop_, folders_);
  app.LoadAllSettings();
  app.Start({"nowhere"});
  EXPECT_EQ(ConnectTimes(app, 4), (std::vector<int>{0, -1}));
}

TEST_F(ApplicationTest, ShutdownWaitsForTheServersAtMostFiveSeconds) {
  WriteTree({{"a", true}});
  TApplication app(loop_, folders_);
  app.LoadAllSettings();
  app.Start({});
  TUnit& unit = *app.World().Units().front();
  ASSERT_TRUE(server_.WaitFor("USER "));
  server_.Send(":irc.test 001 a :Welcome\r\n");
  ASSERT_TRUE(loop_.RunUntil([&] { return unit.IsLoggedIn(); }));

  bool done = false;
  app.Shutdown(false, [&] { done = true; });
  ASSERT_TRUE(server_.WaitFor("QUIT :Leaving...\r\n"));
  loop_.Advance(4900);
  EXPECT_FALSE(done);  // the server has not closed yet
  loop_.Advance(200);
  EXPECT_TRUE(done);
}

TEST_F(ApplicationTest, ShutdownEndsAsSoonAsTheServerCloses) {
  WriteTree({{"a", true}});
  TApplication app(loop_, folders_);
  app.LoadAllSettings();
  app.Start({});
  ASSERT_TRUE(server_.WaitFor("USER "));
  server_.Send(":irc.test 001 a :Welcome\r\n");
  ASSERT_TRUE(loop_.RunUntil([&] { return app.World().Units().front()->IsLoggedIn(); }));
  bool done = false;
  app.Shutdown(false, [&] { done = true; });
  ASSERT_TRUE(server_.WaitFor("QUIT "));
  server_.CloseClient();
  ASSERT_TRUE(server_.Sync());  // the unit has seen the close
  loop_.Advance(100);
  EXPECT_TRUE(done);
}

TEST_F(ApplicationTest, SettingsSurviveASaveAndLoad) {
  WriteTree({{"a", true}});
  {
    TApplication app(loop_, folders_);
    app.LoadAllSettings();
    app.Preferences().ReconnectTime = 42;
    app.Formats().pre_nick = "[%n] ";
    EXPECT_TRUE(app.SaveAllSettings());
  }
  TApplication again(loop_, folders_);
  again.LoadAllSettings();
  EXPECT_EQ(again.Preferences().ReconnectTime, 42);
  EXPECT_EQ(again.Formats().pre_nick, "[%n] ");
}

// Until the view settings are read, a save must keep the fonts and colours
// of a copied profile as they are; only the message formats are rewritten.
TEST_F(ApplicationTest, SavingRewritesOnlyTheFormatSectionOfViewIni) {
  folders_.CreateAll();
  const std::string view_sections = test::WindowsText(
      "[LogText]\n\nLineFont.03.Color=0000ff\nLineFont.03.Name=ＭＳ ゴシック\nLineFont.03.Style=B\n\n"
      "[LogBackground]\n\nColor=000000\n\n");
  const std::string later_section = test::WindowsText("\n[Tree]\n\nFont.Size=90\n");
  test::WriteBytes(folders_.config / "view.ini",
                   view_sections + test::WindowsText("[Format]\n\nTime=%H:%M:%S \nPreNick=<%n> \n") + later_section);
  TApplication app(loop_, folders_);
  app.LoadAllSettings();
  EXPECT_EQ(app.Formats().pre_nick, "<%n> ");
  app.Formats().time = "%H ";
  ASSERT_TRUE(app.SaveAllSettings());

  std::string saved = test::ReadBytes(folders_.config / "view.ini");
  EXPECT_TRUE(saved.starts_with(view_sections + "[Format]\r\n\r\nUnitTitle=")) << saved;
  EXPECT_TRUE(saved.ends_with("\r\n" + later_section)) << saved;
  EXPECT_NE(saved.find("\r\nTime=%H \r\n"), std::string::npos);
  EXPECT_NE(saved.find("\r\nPreNick=<%n> \r\n"), std::string::npos);
  EXPECT_EQ(saved.find("[Format]"), saved.rfind("[Format]"));
}

TEST_F(ApplicationTest, StartUpReadsTheViewSections) {
  folders_.CreateAll();
  test::WriteBytes(folders_.config / "view.ini",
                   test::WindowsText("[LogText]\n\nLineFont.03.Color=0000ff\n\n[ChannelLogBack]\n\nBackStyle=205\n"));
  TApplication app(loop_, folders_);
  app.LoadAllSettings();
  EXPECT_EQ(app.ViewSettings().line_fonts[3].color, 0x0000FFu);  // Join lines red
  EXPECT_EQ(app.ViewSettings().channel_log_back.style, 205);
  EXPECT_EQ(app.ViewSettings().line_fonts[4], TViewSettings().line_fonts[4]) << "the rest keeps its defaults";
}

bool ConsoleHas(TApplication& app, const std::string& part) {
  const TLineStore& console = app.World().Console();
  for (size_t i = 0; i < console.Count(); ++i) {
    if (console.At(i).text.find(part) != std::string::npos) return true;
  }
  return false;
}

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Long lists: a tree far beyond a thousand entries per list comes back
// whole with the next save, which a JOIN of a new channel makes.
TEST_F(ApplicationTest, ALongTreeIsSavedBackWhole) {
  TWorldConfig tree;
  TServerConfig unit;
  unit.name = "a";
  unit.hostname = "127.0.0.1";
  unit.port = server_.Port();
  unit.nick = "a";
  unit.auto_connect = true;
  for (int i = 0; i < 1500; ++i) unit.channels.push_back(NewChannelConfig("#c" + std::to_string(i), false));
  tree.units.push_back(unit);
  for (int i = 0; i < 1200; ++i) tree.ignore_masks.push_back("spam" + std::to_string(i) + "!*@*");
  folders_.CreateAll();
  ASSERT_TRUE(SaveTree(folders_.config / "tree.ini", tree));

  TApplication app(loop_, folders_);
  app.LoadAllSettings();
  app.Start({});
  ASSERT_TRUE(server_.WaitFor("USER "));
  server_.Send(":irc.test 001 a :Welcome\r\n:a!u@h JOIN :#new\r\n");
  ASSERT_TRUE(loop_.RunUntil([&] { return app.World().Units().front()->FindChannel("#new") != nullptr; }));
  loop_.Advance(1000);

  tree.units[0].channels.push_back(NewChannelConfig("#new", false));
  test::TTempDir expected;
  ASSERT_TRUE(SaveTree(expected.Path() / "tree.ini", tree));
  EXPECT_EQ(ReadAll(folders_.config / "tree.ini"), ReadAll(expected.Path() / "tree.ini"));
}

// A tree.ini that is there but cannot be used: said on standard error and
// in the console, and never saved over.
TEST_F(ApplicationTest, AnUnusableTreeFileIsReportedAndLeftAlone) {
  struct Case {
    const char* what;
    std::function<void(const std::filesystem::path&)> make;
    const char* english;
    const char* japanese;
  };
  const Case cases[] = {
      {"folder", [](const std::filesystem::path& p) { std::filesystem::create_directory(p); }, "it is a folder",
       "フォルダです"},
      {"link loop", [](const std::filesystem::path& p) { std::filesystem::create_symlink(p.filename(), p); },
       "it cannot be read", "読み込めません"},
      {"empty", [](const std::filesystem::path& p) { std::ofstream(p, std::ios::binary); }, "it is empty",
       "空のファイルです"},
      {"binary", [](const std::filesystem::path& p) {
         std::ofstream(p, std::ios::binary) << std::string("\xff\xfe[\0W\0o\0r\0l\0d\0]\0\r\0\n\0U\0=\0", 24);
       },
       "it holds no settings", "設定ファイルではありません"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    folders_.CreateAll();
    std::filesystem::path file = folders_.config / "tree.ini";
    std::filesystem::remove_all(file);
    c.make(file);
    std::error_code ec;
    std::string before = std::filesystem::is_regular_file(file, ec) ? ReadAll(file) : std::string();

    TApplication app(loop_, folders_);
    testing::internal::CaptureStderr();
    app.LoadAllSettings();
    std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find(file.string()), std::string::npos) << errors;
    EXPECT_NE(errors.find(c.english), std::string::npos) << errors;
    app.Start({});
    EXPECT_TRUE(app.World().Units().empty());
    EXPECT_TRUE(ConsoleHas(app, Sjis(c.japanese)));

    testing::internal::CaptureStderr();
    EXPECT_FALSE(app.World().SaveTree());
    EXPECT_FALSE(app.SaveAllSettings());
    testing::internal::GetCapturedStderr();
    EXPECT_TRUE(ConsoleHas(app, Sjis("サーバツリーを保存できませんでした")));
    EXPECT_EQ(std::filesystem::is_directory(file, ec), std::string(c.what) == "folder");
    EXPECT_EQ(std::filesystem::is_symlink(file, ec), std::string(c.what) == "link loop");
    if (std::filesystem::is_regular_file(file, ec)) {
      EXPECT_EQ(ReadAll(file), before);
    }
  }
  std::filesystem::remove_all(folders_.config / "tree.ini");
}

}  // namespace
}  // namespace zeph

namespace zeph {
namespace {

TEST_F(ApplicationTest, MacrosAndThePopupMenuComeWithTheSettings) {
  WriteTree({{"a", false}});
  TApplication app(loop_, folders_);
  app.LoadAllSettings();
  EXPECT_EQ(app.PopupMenu().items.size(), DefaultPopupItems().size());
  EXPECT_EQ(app.PopupMenu().items[1].command_id, kPopupCommandBase + 1);
  app.Start({});
  EXPECT_EQ(&app.World().Macros(), &app.Macros());
  EXPECT_EQ(app.Macros().Folders().macro, folders_.macro);
}

}  // namespace
}  // namespace zeph
