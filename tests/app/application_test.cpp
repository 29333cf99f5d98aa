// Start-up and shutdown of the application object: profiles and folders,
// the command line, staggered connections, the wait for the servers.
#include "app/application.h"

#include <gtest/gtest.h>

#include <fstream>

#include "app/app_folders.h"
#include "app/settings/tree_file.h"
#include "app/startup_arguments.h"
#include "platform/poll_loop.h"
#include "platform/sjis.h"
#include "settings_test_files.h"
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
    app.Formats().preNick = "[%n] ";
    EXPECT_TRUE(app.SaveAllSettings());
  }
  TApplication again(loop_, folders_);
  again.LoadAllSettings();
  EXPECT_EQ(again.Preferences().ReconnectTime, 42);
  EXPECT_EQ(again.Formats().preNick, "[%n] ");
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
  EXPECT_EQ(app.Formats().preNick, "<%n> ");
  app.Formats().time = "%H ";
  ASSERT_TRUE(app.SaveAllSettings());

  std::string saved = test::ReadBytes(folders_.config / "view.ini");
  EXPECT_TRUE(saved.starts_with(view_sections + "[Format]\r\n\r\nUnitTitle=")) << saved;
  EXPECT_TRUE(saved.ends_with("\r\n" + later_section)) << saved;
  EXPECT_NE(saved.find("\r\nTime=%H \r\n"), std::string::npos);
  EXPECT_NE(saved.find("\r\nPreNick=<%n> \r\n"), std::string::npos);
  EXPECT_EQ(saved.find("[Format]"), saved.rfind("[Format]"));
}

}  // namespace
}  // namespace zeph
