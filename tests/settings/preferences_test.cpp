#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "settings/ini_file.h"
#include "settings/ini_writer.h"
#include "settings/preference_file.h"
#include "display/log_file.h"
#include "display/log_file_path.h"
#include "platform/sjis.h"
#include "support/settings_test_files.h"
#include "support/environment.h"
#include "support/temp_dir.h"

namespace zeph {
namespace {

using test::ReadBytes;
using test::WindowsText;
using test::WriteBytes;

// preference.ini as the Windows client writes it, with values changed
// from the defaults in every section, lists, named groups and folders.
const char* const kWindowsPreferences =
    "[Application]\n\nInstalled=true\n"
    "\n[Connection]\n\n"
    "Reconnect=true\nReconnectCount=0\nReconnectTime=30\nRetryOnHalt=true\nRetryOnHaltTime=300\n"
    "ForceAutoJoin=false\nRestoreNickAndAwayOnReconnect=true\nIPResolveMethod=3\nIPAddress=192.0.2.7\n"
    "\n[Event]\n\n"
    "FocusOnJoin=true\nSelectFirstChannelOnInit=true\nRegisterOnTalk=true\nFocusOnTalk=false\n"
    "IgnoreNoticeOnTalk=true\nRejoinOnKick=true\nInviteAction=2\nActivateInviteDialog=true\n"
    "LimitInviteDialog=true\nInviteDialogMax=3\nFlashTitleOnUpdate=false\nExpandTreeOnLogOn=true\n"
    "\n[Interface]\n\n"
    "EnableIMEOnInit=true\nPromptOnQuit=false\nHideSelectionOnInactive=true\nEnableNickContextMenu=true\n"
    "MinimizeOnSendEmptyLine=false\nJoinOnDoubleClick=true\nPartOnDoubleClick=false\n"
    "ConnectOnDoubleClick=true\nDisconnectOnDoubleClick=false\nLogInstantCopy=false\nPromptOnKick=true\n"
    "KickMessage=荒らし行為\n"
    "\n[Action]\n\n"
    "SendMultiLineByNotice=false\nReferenceMark=＞\nNickPolicy=1\nRejoinToRecoverOp=true\n"
    "EnableAutoOpDelay=true\nAutoOpDelayMin=3\nAutoOpDelayMax=20\nEnableAutoOpOnBeingOperator=true\n"
    "URLOpenMethod=2\nURLOpenApplication=C:\\Program Files\\Browser\\browser.exe\nUnawayOnSendTalk=true\n"
    "IgnoreURLInConsoleReply=true\nViewBottomOnSelect=false\nPrintAllLogToConsole=false\n"
    "RecordUrlInMyMessage=true\nAutoClipUrl=false\n"
    "\n[Window]\n\n"
    "HideAllWindowOnMinimize=true\nRestoreOnHotKey=true\nRestoreHotKeyVCode=90\nRestoreHotKeyModifiers=3\n"
    "SnapWindow=false\nForceSingleApplicationInstance=true\nServerAllLog=true\nServerKeyword=true\n"
    "ServerUpdate=false\nTalkAllLog=true\nTalkKeyword=true\nTalkUpdate=true\nDCCChatAllLog=true\n"
    "DCCChatKeyword=false\nDCCChatUpdate=true\nEnableTrayIcon=true\nShowTrayIconOnMinimized=false\n"
    "HideWindowOnMinimize=false\nEnableBaloon=true\nRestoreTrayIconOnSingleClick=false\n"
    "BalloonFollowsAllLog=true\nShowBalloonOnInactive=true\n"
    "\n[Layout]\n\n"
    "InvertLogAndList=false\nInvertMemberAndTree=false\nSortTree=true\nMemberSortMethod=1\nLineLeading=2\n"
    "Indent=6\nBottomMargin=10\nChannelLogMaxLines=5000\nConsoleLogMaxLines=300\n"
    "\n[Keyword]\n\n"
    "BlinkTitleOnKeyword=true\nWholeLine=true\nCase=false\nIgnoreURL=true\nIgnoreNotice=true\n"
    "EnableGroup1=true\nEnableGroup2=true\nEnableGroup3=false\nEnableGroup4=true\nEnableGroup5=true\n"
    "EnableNormal=true\n"
    "Like.Count=2\nLike.00.Pattern=たろう\nLike.01.Pattern=taro\n"
    "Dislike.Count=1\nDislike.00.Pattern=taroimo\n"
    "\n[UserGroup]\n\n"
    "Self.Count=2\nSelf.0.Mask=taro!*@*\nSelf.1.Mask=taro_w!*@*\n"
    "Group.0.Name=友達\nGroup.0.Count=1\nGroup.0.0.Mask=hanako!*@*\n"
    "Group.1.Name=グループ2\nGroup.1.Count=0\n"
    "Group.2.Name=仕事\nGroup.2.Count=0\n"
    "Group.3.Name=グループ4\nGroup.3.Count=0\n"
    "Group.4.Name=グループ5\nGroup.4.Count=0\n"
    "\n[NickList]\n\n"
    "Count=2\nItem.00=taro\nItem.01=たろう\n"
    "\n[Log]\n\n"
    "LogRootDir=C:\\Users\\taro\\Documents\\ZephloraLog\\\nUnitLogFile=Server\\%y%m%d-%s.txt\n"
    "ChannelLogFile=%c\\%y%m%d-%s.txt\nTalkLogFile=Talk\\%y%m%d-%c-%s.txt\n"
    "DCCChatLogFile=DCCChat\\%y%m%d-%c-%s.txt\nURLLogFile=URL\\%y%m%d.txt\n"
    "EnableUnitLog=false\nEnableChannelLog=true\nEnableTalkLog=true\nEnableDCCChatLog=false\n"
    "EnableURLLog=true\nForceFlushLog=true\nFlushLogTime=60\n"
    "\n[Sound]\n\n"
    "MuteOnAway=true\nLogInSoundFile=login.wav\nDisconnectSoundFile=\nKickSoundFile=kick.wav\n"
    "InviteSoundFile=\nTalkSoundFile=talk.wav\nDCCChatSoundFile=\nDCCReceiveSoundFile=\n"
    "DCCReceiveCompleteSoundFile=\nDCCReceiveFailSoundFile=\nDCCSendCompleteSoundFile=\n"
    "DCCSendFailSoundFile=\nKeywordSoundFile=ding.wav\nChannelMessageSoundFile=\nTalkMessageSoundFile=\n"
    "DCCChatMessageSoundFile=\nEnableLogInSound=true\nEnableDisconnectSound=false\nEnableKickSound=true\n"
    "EnableInviteSound=false\nEnableTalkSound=true\nEnableDCCChatSound=false\nEnableDCCReceiveSound=false\n"
    "EnableDCCReceiveCompleteSound=false\nEnableDCCReceiveFailSound=false\nEnableDCCSendCompleteSound=false\n"
    "EnableDCCSendFailSound=false\nEnableKeywordSound=true\nEnableChannelMessageSound=false\n"
    "EnableTalkMessageSound=false\nEnableDCCChatMessageSound=false\n"
    "\n[DCC]\n\n"
    "DCCReceivePortStart=1096\nDCCReceivePortEnd=1115\nDCCChatPortStart=1196\nDCCChatPortEnd=1215\n"
    "CloseDialogOnEndTransfer=1\nDCCReceiveAction=2\nDCCRootDir=C:\\Users\\taro\\Desktop\n"
    "ReceiveInNickFolder=true\nViewDialogOnReceive=true\nMinimizeDialogOnAutoReceive=false\n"
    "BlinkDialogOnReceive=true\nActivateDialogOnReceive=false\nAutoResume=true\nReceiveOnResumeFail=true\n"
    "ReceiveOnResumeFailTime=20\nEnableMaxDCCReceiveConnection=true\nMaxDCCReceiveConnection=3\n"
    "HideFileInReceiving=true\nAutoReceiveSelf=true\nAutoReceiveGroup1=true\nAutoReceiveGroup2=false\n"
    "AutoReceiveGroup3=true\nAutoReceiveGroup4=true\nAutoReceiveGroup5=true\nAutoReceiveNormal=false\n"
    "ViewDialogOnSend=true\nInstantSend=false\nEnableMaxOutgoingBandwidth=true\nMaxOutgoingBandwidth=256\n"
    "ExtendedDCCProtocol=false\nEnableMaxDCCSendConnection=true\nMaxDCCSendConnection=3\n"
    "EnableSendBufferSize=false\nSendBufferSize=4\nDCCChatAction=1\nActivateDCCChatDialog=true\n"
    "SelectOnAutoAcceptChat=false\nEnableMaxDCCChatRequestDialog=true\nMaxDCCChatRequestDialog=3\n"
    "DCCChatAdaptiveEncodingSelection=0\n"
    "\n[UserInfo]\n\n"
    "WhoTiming=2\nDetailWhois=true\nLimitWhoisDialog=true\nWhoisDialogMax=10\nAutoMask=true\n"
    "MaskWholeNick=false\nMaskWholeUsername=false\nMaskAllAddressDigits=true\nMaskFirstAddressToken=false\n"
    "\n[Detail]\n\n"
    "EnableAutoPong=true\nAutoPongTime=90\nRejoinOnError437=true\nError437RejoinInterval=600\n"
    "Error437RejoinCount=10\nIgnoreCtcp=false\nEnableCommand=true\nCommandPrefix=/\n"
    "EnableCtcpSequenceLimit=true\nKanaEncodingMethod=0\n";

// A home folder of its own, so the default folders are known.
class SettingsPreferencesTest : public testing::Test {
 protected:
  test::TTempDir home_;
  test::TScopedEnv home_env_{"HOME", home_.Path().string()};
  test::TScopedEnv config_env_{"XDG_CONFIG_HOME", home_.File(".config")};
};

TPreferences Read(std::string_view bytes) {
  TIniFile ini;
  ini.LoadText(bytes);
  TPreferences prefs = DefaultPreferences();
  ReadPreferences(ini, &prefs);
  return prefs;
}

std::string Written(const TPreferences& prefs) {
  TIniWriter writer;
  WritePreferences(writer, prefs);
  return writer.Text();
}

TEST_F(SettingsPreferencesTest, WindowsFileLoadsAndSavesToTheSameBytes) {
  std::string path = home_.File("preference.ini");
  const std::string bytes = WindowsText(kWindowsPreferences);
  WriteBytes(path, bytes);

  TPreferences prefs;
  ASSERT_TRUE(LoadPreferences(path, &prefs));
  EXPECT_TRUE(prefs.Installed);
  EXPECT_EQ(prefs.ReconnectTime, 30);
  EXPECT_EQ(prefs.IPAddress, "192.0.2.7");
  EXPECT_EQ(prefs.KickMessage, Sjis("荒らし行為"));
  EXPECT_EQ(prefs.ReferenceMark, Sjis("＞"));
  EXPECT_FALSE(prefs.ServerUpdate);
  EXPECT_EQ(prefs.ChannelLogMaxLines, 5000);
  EXPECT_FALSE(prefs.EnableGroup3);
  EXPECT_EQ(prefs.like_keywords, (std::vector<std::string>{Sjis("たろう"), "taro"}));
  EXPECT_EQ(prefs.dislike_keywords, (std::vector<std::string>{"taroimo"}));
  EXPECT_EQ(prefs.self_masks.size(), 2u);
  EXPECT_EQ(prefs.groups[0].name, Sjis("友達"));
  EXPECT_EQ(prefs.groups[0].masks, (std::vector<std::string>{"hanako!*@*"}));
  EXPECT_EQ(prefs.groups[2].name, Sjis("仕事"));
  EXPECT_EQ(prefs.nick_list.size(), 2u);
  EXPECT_EQ(prefs.LogRootDir, "C:\\Users\\taro\\Documents\\ZephloraLog\\");
  EXPECT_EQ(prefs.KickSoundFile, "kick.wav");
  EXPECT_TRUE(prefs.EnableKeywordSound);
  EXPECT_TRUE(prefs.CloseDialogOnEndTransfer);
  EXPECT_EQ(prefs.DCCReceiveAction, 2);
  EXPECT_FALSE(prefs.AutoReceiveNormal);
  EXPECT_EQ(prefs.WhoTiming, 2);
  EXPECT_EQ(prefs.AutoPongTime, 90);
  EXPECT_FALSE(prefs.has_ison_section);

  ASSERT_TRUE(SavePreferences(path, prefs));
  EXPECT_EQ(ReadBytes(path), bytes);
}

TEST_F(SettingsPreferencesTest, EmptyFileGivesTheDefaults) {
  TPreferences prefs = Read("");
  EXPECT_FALSE(prefs.Installed);
  EXPECT_EQ(prefs.ChannelLogMaxLines, 1000);
  EXPECT_EQ(prefs.CommandPrefix, "/");
  EXPECT_EQ(prefs.KickMessage, "Flooder");
  EXPECT_EQ(prefs.UnitLogFile, "Server\\%y%m%d-%s.txt");
  EXPECT_EQ(prefs.RestoreHotKeyVCode, 76);
  EXPECT_EQ(prefs.MaxOutgoingBandwidth, 1024);
  EXPECT_TRUE(prefs.PrintIsonInfoOnServerLog);
  for (int g = 0; g < kUserGroupCount; ++g)
    EXPECT_EQ(prefs.groups[static_cast<size_t>(g)].name, Sjis("グループ") + std::to_string(g + 1));
  EXPECT_EQ(prefs.LogRootDir, home_.Path().string() + "/Documents/ZephloraLog/");
  EXPECT_EQ(prefs.DCCRootDir, home_.Path().string() + "/Desktop");

  // A missing file is the same; the loader reports it.
  TPreferences loaded;
  loaded.Installed = true;
  EXPECT_FALSE(LoadPreferences(home_.File("missing.ini"), &loaded));
  EXPECT_EQ(loaded, prefs);
}

TEST_F(SettingsPreferencesTest, DefaultFoldersFollowTheXdgDocumentsFolder) {
  std::filesystem::create_directory(home_.Path() / ".config");
  WriteBytes(home_.File(".config/user-dirs.dirs"),
             "# written by xdg-user-dirs-update\n"
             "XDG_DESKTOP_DIR=\"$HOME/デスクトップ\"\n"
             "XDG_DOCUMENTS_DIR=\"$HOME/ドキュメント\"\n");
  TPreferences prefs = DefaultPreferences();
  EXPECT_EQ(prefs.LogRootDir, cp932::FromUtf8(home_.Path().string() + "/ドキュメント/ZephloraLog/"));
  EXPECT_EQ(prefs.DCCRootDir, cp932::FromUtf8(home_.Path().string() + "/デスクトップ"));
}

// "é" has no Shift_JIS code: the folder cannot be written as text, yet the
// logs must go there, and no replaced character may reach the file.
TEST_F(SettingsPreferencesTest, DefaultFoldersShiftJisCannotHoldStayEmptyAndStillWork) {
  std::filesystem::path home = home_.Path() / "rené";
  std::filesystem::create_directory(home);
  test::TScopedEnv home_env("HOME", home.string());
  TPreferences prefs = DefaultPreferences();
  EXPECT_EQ(prefs.LogRootDir, "");
  EXPECT_EQ(prefs.DCCRootDir, "");

  std::string path = home_.File("preference.ini");
  ASSERT_TRUE(SavePreferences(path, prefs));
  std::string text = ReadBytes(path);
  EXPECT_NE(text.find("\r\nLogRootDir=\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nDCCRootDir=\r\n"), std::string::npos);
  TPreferences back;
  ASSERT_TRUE(LoadPreferences(path, &back));
  EXPECT_EQ(back.LogRootDir, "");

  TLogFileSettings settings = LogFileSettingsFrom(back);
  EXPECT_EQ(settings.root, home / "Documents" / "ZephloraLog");
  settings.enabled[static_cast<size_t>(TLogFileKind::Unit)] = true;
  TLogFileContext context{settings, [] { return std::time_t{1'700'000'000}; }};
  {
    TLogFile log(context, TLogFileKind::Unit);
    log.SetUnitName("srv");
    log.WriteLine("hello");
    EXPECT_TRUE(log.IsOpen());
  }
  EXPECT_TRUE(std::filesystem::is_directory(home / "Documents" / "ZephloraLog" / "Server"));
}

TEST_F(SettingsPreferencesTest, GroupNamesAndListsFromAPartialFile) {
  TPreferences prefs = Read(
      "[UserGroup]\nGroup.2.Name=named\nGroup.3.Count=1\nGroup.3.0.Mask=m\n"
      "Group.1.Name=\n"
      "[Keyword]\nLike.Count=2\nLike.00.Pattern=\nLike.01.Pattern=word\n"
      "[NickList]\nCount=3\nItem.00=a\nItem.02=c\n");
  EXPECT_EQ(prefs.groups[2].name, "named");
  EXPECT_EQ(prefs.groups[3].name, Sjis("グループ4"));
  EXPECT_EQ(prefs.groups[3].masks, (std::vector<std::string>{"m"}));
  EXPECT_EQ(prefs.groups[1].name, "");  // present and empty stays empty
  EXPECT_EQ(prefs.like_keywords, (std::vector<std::string>{"word"}));
  EXPECT_EQ(prefs.nick_list, (std::vector<std::string>{"a", "c"}));
}

TEST_F(SettingsPreferencesTest, NumberFormsOfTwoSwitches) {
  TPreferences prefs = Read("[DCC]\nCloseDialogOnEndTransfer=true\nDCCChatAdaptiveEncodingSelection=1\n");
  EXPECT_TRUE(prefs.CloseDialogOnEndTransfer);
  EXPECT_TRUE(prefs.DCCChatAdaptiveEncodingSelection);
  std::string text = Written(prefs);
  EXPECT_NE(text.find("CloseDialogOnEndTransfer=1\r\n"), std::string::npos);
  EXPECT_NE(text.find("MaxDCCChatRequestDialog=3\r\nDCCChatAdaptiveEncodingSelection=1\r\n\r\n[UserInfo]"),
            std::string::npos);
}

TEST_F(SettingsPreferencesTest, IsonSectionIsWrittenBackOnlyWhenItWasRead) {
  TPreferences prefs = Read(
      "[Ison]\nShowIsonWindowOnStart=true\nIsonInterval=30\nCount=3\nIsonTarget.00=hanako\n"
      "IsonTarget.02=jiro\n");
  EXPECT_TRUE(prefs.has_ison_section);
  EXPECT_TRUE(prefs.ShowIsonWindowOnStart);
  EXPECT_EQ(prefs.IsonInterval, 30);
  EXPECT_EQ(prefs.ison_targets, (std::vector<std::string>{"hanako", "jiro"}));
  std::string text = Written(prefs);
  EXPECT_NE(text.find("KanaEncodingMethod=0\r\n\r\n[Ison]\r\n\r\n"
                      "ShowIsonWindowOnStart=true\r\nPrintIsonInfoOnServerLog=true\r\nIsonInterval=30\r\n"
                      "Count=2\r\nIsonTarget.00=hanako\r\nIsonTarget.01=jiro\r\n"),
            std::string::npos);
  EXPECT_EQ(Read(text), prefs);

  std::string without = Written(Read("[Detail]\nIgnoreCtcp=true\n"));
  EXPECT_EQ(without.find("[Ison]"), std::string::npos);
  EXPECT_TRUE(without.ends_with("KanaEncodingMethod=0\r\n"));
}

TEST_F(SettingsPreferencesTest, SaveMarksTheProfileInstalledAndReadsBack) {
  std::string path = home_.File("config/preference.ini");
  TPreferences prefs = DefaultPreferences();
  prefs.nick_list = {"taro"};
  prefs.groups[4].masks = {"*!*@example.jp"};
  prefs.IPAddress = "host\r\n[Application]\r\nInstalled=false";  // a line break cannot add keys
  ASSERT_TRUE(SavePreferences(path, prefs));
  TPreferences back;
  ASSERT_TRUE(LoadPreferences(path, &back));
  EXPECT_TRUE(back.Installed);
  EXPECT_EQ(back.IPAddress, "host[Application]Installed=false");
  back.Installed = false;
  back.IPAddress = prefs.IPAddress;
  EXPECT_EQ(back, prefs);
}

TEST_F(SettingsPreferencesTest, LongListsComeBackWhole) {
  TPreferences prefs = DefaultPreferences();
  for (int i = 0; i < 1500; ++i) {
    prefs.like_keywords.push_back("word" + std::to_string(i));
    prefs.groups[0].masks.push_back("user" + std::to_string(i) + "!*@*");
  }
  TPreferences back = Read(Written(prefs));
  EXPECT_EQ(back.like_keywords, prefs.like_keywords);
  EXPECT_EQ(back.groups[0].masks, prefs.groups[0].masks);
}

}  // namespace
}  // namespace zeph
