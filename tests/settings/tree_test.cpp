#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "settings/ini_file.h"
#include "settings/ini_writer.h"
#include "settings/password_code.h"
#include "settings/tree_file.h"
#include "platform/sjis.h"
#include "support/settings_test_files.h"
#include "support/temp_dir.h"

namespace zeph {
namespace {

using test::ReadBytes;
using test::WindowsText;
using test::WriteBytes;

// A tree as the Windows client writes it: two servers, global and channel
// masks, macro files, a scrambled password and Japanese names.
const char* const kWindowsTree =
    "[World]\n\n"
    "AutoOp.Count=1\nAutoOp.00.Mask=*!*@friend.example.jp\n"
    "Ignore.Count=2\nIgnore.00.Mask=spam!*@*\nIgnore.01.Mask=*!*@*.flood.example\n"
    "Unit.Count=2\n"
    "\n[Unit.00]\n\n"
    "Name=イルカネット\nHostname=irc.example.jp\nPort=6668\n"
    "EnablePassword=true\nPasswordVersion=1\nPassword=HFGHGFHEGHHG\n"
    "Nick=taro\nUsername=taro\nRealname=山田太郎\n"
    "PartMessage=また来ます\nQuitMessage=Leaving...\nAwayMessage=離席中\nUserInfo=東京から\n"
    "AutoConnect=true\nUpdate=true\nConsole=true\nKeyword=true\nInvisible=true\nAutoAway=false\n"
    "EnableNickLen=true\nNickLen=16\nEncoding=0\nMacroHeaderWidth=60\n"
    "EnableSocks=false\nSocksHostname=\nSocksPort=1080\nSocksVersion=4\n"
    "EnableSocksAuth=false\nSocksUsername=\nSocksPassword=\n"
    "AutoOp.Count=1\nAutoOp.00.Mask=hanako!*@*.example.jp\n"
    "MacroFile.Count=2\nMacroFile.00=greeting\nMacroFile.01=away\n"
    "Channel.Count=2\n"
    "Channel.00.Name=#雑談\nChannel.00.Password=\nChannel.00.Mode=+sn\nChannel.00.Topic=ようこそ\n"
    "Channel.00.AutoJoin=true\nChannel.00.Update=true\nChannel.00.Console=true\nChannel.00.Keyword=true\n"
    "Channel.00.AutoOp.Count=2\nChannel.00.AutoOp.00.Mask=jiro!*@*\nChannel.00.AutoOp.01.Mask=*!*@home.example.jp\n"
    "Channel.01.Name=#secret\nChannel.01.Password=key\nChannel.01.Mode=+snk key\nChannel.01.Topic=\n"
    "Channel.01.AutoJoin=false\nChannel.01.Update=false\nChannel.01.Console=false\nChannel.01.Keyword=false\n"
    "Channel.01.AutoOp.Count=0\n"
    "\n[Unit.01]\n\n"
    "Name=work\nHostname=irc.work.example\nPort=6697\n"
    "EnablePassword=false\nPasswordVersion=1\nPassword=\n"
    "Nick=taro_w\nUsername=yamada\nRealname=Taro Yamada\n"
    "PartMessage=Leaving...\nQuitMessage=bye\nAwayMessage=Gone\nUserInfo=\n"
    "AutoConnect=false\nUpdate=true\nConsole=false\nKeyword=true\nInvisible=false\nAutoAway=true\n"
    "EnableNickLen=false\nNickLen=9\nEncoding=1\nMacroHeaderWidth=84\n"
    "EnableSocks=true\nSocksHostname=proxy.work.example\nSocksPort=1081\nSocksVersion=5\n"
    "EnableSocksAuth=true\nSocksUsername=yamada\nSocksPassword=pw\n"
    "AutoOp.Count=0\nMacroFile.Count=0\n"
    "Channel.Count=1\n"
    "Channel.00.Name=#dev\nChannel.00.Password=\nChannel.00.Mode=\nChannel.00.Topic=\n"
    "Channel.00.AutoJoin=true\nChannel.00.Update=true\nChannel.00.Console=true\nChannel.00.Keyword=true\n"
    "Channel.00.AutoOp.Count=0\n";

TWorldConfig Read(std::string_view bytes) {
  TIniFile ini;
  ini.LoadText(bytes);
  TWorldConfig world;
  ReadWorldConfig(ini, &world);
  return world;
}

std::string Written(const TWorldConfig& world) {
  TIniWriter writer;
  WriteWorldConfig(writer, world);
  return writer.Text();
}

TEST(SettingsTreeTest, WindowsFileLoadsAndSavesToTheSameBytes) {
  test::TTempDir dir;
  std::string path = dir.File("config/tree.ini");
  std::filesystem::create_directory(dir.Path() / "config");
  const std::string bytes = WindowsText(kWindowsTree);
  WriteBytes(path, bytes);

  TWorldConfig world;
  ASSERT_TRUE(LoadTree(path, &world));
  EXPECT_EQ(world.auto_op_masks, (std::vector<std::string>{"*!*@friend.example.jp"}));
  EXPECT_EQ(world.ignore_masks.size(), 2u);
  ASSERT_EQ(world.units.size(), 2u);

  const TServerConfig& first = world.units[0];
  EXPECT_EQ(first.name, Sjis("イルカネット"));
  EXPECT_EQ(first.port, 6668);
  EXPECT_TRUE(first.enable_password);
  EXPECT_EQ(first.password, "secret");
  EXPECT_EQ(first.realname, Sjis("山田太郎"));
  EXPECT_TRUE(first.enable_nick_len);
  EXPECT_EQ(first.nick_len, 16);
  EXPECT_EQ(first.macro_files, (std::vector<std::string>{"greeting", "away"}));
  ASSERT_EQ(first.channels.size(), 2u);
  EXPECT_EQ(first.channels[0].name, Sjis("#雑談"));
  EXPECT_EQ(first.channels[0].auto_op_masks.size(), 2u);
  EXPECT_EQ(first.channels[1].password, "key");
  EXPECT_FALSE(first.channels[1].keyword);

  const TServerConfig& second = world.units[1];
  EXPECT_EQ(second.encoding, 1);
  EXPECT_TRUE(second.enable_socks);
  EXPECT_EQ(second.socks_version, 5);
  EXPECT_EQ(second.socks_port, 1081);
  EXPECT_EQ(second.socks_password, "pw");
  EXPECT_EQ(second.channels[0].mode, "");

  ASSERT_TRUE(SaveTree(path, world));
  EXPECT_EQ(ReadBytes(path), bytes);
}

TEST(SettingsTreeTest, SavedTreeIsPrivateAndReadsBackTheSame) {
  test::TTempDir dir;
  std::filesystem::path path = dir.Path() / "users" / "default" / "config" / "tree.ini";
  TWorldConfig world;
  world.ignore_masks = {"a!*@*"};
  TServerConfig unit;
  unit.name = "all bytes";
  for (int b = 0; b < 256; ++b) unit.password += static_cast<char>(b);
  unit.enable_password = true;
  unit.channels.push_back(NewChannelConfig("#new", true));
  unit.channels.push_back(TChannelConfig{});
  world.units.push_back(unit);
  world.units.push_back(TServerConfig{});

  ASSERT_TRUE(SaveTree(path, world));
  struct stat st;
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  ASSERT_EQ(stat(path.parent_path().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);

  TWorldConfig back;
  ASSERT_TRUE(LoadTree(path, &back));
  EXPECT_EQ(back, world);
  EXPECT_EQ(back.units[0].channels[0].mode, "+sn");
}

TEST(SettingsTreeTest, MissingFileGivesAnEmptyTree) {
  test::TTempDir dir;
  TWorldConfig world;
  world.units.emplace_back();
  EXPECT_FALSE(LoadTree(dir.File("tree.ini"), &world));
  EXPECT_EQ(world, TWorldConfig{});
}

TEST(SettingsTreeTest, PasswordFormsOfOldAndNewFiles) {
  struct Case {
    const char* keys;
    std::string password;
    bool enabled;
  };
  const Case cases[] = {
      {"Password=plain\n", "plain", true},  // before scrambling: enabled when set
      {"Password=\nEnablePassword=true\n", "", false},
      {"PasswordVersion=2\nPassword=GDGEGF\nEnablePassword=false\n", "GDGEGF", true},
      {"PasswordVersion=1\nPassword=GDGEGF\n", "abc", false},
      {"PasswordVersion=1\nPassword=GDGEGFG\nEnablePassword=true\n", "abc", true},  // odd: last ignored
      {"PasswordVersion=1\nPassword=JFPMJIHN\nEnablePassword=1\n", Sjis("日本"), true},
  };
  for (const Case& c : cases) {
    TWorldConfig world = Read(std::string("[World]\nUnit.Count=1\n[Unit.00]\n") + c.keys);
    ASSERT_EQ(world.units.size(), 1u);
    EXPECT_EQ(world.units[0].password, c.password) << c.keys;
    EXPECT_EQ(world.units[0].enable_password, c.enabled) << c.keys;
  }

  // The next save stores an old plain password scrambled, with its switch.
  std::string saved = Written(Read("[World]\nUnit.Count=1\n[Unit.00]\nPassword=abc\n"));
  EXPECT_NE(saved.find("EnablePassword=true\r\nPasswordVersion=1\r\nPassword=GDGEGF\r\n"), std::string::npos);

  EXPECT_EQ(EncodePassword("abc"), "GDGEGF");
  EXPECT_EQ(EncodePassword(""), "");
  EXPECT_EQ(DecodePassword("!"), "");
}

TEST(SettingsTreeTest, GapsMissingKeysAndMissingSections) {
  TWorldConfig world = Read(
      "[World]\nAutoOp.Count=3\nAutoOp.00.Mask=a\nAutoOp.02.Mask=c\nUnit.Count=3\n"
      "[Unit.00]\nName=x\nPort=6667x\nChannel.Count=2\nChannel.01.Name=#b\n"
      "MacroFile.Count=2\nMacroFile.01=only\n"
      "[Unit.02]\nName=z\n");
  EXPECT_EQ(world.auto_op_masks, (std::vector<std::string>{"a", "c"}));
  ASSERT_EQ(world.units.size(), 3u);
  EXPECT_EQ(world.units[0].port, 6667);
  EXPECT_EQ(world.units[0].macro_files, (std::vector<std::string>{"only"}));
  ASSERT_EQ(world.units[0].channels.size(), 2u);
  EXPECT_EQ(world.units[0].channels[1].name, "#b");
  // The first channel is kept although unnamed, with the defaults of a
  // channel read; Unit.01 is missing: a server of defaults.
  std::string written = Written(world);
  EXPECT_NE(written.find(WindowsText("Channel.Count=2\n"
                                     "Channel.00.Name=\nChannel.00.Password=\nChannel.00.Mode=\nChannel.00.Topic=\n"
                                     "Channel.00.AutoJoin=false\nChannel.00.Update=true\nChannel.00.Console=true\n"
                                     "Channel.00.Keyword=true\nChannel.00.AutoOp.Count=0\n")),
            std::string::npos)
      << written;
  size_t unit01 = written.find("[Unit.01]");
  EXPECT_EQ(written.substr(unit01, written.find("[Unit.02]") - unit01),
            WindowsText("[Unit.01]\n\n"
                        "Name=\nHostname=\nPort=6667\nEnablePassword=false\nPasswordVersion=1\nPassword=\n"
                        "Nick=\nUsername=\nRealname=\n"
                        "PartMessage=Leaving...\nQuitMessage=Leaving...\nAwayMessage=Gone\nUserInfo=\n"
                        "AutoConnect=false\nUpdate=true\nConsole=true\nKeyword=true\nInvisible=true\nAutoAway=false\n"
                        "EnableNickLen=false\nNickLen=9\nEncoding=0\nMacroHeaderWidth=60\n"
                        "EnableSocks=false\nSocksHostname=\nSocksPort=1080\nSocksVersion=4\n"
                        "EnableSocksAuth=false\nSocksUsername=\nSocksPassword=\n"
                        "AutoOp.Count=0\nMacroFile.Count=0\nChannel.Count=0\n\n"));
}

TEST(SettingsTreeTest, RepeatedUnitNamesAreMadeUnique) {
  TWorldConfig world = Read(
      "[World]\nUnit.Count=4\n[Unit.00]\nName=net\n[Unit.01]\nName=net\n[Unit.02]\nName=net_\n"
      "[Unit.03]\nName=net\n");
  ASSERT_EQ(world.units.size(), 4u);
  EXPECT_EQ(world.units[0].name, "net");
  EXPECT_EQ(world.units[1].name, "net_");
  EXPECT_EQ(world.units[2].name, "net__");
  EXPECT_EQ(world.units[3].name, "net___");
}

TEST(SettingsTreeTest, DamagedCountsInventNothing) {
  TWorldConfig world = Read(
      "[World]\nUnit.Count=2147483647\nIgnore.Count=2147483647\n[Unit.00]\nName=net\n"
      "Channel.Count=2147483647\nChannel.00.Name=#a\n");
  ASSERT_EQ(world.units.size(), 1u);
  EXPECT_EQ(world.units[0].name, "net");
  EXPECT_EQ(world.units[0].channels.size(), 1u);
  EXPECT_TRUE(world.ignore_masks.empty());
  // A missing last section ends the list: no server of defaults after it.
  EXPECT_EQ(Read("[World]\nUnit.Count=2\n[Unit.00]\nName=a\n").units.size(), 1u);
}

}  // namespace
}  // namespace zeph
