#include "app/version1_general.h"

#include <algorithm>
#include <string_view>

#include "app/version1_keys.h"
#include "settings/ini_file.h"

namespace zeph {

namespace {

struct TBoolKey {
  std::string_view version1;
  bool TPreferences::*field;
};

struct TIntKey {
  std::string_view version1;
  int TPreferences::*field;
};

struct TTextKey {
  std::string_view version1;
  std::string TPreferences::*field;
};

using P = TPreferences;

constexpr TBoolKey kBoolKeys[] = {
    {"TrayIconEnabled", &P::EnableTrayIcon},
    {"MinimizeTrayOnly", &P::ShowTrayIconOnMinimized},
    {"Reconnect", &P::Reconnect},
    {"ForceAutoJoin", &P::ForceAutoJoin},
    {"InitLimit", &P::RetryOnHalt},
    {"Rejoin", &P::RejoinOnKick},
    {"ActiveOnJoin", &P::FocusOnJoin},
    {"FlashOnInactive", &P::FlashTitleOnUpdate},
    {"CreateTalkFrame", &P::RegisterOnTalk},
    {"ActiveOnTalk", &P::FocusOnTalk},
    {"InitIMEOn", &P::EnableIMEOnInit},
    {"QueryClose", &P::PromptOnQuit},
    {"HideChSelOnDeactivate", &P::HideSelectionOnInactive},
    {"ViewLast", &P::ViewBottomOnSelect},
    {"AutoRejoin", &P::RejoinToRecoverOp},
    {"LogInstantCopy", &P::LogInstantCopy},
    {"IgnoreConsoleURL", &P::IgnoreURLInConsoleReply},
    {"LogNickMenu", &P::EnableNickContextMenu},
    {"AutoUnaway", &P::UnawayOnSendTalk},
    {"PasteSendNotice", &P::SendMultiLineByNotice},
    {"AllLogging", &P::PrintAllLogToConsole},
    {"EmptyLineMinimize", &P::MinimizeOnSendEmptyLine},
    {"AutoMasking", &P::AutoMask},
    {"WhoisDialogLimitEnable", &P::LimitWhoisDialog},
    {"KeepNickOnReconnect", &P::RestoreNickAndAwayOnReconnect},
    {"ClipURL", &P::AutoClipUrl},
    {"AutoPong", &P::EnableAutoPong},
    {"RetryJoin", &P::RejoinOnError437},
    {"MyURLLogging", &P::RecordUrlInMyMessage},
    {"DetailWhois", &P::DetailWhois},
    {"DisableSndOnAway", &P::MuteOnAway},
    {"EnableConnectSnd", &P::EnableLogInSound},
    {"EnableDisconnectSnd", &P::EnableDisconnectSound},
    {"EnableChannelTextSnd", &P::EnableChannelMessageSound},
    {"EnableTalkTextSnd", &P::EnableTalkMessageSound},
    {"EnableKickSnd", &P::EnableKickSound},
    {"EnableInviteSnd", &P::EnableInviteSound},
    {"EnableTalkSnd", &P::EnableTalkSound},
    {"EnableDCCSnd", &P::EnableDCCReceiveSound},
    {"EnableDCCChatSnd", &P::EnableDCCChatSound},
    {"EnableKeySnd", &P::EnableKeywordSound},
    {"IgnoreCTCP", &P::IgnoreCtcp},
    {"EnableCTCPSendLimit", &P::EnableCtcpSequenceLimit},
    {"BlinkOnDCC", &P::BlinkDialogOnReceive},
    {"DCCFocus", &P::ActivateDialogOnReceive},
    {"AutoAcceptDCCSendForSp", &P::AutoReceiveGroup1},
    {"AutoMinimize", &P::MinimizeDialogOnAutoReceive},
    {"AutoResume", &P::AutoResume},
    {"DCCSendNickDir", &P::ReceiveInNickFolder},
    {"LogFlush", &P::ForceFlushLog},
    {"ConsoleLogSave", &P::EnableUnitLog},
    {"TalkLogSave", &P::EnableTalkLog},
    {"URLLog", &P::EnableURLLog},
    {"AutoOpOnGetOp", &P::EnableAutoOpOnBeingOperator},
    {"AutoCloseDCCReceive", &P::CloseDialogOnEndTransfer},
    // Section Keyword.
    {"KeywordWholeLine", &P::WholeLine},
    {"FlashOnKey", &P::BlinkTitleOnKeyword},
    {"DisableKeyInURL", &P::IgnoreURL},
};

constexpr TIntKey kIntKeys[] = {
    {"ReconnectInterval", &P::ReconnectTime},
    {"ReconnectMax", &P::ReconnectCount},
    {"InitLimitTime", &P::RetryOnHaltTime},
    {"WhoisDialogLimit", &P::WhoisDialogMax},
    {"AutoPongInterval", &P::AutoPongTime},
    {"RetryJoinLimit", &P::Error437RejoinCount},
    {"RetryJoinTime", &P::Error437RejoinInterval},
    {"KanaEncodeMethod", &P::KanaEncodingMethod},
    {"DCCSendPortStart", &P::DCCReceivePortStart},
    {"DCCSendPortEnd", &P::DCCReceivePortEnd},
    {"DCCChatPortStart", &P::DCCChatPortStart},
    {"DCCChatPortEnd", &P::DCCChatPortEnd},
    {"AutoResumeLimit", &P::ReceiveOnResumeFailTime},
    {"LogFlushInterval", &P::FlushLogTime},
    {"LogMaxLine", &P::ChannelLogMaxLines},
    {"AllLogMaxLine", &P::ConsoleLogMaxLines},
    {"AutoOpDelayMin", &P::AutoOpDelayMin},
    {"AutoOpDelayMax", &P::AutoOpDelayMax},
};

// The sound files follow their switches; version 1 stored them beside the
// switches under names of their own.
constexpr TTextKey kTextKeys[] = {
    {"ConnectSndPath", &P::LogInSoundFile},
    {"DisconnectSndPath", &P::DisconnectSoundFile},
    {"ChannelTextSndPath", &P::ChannelMessageSoundFile},
    {"TalkTextSndPath", &P::TalkMessageSoundFile},
    {"KickSndPath", &P::KickSoundFile},
    {"InviteSndPath", &P::InviteSoundFile},
    {"TalkSndPath", &P::TalkSoundFile},
    {"DCCSndPath", &P::DCCReceiveSoundFile},
    {"DCCChatSndPath", &P::DCCChatSoundFile},
    {"KeySndPath", &P::KeywordSoundFile},
    {"IPAddress", &P::IPAddress},
    {"URLOpenApp", &P::URLOpenApplication},
    {"DCCReceivePath", &P::DCCRootDir},
    {"LogSavePath", &P::LogRootDir},
    {"ReferenceHeader", &P::ReferenceMark},
};

void ReadDirectKeys(TVersion1Keys& keys, TPreferences* prefs) {
  for (const TBoolKey& k : kBoolKeys) prefs->*k.field = keys.At(k.version1).ReadBool(k.version1, prefs->*k.field);
  for (const TIntKey& k : kIntKeys)
    prefs->*k.field = keys.At(k.version1).ReadInteger(k.version1, prefs->*k.field);
  for (const TTextKey& k : kTextKeys)
    prefs->*k.field = keys.At(k.version1).ReadString(k.version1, prefs->*k.field);
  // An encoding method outside the four would send text no server reads.
  prefs->KanaEncodingMethod = std::clamp(prefs->KanaEncodingMethod, 0, 3);
}

// Version 1 named some choices by other numbers, or split one choice into
// two switches. Each is renumbered only when the file has its keys, so a
// missing key leaves the choice as it was.
void ReadChoices(TVersion1Keys& keys, TPreferences* prefs) {
  if (keys.Has("AutoAcceptInvite"))
    prefs->InviteAction = keys.At("AutoAcceptInvite").ReadBool("AutoAcceptInvite", prefs->InviteAction == 2) ? 2 : 1;
  if (keys.Has("WhoDelay")) prefs->WhoTiming = keys.At("WhoDelay").ReadBool("WhoDelay", true) ? 2 : 1;
  if (keys.Has("NickInitType")) {
    int type = keys.At("NickInitType").ReadInteger("NickInitType", 0);
    prefs->NickPolicy = type >= 1 && type <= 3 ? type - 1 : 3;
  }
  if (keys.Has("NATType")) {
    int type = keys.At("NATType").ReadInteger("NATType", 0);
    prefs->IPResolveMethod = type >= 0 && type <= 2 ? type : 3;
  }
  if (keys.Has("OpenURLType")) {
    int type = keys.At("OpenURLType").ReadInteger("OpenURLType", 0);
    prefs->URLOpenMethod = type == 1 ? 2 : type == 3 ? 1 : 0;
  }
  if (keys.Has("IgnoreDCC") || keys.Has("AutoAcceptDCCSend")) {
    bool ignore = keys.At("IgnoreDCC").ReadBool("IgnoreDCC", false);
    bool accept = keys.At("AutoAcceptDCCSend").ReadBool("AutoAcceptDCCSend", false);
    prefs->DCCReceiveAction = ignore ? 0 : accept ? 2 : 1;
  }
  if (keys.At("AutoLogSave").ReadBool("AutoLogSave", false) ||
      keys.At("LogChannelsCount").ReadInteger("LogChannelsCount", 0) > 0)
    prefs->EnableChannelLog = true;
  // Version 1 asked for a double click, version 2 for a single one. The
  // default is the negation of the current setting, so that a missing key
  // leaves it as it was instead of turning it over.
  prefs->RestoreTrayIconOnSingleClick =
      !keys.At("RestoreOnDoubleClick").ReadBool("RestoreOnDoubleClick", !prefs->RestoreTrayIconOnSingleClick);
  prefs->Case = !keys.At("KeyIgnoreCase").ReadBool("KeyIgnoreCase", !prefs->Case);
}

void ReadLists(TIniFile& ini, TPreferences* prefs) {
  ini.SetSection("Keyword");
  if (auto like = ReadVersion1List(ini, "KeyCount", "KeyItem")) prefs->like_keywords = *like;
  if (auto dislike = ReadVersion1List(ini, "ForbiddenCount", "ForbiddenItem")) prefs->dislike_keywords = *dislike;
  // Version 1 had one group of special users; it is group 1 here.
  ini.SetSection("SpecialUser");
  if (auto special = ReadVersion1List(ini, "Count", "Item")) prefs->groups[0].masks = *special;
}

void ReadWindow(TVersion1Keys& keys, TWindowLayout* layout) {
  layout->find_case = keys.At("FindCase").ReadBool("FindCase", layout->find_case);
  layout->main.menu_visible = keys.At("ShowMenu").ReadBool("ShowMenu", layout->main.menu_visible);
  layout->main.top_most = keys.At("TopMost").ReadBool("TopMost", layout->main.top_most);
}

TVersion1User ReadUser(TIniFile& ini) {
  TVersion1User user;
  ini.SetSection("User");
  user.username = ini.ReadString("Username", user.username);
  user.realname = ini.ReadString("Realname", user.realname);
  user.part_message = ini.ReadString("PartMes", user.part_message);
  user.quit_message = ini.ReadString("QuitMes", user.quit_message);
  user.away_message = ini.ReadString("AwayMes", user.away_message);
  user.user_info = ini.ReadString("UserInfo", user.user_info);
  user.user_mode = ini.ReadString("UserMode", user.user_mode);
  ini.SetSection("Mode");
  int count = BoundedVersion1Count(ini, "Count");
  for (int i = 0; i < count; ++i) {
    std::string name = ini.ReadString("ChanName" + std::to_string(i), "");
    if (!name.empty()) user.channel_modes.emplace_back(name, ini.ReadString("Mode" + std::to_string(i), ""));
  }
  return user;
}

}  // namespace

TVersion1User ReadVersion1General(TIniFile& ini, TPreferences* prefs, TWindowLayout* layout) {
  TVersion1Keys keys(ini);
  ReadDirectKeys(keys, prefs);
  ReadChoices(keys, prefs);
  ReadLists(ini, prefs);
  ReadWindow(keys, layout);
  return ReadUser(ini);
}

}  // namespace zeph
