// The beginner's server entry of the first-start wizard, the program's
// switches, and the tray tooltip.
#include "app/first_start.h"

#include <gtest/gtest.h>

#include "app/program_options.h"
#include "app/tray_text.h"
#include "platform/sjis.h"
#include "settings/line_list.h"
#include "support/temp_dir.h"

namespace zeph {
namespace {

TEST(FirstStartTest, UsernameOfNick) {
  struct {
    std::string nick;
    std::string username;
  } cases[] = {
      {"Taro", "taro"},
      {"a[b]\\c^_{|}~", "a[b]\\c^_{|}~"},
      {"taro-2.x", "taro_2_x"},
      {"", "_"},
      {Sjis("太郎"), "____"},  // both bytes of each double-byte character
      {"x" + Sjis("ア"), "x__"},
  };
  for (const auto& c : cases) EXPECT_EQ(UsernameOfNick(c.nick), c.username) << c.nick;
}

TEST(FirstStartTest, PortOfTheChosenServer) {
  const auto& list = DefaultServerList();
  // The nine servers of the first two groups; the fourth is asked on 6667.
  std::vector<std::string> servers;
  for (size_t i = 0, groups = 0; i < list.size() && groups < 2; ++i) {
    if (list[i] == "-") ++groups;
    else servers.push_back(list[i]);
  }
  ASSERT_EQ(servers.size(), 9u);
  for (size_t i = 0; i < servers.size(); ++i)
    EXPECT_EQ(WizardPort(servers[i], [] { return 4; }), i == 3 ? 6667 : 6664) << servers[i];
  EXPECT_EQ(WizardPort(list.back(), [] { return 4; }), 6667);  // the third group
  EXPECT_EQ(WizardPort("irc.typed.by.hand", [] { return 0; }), 6667);
}

TEST(FirstStartTest, TheBeginnersServerEntry) {
  TWizardChoice choice{"Taro", DefaultServerList().front(), false, {"#zeph", "", "#two"}};
  TServerConfig server = WizardServer(choice, [] { return 6; });
  EXPECT_EQ(server.nick, "Taro");
  EXPECT_EQ(server.realname, "Taro");
  EXPECT_EQ(server.username, "taro");
  EXPECT_EQ(server.hostname, choice.host_text);
  EXPECT_EQ(server.name, "KasumiNet");
  EXPECT_EQ(server.port, 6666);
  EXPECT_FALSE(server.auto_connect);
  ASSERT_EQ(server.channels.size(), 2u);
  for (const TChannelConfig& channel : server.channels) {
    EXPECT_EQ(channel.mode, "+sn");
    EXPECT_TRUE(channel.auto_join && channel.update && channel.console && channel.keyword);
  }
  // Without a network in parentheses the entry is named after the nick.
  EXPECT_EQ(WizardServer({"Taro", "irc.typed", true, {}}, [] { return 0; }).name, "Taro");
}

TEST(FirstStartTest, ServerListIsWrittenFromTheDefaultsOnceAndThenRead) {
  test::TTempDir dir;
  std::filesystem::path path = dir.File("servers.txt");
  EXPECT_EQ(LoadServerList(path), DefaultServerList());
  TLineList mine;
  mine.Add("irc.mine.example (Mine)");
  ASSERT_TRUE(mine.SaveToFile(path));
  EXPECT_EQ(LoadServerList(path), std::vector<std::string>{"irc.mine.example (Mine)"});
}

TEST(ProgramOptionsTest, SwitchesAndPairs) {
  TProgramOptions o = ReadProgramOptions({"--headless", "USER=me", "--verbose", "SERVER=x", "odd=1"});
  EXPECT_TRUE(o.headless && o.verbose);
  EXPECT_TRUE(o.unknown.empty());
  EXPECT_EQ(o.command_line, "USER=me SERVER=x odd=1 ");
  EXPECT_EQ(ReadProgramOptions({"--nope", "--help"}).unknown, "--nope");
  EXPECT_TRUE(ReadProgramOptions({"--help"}).help);
  std::string usage = ProgramUsage("/home/x");
  for (const char* part : {"USER=", "SERVER=", "--headless", "--verbose", "--version", "ZEPHLORA_HOME", "/home/x"})
    EXPECT_NE(usage.find(part), std::string::npos) << part;
}

TEST(TrayTooltipTest, CutAt63BytesOnACharacterBoundary) {
  std::string ascii(70, 'a');
  EXPECT_EQ(TrayTooltip(ascii).size(), 63u);
  std::string kanji = std::string(62, 'a') + Sjis("字");  // the character would end at byte 64
  EXPECT_EQ(TrayTooltip(kanji), std::string(62, 'a'));
  EXPECT_EQ(TrayTooltip("[*] #room"), "[*] #room");
}

}  // namespace
}  // namespace zeph
