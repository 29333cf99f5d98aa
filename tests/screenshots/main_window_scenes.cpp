// Scenes of the main window: two servers with their channels, a Japanese
// conversation and its members; and the first page of the first-start
// wizard.
#include <gtest/gtest.h>

#include "app/application.h"
#include "app/widgets/first_start_wizard.h"
#include "app/widgets/main_frame.h"
#include "engine/channel.h"
#include "platform/poll_loop.h"
#include "platform/sjis.h"
#include "screenshots/scene.h"
#include "settings/tree_file.h"
#include <QTreeView>
#include "support/temp_dir.h"

namespace zeph::test {
namespace {

struct TSaid {
  const char* nick;
  const char* text;
};

const TSaid kConversation[] = {
    {"hanako", "こんばんは！ 今日の勉強会、おつかれさまでした"},
    {"taro", "おつかれさまです。資料は http://example.jp/slides に置きました"},
    {"jiro", "ありがとうございます。次回は来週の水曜日ですね"},
    {"hanako", "はい、同じ部屋で 19時からです"},
    {"taro", "了解です。お店の予約もしておきます"},
};

TServerConfig Server(const char* name, const char* nick, std::vector<const char*> channels) {
  TServerConfig server;
  server.name = Sjis(name);
  server.hostname = "irc.kasumi.example";
  server.nick = nick;
  for (const char* channel : channels) server.channels.push_back(NewChannelConfig(Sjis(channel), true));
  return server;
}

TEST(MainWindowScene, TwoServersAndAConversation) {
  TTempDir home;
  TPollLoop loop;
  TAppFolders folders = TAppFolders::Setup(home.Path(), "taro", "");
  folders.CreateAll();
  TWorldConfig tree;
  tree.units = {Server("KasumiNet", "taro", {"#雑談", "#勉強会"}), Server("HinodeNet", "taro_", {"#ニュース"})};
  ASSERT_TRUE(SaveTree(folders.config / "tree.ini", tree));
  TApplication app(loop, folders);
  app.LoadAllSettings();
  app.Preferences().Installed = true;
  app.Preferences().groups[0].masks = {"hanako!*@*"};
  app.CreateWorld();
  CMainFrame frame(app);
  app.Start({});
  TUnit& unit = *app.World().Units().front();
  TChannel& room = *unit.FindChannel(Sjis("#勉強会"));
  room.Activate();
  for (const char* nick : {"taro", "hanako", "jiro", "saburo"}) room.AddMember(TMember(nick, "u", "example.jp"), false);
  room.SetMemberMode("taro", 'o', true);
  for (const TSaid& said : kConversation) unit.PrintToChannel(room, TMessageKind::Privmsg, said.nick, Sjis(said.text));
  // Marked nodes and a member of a user group show the view settings' colours.
  unit.FindChannel(Sjis("#雑談"))->SetKeywordMark();
  app.World().Units().back()->Channels().front()->SetUpdateMark();
  app.World().Select(&unit, &room);
  frame.ServerTree()->expandAll();
  frame.resize(760, 480);
  EXPECT_TRUE(SaveScene(frame, "main-window"));
}

TEST(MainWindowScene, FirstStartWizard) {
  TTempDir home;
  TPollLoop loop;
  TApplication app(loop, TAppFolders::Setup(home.Path(), "taro", ""));
  TFirstStartWizard wizard(app);
  EXPECT_TRUE(SaveScene(wizard, "first-start-wizard"));
}

}  // namespace
}  // namespace zeph::test
