// The one-time import of a version-1 installation: which file feeds which
// setting, what a missing key leaves alone, and how the user's files are
// copied without losing any of the profile's.
#include "app/version1_import.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/version1_folder.h"
#include "platform/sjis.h"
#include "settings/preference_file.h"
#include "settings/tree_file.h"
#include "settings/window_layout.h"
#include "support/settings_test_files.h"
#include "support/temp_dir.h"

namespace zeph {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WindowsText;
using test::WriteBytes;

class Version1ImportTest : public testing::Test {
 protected:
  Version1ImportTest()
      : source_(home_.Path() / "old"), folders_(TAppFolders::Setup(home_.Path() / "new", "taro", "")) {
    fs::create_directories(source_ / "Config");
    folders_.CreateAll();
    settings_.preferences = TPreferences{};
  }

  void WriteConfig(const std::string& suffix, std::string_view utf8) {
    WriteBytes(source_ / "Config" / ("taro" + suffix), WindowsText(utf8));
  }
  void WriteSource(const fs::path& relative, std::string_view bytes) {
    fs::create_directories((source_ / relative).parent_path());
    WriteBytes(source_ / relative, bytes);
  }

  TImportReport Import() { return ImportVersion1(source_, "taro", folders_, &settings_); }

  TPreferences SavedPreferences() const {
    TPreferences prefs;
    LoadPreferences(folders_.config / "preference.ini", &prefs);
    return prefs;
  }

  test::TTempDir home_;
  fs::path source_;
  TAppFolders folders_;
  TImportSettings settings_;
};

TEST_F(Version1ImportTest, FindsTheGeneralFileInFoldersOfAnyCase) {
  EXPECT_FALSE(HasVersion1Settings(source_, "taro"));
  fs::rename(source_ / "Config", source_ / "CONFIG");
  WriteBytes(source_ / "CONFIG" / "Taro-General.INI", "");
  EXPECT_TRUE(HasVersion1Settings(source_, "taro"));
  EXPECT_FALSE(HasVersion1Settings(source_, "jiro"));
  EXPECT_EQ(FindVersion1Installation(source_, "taro"), source_);
  // The second place looked in is "zephlora1" beside the application folder.
  EXPECT_EQ(Version1Candidates(home_.Path() / "new" / "").back(), home_.Path() / "zephlora1");
}

TEST_F(Version1ImportTest, GeneralFileFillsThePreferencesByTheTable) {
  WriteConfig("-general.ini",
              "[Option]\n"
              "ReconnectInterval=\"45\"\n"
              "TrayIconEnabled=0\n"
              "DCCSendPortStart=2000\n"
              "RestoreOnDoubleClick=1\n"
              "NickInitType=2\n"
              "NATType=7\n"
              "OpenURLType=3\n"
              "IgnoreDCC=0\n"
              "AutoAcceptDCCSend=1\n"
              "AutoAcceptInvite=1\n"
              "WhoDelay=0\n"
              "AutoLogSave=0\n"
              "LogChannelsCount=2\n"
              "KanaEncodeMethod=99\n"
              "KeySndPath=\"C:\\snd\\key.wav\"\n"
              "[Keyword]\n"
              "KeyIgnoreCase=0\n"
              "KeyCount=2\n"
              "KeyItem0=キーワード\n"
              "KeyItem1=\"two\"\n"
              "ForbiddenCount=2147483647\n"
              "ForbiddenItem0=no\n"
              "[SpecialUser]\n"
              "Count=1\n"
              "Item0=*!*@friend.example\n");
  TImportReport report = Import();
  ASSERT_TRUE(report.settings_saved);
  TPreferences p = SavedPreferences();
  EXPECT_EQ(p.ReconnectTime, 45);
  EXPECT_FALSE(p.EnableTrayIcon);
  EXPECT_EQ(p.DCCReceivePortStart, 2000);
  EXPECT_FALSE(p.RestoreTrayIconOnSingleClick);  // double click wanted: no single click
  EXPECT_EQ(p.NickPolicy, 1);
  EXPECT_EQ(p.IPResolveMethod, 3);
  EXPECT_EQ(p.URLOpenMethod, 1);
  EXPECT_EQ(p.DCCReceiveAction, 2);
  EXPECT_EQ(p.InviteAction, 2);
  EXPECT_EQ(p.WhoTiming, 1);
  EXPECT_TRUE(p.EnableChannelLog);
  EXPECT_EQ(p.KanaEncodingMethod, 3);
  EXPECT_EQ(p.KeywordSoundFile, "C:\\snd\\key.wav");
  EXPECT_TRUE(p.Case);
  EXPECT_EQ(p.like_keywords, (std::vector<std::string>{Sjis("キーワード"), "two"}));
  EXPECT_EQ(p.dislike_keywords, std::vector<std::string>{"no"});  // a huge count reads what is there
  EXPECT_EQ(p.groups[0].masks, std::vector<std::string>{"*!*@friend.example"});
}

TEST_F(Version1ImportTest, WindowOptionsLandInTheWholeWindowLayout) {
  WriteConfig("-general.ini", "[Option]\nShowMenu=0\n[Find]\nFindCase=\"1\"\n");
  TWindowLayout& current = settings_.window;
  current.main.rect = TWindowRect::At(10, 20, 700, 600);
  current.main.top_most = true;  // not in the file: stays
  current.dcc.header[8] = 77;
  current.custom_colors[15] = 0x123456;
  TWindowLayout expected = current;
  expected.main.menu_visible = false;
  expected.find_case = true;
  ASSERT_TRUE(Import().settings_saved);
  EXPECT_EQ(LoadWindowLayout(folders_.config / "window.ini"), expected);
  // Written as the program writes window.ini, every section in its order.
  ASSERT_TRUE(SaveWindowLayout(home_.Path() / "expected.ini", expected));
  EXPECT_EQ(ReadBytes(folders_.config / "window.ini"), ReadBytes(home_.Path() / "expected.ini"));
}

TEST_F(Version1ImportTest, MissingKeysLeaveEverySettingAsItWas) {
  WriteConfig("-general.ini", "[Option]\nReconnect=0\n");
  TPreferences before;
  before.RestoreTrayIconOnSingleClick = true;  // the inverted key
  before.Case = true;                          // the other inverted one
  before.InviteAction = 0;
  before.NickPolicy = 2;
  before.WhoTiming = 3;
  before.DCCReceiveAction = 0;
  before.like_keywords = {"kept"};
  settings_.preferences = before;
  settings_.window.main.rect.left = 10;
  settings_.window.main.top_most = true;
  settings_.window.find_case = true;
  TWindowLayout window = settings_.window;
  Import();
  TPreferences after = SavedPreferences();
  before.Reconnect = false;
  before.Installed = true;
  EXPECT_EQ(after, before);
  EXPECT_EQ(LoadWindowLayout(folders_.config / "window.ini"), window);
}

TEST_F(Version1ImportTest, ProfilesAndListsBecomeTheServerTree) {
  WriteConfig("-general.ini",
              "[User]\nUsername=taro\nRealname=\"山田 太郎\"\nQuitMes=bye\nUserMode=+w\n"
              "[Mode]\nCount=1\nChanName0=#secret\nMode0=+snk\n");
  WriteConfig("-profile.ini",
              "[Root]\nProfileCount=3\nName0=net\nAutoConnect0=1\nName1=net\nName2=\n"
              "[net]\nServer=irc.example.net\nPort=6668\nPassword=GDGEGF\nPasswordVersion=1\nNick=taro\n"
              "ExtendedServer=1\nExtendedNickLen=16\nMacroFilesCount=1\nMacroFiles0=C:\\Z1\\Macro\\a.lmf\n"
              "AutoJoinChCount=2\nAutoJoinChItem0=#チャンネル\nAutoJoinChItem1=#secret\n");
  WriteConfig("-autoop.lcf", "*!*@op.example\n\n  *!*@op.example \n");
  WriteConfig("-nicks.lcf", "taro\ntaro_\n");
  WriteConfig("-ignore.lcf", "*!*@spam.example\n");
  Import();
  TWorldConfig tree;
  ASSERT_TRUE(LoadTree(folders_.config / "tree.ini", &tree));
  ASSERT_EQ(tree.units.size(), 2u);
  const TServerConfig& unit = tree.units[0];
  EXPECT_EQ(unit.name, "net");
  EXPECT_EQ(tree.units[1].name, "net_");
  EXPECT_TRUE(unit.auto_connect);
  EXPECT_FALSE(tree.units[1].auto_connect);
  EXPECT_EQ(unit.hostname, "irc.example.net");
  EXPECT_EQ(unit.port, 6668);
  EXPECT_EQ(unit.password, "abc");
  EXPECT_TRUE(unit.enable_password);
  EXPECT_TRUE(unit.enable_nick_len);
  EXPECT_EQ(unit.nick_len, 16);
  EXPECT_EQ(unit.realname, Sjis("山田 太郎"));
  EXPECT_EQ(unit.quit_message, "bye");
  EXPECT_EQ(unit.part_message, "Leaving...");
  EXPECT_FALSE(unit.invisible);
  EXPECT_EQ(unit.macro_files, std::vector<std::string>{"a.lmf"});
  ASSERT_EQ(unit.channels.size(), 2u);
  EXPECT_EQ(unit.channels[0].name, Sjis("#チャンネル"));
  EXPECT_EQ(unit.channels[0].mode, "+sn");
  EXPECT_TRUE(unit.channels[0].auto_join);
  EXPECT_EQ(unit.channels[1].mode, "+snk");
  EXPECT_EQ(tree.auto_op_masks, std::vector<std::string>{"*!*@op.example"});
  EXPECT_EQ(tree.ignore_masks, std::vector<std::string>{"*!*@spam.example"});
  EXPECT_EQ(SavedPreferences().nick_list, (std::vector<std::string>{"taro", "taro_"}));
}

TEST_F(Version1ImportTest, ViewFileGivesViewSettingsFormatsAndLayoutPreferences) {
  WriteConfig("-view.ini",
              "[BkColor]\nLogBkColor=clBlack\nInputBkColor=\"102030\"\n"
              "[Font_Text]\nName=\"ＭＳ ゴシック\"\nSize=9\nColor=clYellow\nStyle=BI\n"
              "[ChImageFile]\nCount=1\nChanName0=全チャンネルログ\nDrawType0=9\nImageFile0=C:\\x\\..\\back.bmp\n"
              "[LogBackground]\nLineMargin=3\n"
              "[Format]\nSortWithOp=1\nSortWithMask=0\nInvertPanel=1\nTimeFormat=hh:nn:ss\n");
  Import();
  TViewSettings view;
  ASSERT_TRUE(view.LoadViewSettings(folders_.config / "view.ini", true, true));
  EXPECT_EQ(view.channel_log_back.color, 0u);
  EXPECT_EQ(view.edit_back_color, 0x102030u);
  EXPECT_EQ(view.line_fonts[0].size, 90);
  EXPECT_EQ(view.line_fonts[0].color, 0x00FFFFu);  // red in the lowest byte
  EXPECT_EQ(view.all_log_back.style, 207);
  EXPECT_EQ(view.all_log_back.image_file, "back.bmp");
  EXPECT_EQ(view.formats.time, "%H:%M:%S");
  std::string bytes = ReadBytes(folders_.config / "view.ini");
  EXPECT_NE(bytes.find("SelectBackColor=e16941\r\n"), std::string::npos);
  EXPECT_NE(bytes.find(Sjis("ＭＳ ゴシック")), std::string::npos);
  TPreferences p = SavedPreferences();
  EXPECT_EQ(p.LineLeading, 3);
  EXPECT_EQ(p.MemberSortMethod, 1);
  EXPECT_TRUE(p.InvertLogAndList);
  EXPECT_FALSE(p.InvertMemberAndTree);
}

TEST_F(Version1ImportTest, CopiesKeepTheProfilesFilesAndStayInsideTheSource) {
  WriteConfig("-general.ini", "");
  WriteSource("macro/a.lmf", "new macro");
  WriteSource("macro/same.lmf", "same");
  WriteSource("macro/notes.txt", "not a macro");
  WriteSource("macro/File/data.txt", "data");  // Windows names in any case
  WriteSource("Image/back.bmp", "BM");
  WriteSource("Template/dark.lvf", "[BkColor]\r\n");
  WriteBytes(folders_.macro / "a.lmf", "old macro");
  WriteBytes(folders_.macro / "a.lmf.bak", "older");
  WriteBytes(folders_.macro / "same.lmf", "same");
  WriteBytes(home_.Path() / "secret", "outside");
  fs::create_symlink(home_.Path() / "secret", source_ / "macro" / "escape.lmf");
  // The sound folder cannot be made: its copies fail, the others go on.
  WriteSource("Sound/ring.wav", "RIFF");
  fs::remove_all(folders_.macro_sound);
  WriteBytes(folders_.macro_sound, "a file in the way");

  TImportReport report = Import();
  EXPECT_EQ(ReadBytes(folders_.macro / "a.lmf"), "new macro");
  EXPECT_EQ(ReadBytes(folders_.macro / "a.lmf.bak"), "older");
  EXPECT_EQ(ReadBytes(folders_.macro / "a.lmf.bak2"), "old macro");
  EXPECT_FALSE(fs::exists(folders_.macro / "same.lmf.bak"));
  EXPECT_FALSE(fs::exists(folders_.macro / "notes.txt"));
  EXPECT_FALSE(fs::exists(folders_.macro / "escape.lmf"));
  EXPECT_EQ(ReadBytes(folders_.macro_data / "data.txt"), "data");
  EXPECT_EQ(ReadBytes(folders_.profile_theme_image / "back.bmp"), "BM");
  EXPECT_EQ(ReadBytes(folders_.profile_theme / "dark.lvf"), "[BkColor]\r\n");
  EXPECT_EQ(report.failed, 1);
  EXPECT_EQ(report.copied, 5);
  EXPECT_TRUE(report.settings_saved);
  EXPECT_GE(report.lines.size(), 4u);  // the kept file, the link, the folder, the counts
}

}  // namespace
}  // namespace zeph
