#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

// The global preferences of preference.ini. Each field is named after its
// key, so a reader finds a preference by the name it has in the file; the
// initialisers are the defaults. Sections are marked as in the file.
namespace zeph {

// One user group: a name and the masks of its members.
struct TUserGroup {
  std::string name;
  std::vector<std::string> masks;

  bool operator==(const TUserGroup&) const = default;
};

inline constexpr int kUserGroupCount = 5;

// "グループ1" to "グループ5": the name of group index 0 to 4 when the file
// names none.
std::string DefaultGroupName(int index);
std::array<TUserGroup, kUserGroupCount> DefaultUserGroups();

struct TPreferences {
  // [Application]
  bool Installed = false;  // false until the first save: a first start

  // [Connection]
  bool Reconnect = true;
  int ReconnectCount = 10;  // 0 = unlimited
  int ReconnectTime = 20;   // seconds
  bool RetryOnHalt = true;
  int RetryOnHaltTime = 300;
  bool ForceAutoJoin = true;
  bool RestoreNickAndAwayOnReconnect = true;
  int IPResolveMethod = 1;  // 0 adapter, 1 seen at JOIN, 2 by CTCP, 3 IPAddress
  std::string IPAddress;

  // [Event]
  bool FocusOnJoin = false;
  bool SelectFirstChannelOnInit = true;
  bool RegisterOnTalk = true;
  bool FocusOnTalk = false;
  bool IgnoreNoticeOnTalk = true;
  bool RejoinOnKick = false;
  int InviteAction = 1;  // 0 nothing, 1 dialog, 2 join
  bool ActivateInviteDialog = true;
  bool LimitInviteDialog = true;
  int InviteDialogMax = 3;
  bool FlashTitleOnUpdate = false;
  bool ExpandTreeOnLogOn = true;

  // [Interface]
  bool EnableIMEOnInit = false;
  bool PromptOnQuit = true;
  bool HideSelectionOnInactive = true;
  bool EnableNickContextMenu = true;
  bool MinimizeOnSendEmptyLine = false;
  bool JoinOnDoubleClick = true;
  bool PartOnDoubleClick = false;
  bool ConnectOnDoubleClick = false;
  bool DisconnectOnDoubleClick = false;
  bool LogInstantCopy = false;
  bool PromptOnKick = true;
  std::string KickMessage = "Flooder";

  // [Action]
  bool SendMultiLineByNotice = true;
  std::string ReferenceMark = ">";
  int NickPolicy = 0;  // 0 underscore, 1 digits, 2 ask, 3 nothing
  bool RejoinToRecoverOp = true;
  bool EnableAutoOpDelay = true;
  int AutoOpDelayMin = 5;
  int AutoOpDelayMax = 30;
  bool EnableAutoOpOnBeingOperator = true;
  int URLOpenMethod = 0;  // 0 shell, 1 new browser window, 2 URLOpenApplication
  std::string URLOpenApplication;
  bool UnawayOnSendTalk = true;
  bool IgnoreURLInConsoleReply = true;
  bool ViewBottomOnSelect = false;
  bool PrintAllLogToConsole = false;
  bool RecordUrlInMyMessage = false;
  bool AutoClipUrl = false;

  // [Window]
  bool HideAllWindowOnMinimize = true;
  bool RestoreOnHotKey = false;
  int RestoreHotKeyVCode = 76;     // L
  int RestoreHotKeyModifiers = 6;  // 1 Shift, 2 Ctrl, 4 Alt
  bool SnapWindow = false;
  bool ForceSingleApplicationInstance = false;
  bool ServerAllLog = true;
  bool ServerKeyword = true;
  bool ServerUpdate = true;
  bool TalkAllLog = true;
  bool TalkKeyword = true;
  bool TalkUpdate = true;
  bool DCCChatAllLog = true;
  bool DCCChatKeyword = true;
  bool DCCChatUpdate = true;
  bool EnableTrayIcon = true;
  bool ShowTrayIconOnMinimized = false;
  bool HideWindowOnMinimize = false;
  bool EnableBaloon = false;
  bool RestoreTrayIconOnSingleClick = false;
  bool BalloonFollowsAllLog = true;
  bool ShowBalloonOnInactive = true;

  // [Layout]
  bool InvertLogAndList = false;
  bool InvertMemberAndTree = false;
  bool SortTree = false;
  int MemberSortMethod = 4;  // 0 name, 1 ops, 2 group, 3 ops+group, 4 group+ops
  int LineLeading = 0;
  int Indent = 6;
  int BottomMargin = 10;
  int ChannelLogMaxLines = 1000;
  int ConsoleLogMaxLines = 300;

  // [Keyword]
  bool BlinkTitleOnKeyword = true;
  bool WholeLine = false;
  bool Case = false;
  bool IgnoreURL = true;
  bool IgnoreNotice = true;
  bool EnableGroup1 = true;
  bool EnableGroup2 = true;
  bool EnableGroup3 = true;
  bool EnableGroup4 = true;
  bool EnableGroup5 = true;
  bool EnableNormal = true;
  std::vector<std::string> like_keywords;     // Like.Count, Like.%02d.Pattern
  std::vector<std::string> dislike_keywords;  // Dislike.Count, Dislike.%02d.Pattern

  // [UserGroup]
  std::vector<std::string> self_masks;  // Self.Count, Self.%d.Mask
  // Group.%d.Name, Group.%d.Count, Group.%d.%d.Mask
  std::array<TUserGroup, kUserGroupCount> groups = DefaultUserGroups();

  // [NickList]
  std::vector<std::string> nick_list;  // Count, Item.%02d

  // [Log]
  std::string LogRootDir;  // ends with a separator; empty: the default (see DefaultPreferences)
  std::string UnitLogFile = "Server\\%y%m%d-%s.txt";
  std::string ChannelLogFile = "%c\\%y%m%d-%s.txt";
  std::string TalkLogFile = "Talk\\%y%m%d-%c-%s.txt";
  std::string DCCChatLogFile = "DCCChat\\%y%m%d-%c-%s.txt";
  std::string URLLogFile = "URL\\%y%m%d.txt";
  bool EnableUnitLog = false;
  bool EnableChannelLog = false;
  bool EnableTalkLog = false;
  bool EnableDCCChatLog = false;
  bool EnableURLLog = false;
  bool ForceFlushLog = false;
  int FlushLogTime = 180;

  // [Sound]
  bool MuteOnAway = true;
  std::string LogInSoundFile;
  std::string DisconnectSoundFile;
  std::string KickSoundFile;
  std::string InviteSoundFile;
  std::string TalkSoundFile;
  std::string DCCChatSoundFile;
  std::string DCCReceiveSoundFile;
  std::string DCCReceiveCompleteSoundFile;
  std::string DCCReceiveFailSoundFile;
  std::string DCCSendCompleteSoundFile;
  std::string DCCSendFailSoundFile;
  std::string KeywordSoundFile;
  std::string ChannelMessageSoundFile;
  std::string TalkMessageSoundFile;
  std::string DCCChatMessageSoundFile;
  bool EnableLogInSound = false;
  bool EnableDisconnectSound = false;
  bool EnableKickSound = false;
  bool EnableInviteSound = false;
  bool EnableTalkSound = false;
  bool EnableDCCChatSound = false;
  bool EnableDCCReceiveSound = false;
  bool EnableDCCReceiveCompleteSound = false;
  bool EnableDCCReceiveFailSound = false;
  bool EnableDCCSendCompleteSound = false;
  bool EnableDCCSendFailSound = false;
  bool EnableKeywordSound = false;
  bool EnableChannelMessageSound = false;
  bool EnableTalkMessageSound = false;
  bool EnableDCCChatMessageSound = false;

  // [DCC]
  int DCCReceivePortStart = 1096;
  int DCCReceivePortEnd = 1115;
  int DCCChatPortStart = 1196;
  int DCCChatPortEnd = 1215;
  bool CloseDialogOnEndTransfer = false;  // stored as 1/0
  int DCCReceiveAction = 1;               // 0 nothing, 1 list, 2 receive
  std::string DCCRootDir;                 // empty: the desktop folder (see DefaultPreferences)
  bool ReceiveInNickFolder = false;
  bool ViewDialogOnReceive = true;
  bool MinimizeDialogOnAutoReceive = false;
  bool BlinkDialogOnReceive = true;
  bool ActivateDialogOnReceive = false;
  bool AutoResume = false;
  bool ReceiveOnResumeFail = true;
  int ReceiveOnResumeFailTime = 20;
  bool EnableMaxDCCReceiveConnection = true;
  int MaxDCCReceiveConnection = 3;
  bool HideFileInReceiving = true;
  bool AutoReceiveSelf = true;
  bool AutoReceiveGroup1 = true;
  bool AutoReceiveGroup2 = true;
  bool AutoReceiveGroup3 = true;
  bool AutoReceiveGroup4 = true;
  bool AutoReceiveGroup5 = true;
  bool AutoReceiveNormal = true;
  bool ViewDialogOnSend = true;
  bool InstantSend = false;
  bool EnableMaxOutgoingBandwidth = false;
  int MaxOutgoingBandwidth = 1024;  // KB per second
  bool ExtendedDCCProtocol = false;
  bool EnableMaxDCCSendConnection = true;
  int MaxDCCSendConnection = 3;
  bool EnableSendBufferSize = false;
  int SendBufferSize = 4;  // KB
  int DCCChatAction = 1;   // 0 nothing, 1 dialog, 2 start
  bool ActivateDCCChatDialog = true;
  bool SelectOnAutoAcceptChat = false;
  bool EnableMaxDCCChatRequestDialog = true;
  int MaxDCCChatRequestDialog = 3;
  bool DCCChatAdaptiveEncodingSelection = false;  // stored as 1/0

  // [UserInfo]
  int WhoTiming = 1;  // 0 at once, 1 fast wait, 2 slow wait, 3 never
  bool DetailWhois = true;
  bool LimitWhoisDialog = true;
  int WhoisDialogMax = 10;
  bool AutoMask = true;
  bool MaskWholeNick = false;
  bool MaskWholeUsername = false;
  bool MaskAllAddressDigits = true;
  bool MaskFirstAddressToken = false;

  // [Detail]
  bool EnableAutoPong = true;
  int AutoPongTime = 120;
  bool RejoinOnError437 = true;
  int Error437RejoinInterval = 600;
  int Error437RejoinCount = 10;  // 0 = unlimited
  bool IgnoreCtcp = false;
  bool EnableCommand = true;
  std::string CommandPrefix = "/";
  bool EnableCtcpSequenceLimit = true;
  int KanaEncodingMethod = 0;  // 0 full-width, 1 8-bit, 2 SO/SI, 3 kana set

  // [Ison]: kept for the file's sake; nothing acts on it. Written back only
  // when the loaded file had the section, so files without it stay as they
  // were.
  bool ShowIsonWindowOnStart = false;
  bool PrintIsonInfoOnServerLog = true;
  int IsonInterval = 60;
  std::vector<std::string> ison_targets;  // Count, IsonTarget.%02d
  bool has_ison_section = false;

  bool operator==(const TPreferences&) const = default;
};

// The defaults with the folders that depend on the user: LogRootDir is the
// documents folder (the desktop if there is none) + "/ZephloraLog/",
// DCCRootDir the desktop folder; both as internal text. A folder whose
// name Shift_JIS cannot hold (a home folder "/home/rené") stays empty, and
// empty means "the default folder": the one using it asks for the folder
// itself, so a name with replaced characters never reaches a file.
TPreferences DefaultPreferences();

// The default log folder as the file system names it.
std::filesystem::path DefaultLogRootFolder();

}  // namespace zeph
