#include "settings/preference_file.h"

#include <span>

#include "settings/counted_list.h"
#include "settings/field_table.h"

namespace zeph {
namespace {

// Every field is named after its key; the macros keep the two the same.
#define ZEPH_KEY(name) TField<TPreferences>{#name, &TPreferences::name}
#define ZEPH_KEY_AS_NUMBER(name) TField<TPreferences>{#name, &TPreferences::name, true}

using TFields = std::span<const TField<TPreferences>>;
using TListReader = void (*)(const TIniFile&, TPreferences*);
using TListWriter = void (*)(TIniWriter&, const TPreferences&);

// One section of the file: its keys in the order written, then its lists.
struct TSection {
  const char* name;
  TFields fields;
  TListReader read_lists = nullptr;
  TListWriter write_lists = nullptr;
};

constexpr TField<TPreferences> kApplication[] = {ZEPH_KEY(Installed)};

constexpr TField<TPreferences> kConnection[] = {
    ZEPH_KEY(Reconnect),     ZEPH_KEY(ReconnectCount), ZEPH_KEY(ReconnectTime),
    ZEPH_KEY(RetryOnHalt),   ZEPH_KEY(RetryOnHaltTime), ZEPH_KEY(ForceAutoJoin),
    ZEPH_KEY(RestoreNickAndAwayOnReconnect), ZEPH_KEY(IPResolveMethod), ZEPH_KEY(IPAddress),
};

constexpr TField<TPreferences> kEvent[] = {
    ZEPH_KEY(FocusOnJoin),          ZEPH_KEY(SelectFirstChannelOnInit), ZEPH_KEY(RegisterOnTalk),
    ZEPH_KEY(FocusOnTalk),          ZEPH_KEY(IgnoreNoticeOnTalk),       ZEPH_KEY(RejoinOnKick),
    ZEPH_KEY(InviteAction),         ZEPH_KEY(ActivateInviteDialog),     ZEPH_KEY(LimitInviteDialog),
    ZEPH_KEY(InviteDialogMax),      ZEPH_KEY(FlashTitleOnUpdate),       ZEPH_KEY(ExpandTreeOnLogOn),
};

constexpr TField<TPreferences> kInterface[] = {
    ZEPH_KEY(EnableIMEOnInit),      ZEPH_KEY(PromptOnQuit),         ZEPH_KEY(HideSelectionOnInactive),
    ZEPH_KEY(EnableNickContextMenu), ZEPH_KEY(MinimizeOnSendEmptyLine), ZEPH_KEY(JoinOnDoubleClick),
    ZEPH_KEY(PartOnDoubleClick),    ZEPH_KEY(ConnectOnDoubleClick), ZEPH_KEY(DisconnectOnDoubleClick),
    ZEPH_KEY(LogInstantCopy),       ZEPH_KEY(PromptOnKick),         ZEPH_KEY(KickMessage),
};

constexpr TField<TPreferences> kAction[] = {
    ZEPH_KEY(SendMultiLineByNotice), ZEPH_KEY(ReferenceMark),       ZEPH_KEY(NickPolicy),
    ZEPH_KEY(RejoinToRecoverOp),     ZEPH_KEY(EnableAutoOpDelay),   ZEPH_KEY(AutoOpDelayMin),
    ZEPH_KEY(AutoOpDelayMax),        ZEPH_KEY(EnableAutoOpOnBeingOperator), ZEPH_KEY(URLOpenMethod),
    ZEPH_KEY(URLOpenApplication),    ZEPH_KEY(UnawayOnSendTalk),    ZEPH_KEY(IgnoreURLInConsoleReply),
    ZEPH_KEY(ViewBottomOnSelect),    ZEPH_KEY(PrintAllLogToConsole), ZEPH_KEY(RecordUrlInMyMessage),
    ZEPH_KEY(AutoClipUrl),
};

constexpr TField<TPreferences> kWindow[] = {
    ZEPH_KEY(HideAllWindowOnMinimize), ZEPH_KEY(RestoreOnHotKey),  ZEPH_KEY(RestoreHotKeyVCode),
    ZEPH_KEY(RestoreHotKeyModifiers),  ZEPH_KEY(SnapWindow),       ZEPH_KEY(ForceSingleApplicationInstance),
    ZEPH_KEY(ServerAllLog),            ZEPH_KEY(ServerKeyword),    ZEPH_KEY(ServerUpdate),
    ZEPH_KEY(TalkAllLog),              ZEPH_KEY(TalkKeyword),      ZEPH_KEY(TalkUpdate),
    ZEPH_KEY(DCCChatAllLog),           ZEPH_KEY(DCCChatKeyword),   ZEPH_KEY(DCCChatUpdate),
    ZEPH_KEY(EnableTrayIcon),          ZEPH_KEY(ShowTrayIconOnMinimized), ZEPH_KEY(HideWindowOnMinimize),
    ZEPH_KEY(EnableBaloon),            ZEPH_KEY(RestoreTrayIconOnSingleClick), ZEPH_KEY(BalloonFollowsAllLog),
    ZEPH_KEY(ShowBalloonOnInactive),
};

constexpr TField<TPreferences> kLayout[] = {
    ZEPH_KEY(InvertLogAndList), ZEPH_KEY(InvertMemberAndTree), ZEPH_KEY(SortTree),
    ZEPH_KEY(MemberSortMethod), ZEPH_KEY(LineLeading),         ZEPH_KEY(Indent),
    ZEPH_KEY(BottomMargin),     ZEPH_KEY(ChannelLogMaxLines),  ZEPH_KEY(ConsoleLogMaxLines),
};

constexpr TField<TPreferences> kKeyword[] = {
    ZEPH_KEY(BlinkTitleOnKeyword), ZEPH_KEY(WholeLine),    ZEPH_KEY(Case),
    ZEPH_KEY(IgnoreURL),           ZEPH_KEY(IgnoreNotice), ZEPH_KEY(EnableGroup1),
    ZEPH_KEY(EnableGroup2),        ZEPH_KEY(EnableGroup3), ZEPH_KEY(EnableGroup4),
    ZEPH_KEY(EnableGroup5),        ZEPH_KEY(EnableNormal),
};

constexpr TField<TPreferences> kLog[] = {
    ZEPH_KEY(LogRootDir),    ZEPH_KEY(UnitLogFile),    ZEPH_KEY(ChannelLogFile),  ZEPH_KEY(TalkLogFile),
    ZEPH_KEY(DCCChatLogFile), ZEPH_KEY(URLLogFile),    ZEPH_KEY(EnableUnitLog),   ZEPH_KEY(EnableChannelLog),
    ZEPH_KEY(EnableTalkLog), ZEPH_KEY(EnableDCCChatLog), ZEPH_KEY(EnableURLLog),  ZEPH_KEY(ForceFlushLog),
    ZEPH_KEY(FlushLogTime),
};

// All file names first, then all switches, each in the order of events.
constexpr TField<TPreferences> kSound[] = {
    ZEPH_KEY(MuteOnAway),
    ZEPH_KEY(LogInSoundFile),
    ZEPH_KEY(DisconnectSoundFile),
    ZEPH_KEY(KickSoundFile),
    ZEPH_KEY(InviteSoundFile),
    ZEPH_KEY(TalkSoundFile),
    ZEPH_KEY(DCCChatSoundFile),
    ZEPH_KEY(DCCReceiveSoundFile),
    ZEPH_KEY(DCCReceiveCompleteSoundFile),
    ZEPH_KEY(DCCReceiveFailSoundFile),
    ZEPH_KEY(DCCSendCompleteSoundFile),
    ZEPH_KEY(DCCSendFailSoundFile),
    ZEPH_KEY(KeywordSoundFile),
    ZEPH_KEY(ChannelMessageSoundFile),
    ZEPH_KEY(TalkMessageSoundFile),
    ZEPH_KEY(DCCChatMessageSoundFile),
    ZEPH_KEY(EnableLogInSound),
    ZEPH_KEY(EnableDisconnectSound),
    ZEPH_KEY(EnableKickSound),
    ZEPH_KEY(EnableInviteSound),
    ZEPH_KEY(EnableTalkSound),
    ZEPH_KEY(EnableDCCChatSound),
    ZEPH_KEY(EnableDCCReceiveSound),
    ZEPH_KEY(EnableDCCReceiveCompleteSound),
    ZEPH_KEY(EnableDCCReceiveFailSound),
    ZEPH_KEY(EnableDCCSendCompleteSound),
    ZEPH_KEY(EnableDCCSendFailSound),
    ZEPH_KEY(EnableKeywordSound),
    ZEPH_KEY(EnableChannelMessageSound),
    ZEPH_KEY(EnableTalkMessageSound),
    ZEPH_KEY(EnableDCCChatMessageSound),
};

constexpr TField<TPreferences> kDcc[] = {
    ZEPH_KEY(DCCReceivePortStart),
    ZEPH_KEY(DCCReceivePortEnd),
    ZEPH_KEY(DCCChatPortStart),
    ZEPH_KEY(DCCChatPortEnd),
    ZEPH_KEY_AS_NUMBER(CloseDialogOnEndTransfer),
    ZEPH_KEY(DCCReceiveAction),
    ZEPH_KEY(DCCRootDir),
    ZEPH_KEY(ReceiveInNickFolder),
    ZEPH_KEY(ViewDialogOnReceive),
    ZEPH_KEY(MinimizeDialogOnAutoReceive),
    ZEPH_KEY(BlinkDialogOnReceive),
    ZEPH_KEY(ActivateDialogOnReceive),
    ZEPH_KEY(AutoResume),
    ZEPH_KEY(ReceiveOnResumeFail),
    ZEPH_KEY(ReceiveOnResumeFailTime),
    ZEPH_KEY(EnableMaxDCCReceiveConnection),
    ZEPH_KEY(MaxDCCReceiveConnection),
    ZEPH_KEY(HideFileInReceiving),
    ZEPH_KEY(AutoReceiveSelf),
    ZEPH_KEY(AutoReceiveGroup1),
    ZEPH_KEY(AutoReceiveGroup2),
    ZEPH_KEY(AutoReceiveGroup3),
    ZEPH_KEY(AutoReceiveGroup4),
    ZEPH_KEY(AutoReceiveGroup5),
    ZEPH_KEY(AutoReceiveNormal),
    ZEPH_KEY(ViewDialogOnSend),
    ZEPH_KEY(InstantSend),
    ZEPH_KEY(EnableMaxOutgoingBandwidth),
    ZEPH_KEY(MaxOutgoingBandwidth),
    ZEPH_KEY(ExtendedDCCProtocol),
    ZEPH_KEY(EnableMaxDCCSendConnection),
    ZEPH_KEY(MaxDCCSendConnection),
    ZEPH_KEY(EnableSendBufferSize),
    ZEPH_KEY(SendBufferSize),
    ZEPH_KEY(DCCChatAction),
    ZEPH_KEY(ActivateDCCChatDialog),
    ZEPH_KEY(SelectOnAutoAcceptChat),
    ZEPH_KEY(EnableMaxDCCChatRequestDialog),
    ZEPH_KEY(MaxDCCChatRequestDialog),
    ZEPH_KEY_AS_NUMBER(DCCChatAdaptiveEncodingSelection),
};

constexpr TField<TPreferences> kUserInfo[] = {
    ZEPH_KEY(WhoTiming),    ZEPH_KEY(DetailWhois),   ZEPH_KEY(LimitWhoisDialog),
    ZEPH_KEY(WhoisDialogMax), ZEPH_KEY(AutoMask),    ZEPH_KEY(MaskWholeNick),
    ZEPH_KEY(MaskWholeUsername), ZEPH_KEY(MaskAllAddressDigits), ZEPH_KEY(MaskFirstAddressToken),
};

constexpr TField<TPreferences> kDetail[] = {
    ZEPH_KEY(EnableAutoPong),  ZEPH_KEY(AutoPongTime),          ZEPH_KEY(RejoinOnError437),
    ZEPH_KEY(Error437RejoinInterval), ZEPH_KEY(Error437RejoinCount), ZEPH_KEY(IgnoreCtcp),
    ZEPH_KEY(EnableCommand),   ZEPH_KEY(CommandPrefix),         ZEPH_KEY(EnableCtcpSequenceLimit),
    ZEPH_KEY(KanaEncodingMethod),
};

constexpr TField<TPreferences> kIson[] = {
    ZEPH_KEY(ShowIsonWindowOnStart),
    ZEPH_KEY(PrintIsonInfoOnServerLog),
    ZEPH_KEY(IsonInterval),
};

#undef ZEPH_KEY
#undef ZEPH_KEY_AS_NUMBER

const TListKeys kLike = TListKeys::Named("Like", ".Pattern");
const TListKeys kDislike = TListKeys::Named("Dislike", ".Pattern");
const TListKeys kNickList{"Count", "Item.", ""};
const TListKeys kIsonTargets{"Count", "IsonTarget.", ""};

// The user groups number their masks without leading zeros: Group.0.3.Mask.
TListKeys GroupMasks(const std::string& prefix) { return TListKeys{prefix + ".Count", prefix + ".", ".Mask", true}; }
std::string GroupPrefix(int index) { return "Group." + std::to_string(index); }

void ReadKeywords(const TIniFile& ini, TPreferences* prefs) {
  prefs->like_keywords = ReadTextList(ini, kLike);
  prefs->dislike_keywords = ReadTextList(ini, kDislike);
}

void WriteKeywords(TIniWriter& writer, const TPreferences& prefs) {
  WriteTextList(writer, kLike, prefs.like_keywords);
  WriteTextList(writer, kDislike, prefs.dislike_keywords);
}

void ReadUserGroups(const TIniFile& ini, TPreferences* prefs) {
  prefs->self_masks = ReadTextList(ini, GroupMasks("Self"));
  for (int g = 0; g < kUserGroupCount; ++g) {
    TUserGroup& group = prefs->groups[static_cast<size_t>(g)];
    std::string prefix = GroupPrefix(g);
    group.name = ini.ReadString(prefix + ".Name", group.name);
    group.masks = ReadTextList(ini, GroupMasks(prefix));
  }
}

void WriteUserGroups(TIniWriter& writer, const TPreferences& prefs) {
  WriteTextList(writer, GroupMasks("Self"), prefs.self_masks);
  for (int g = 0; g < kUserGroupCount; ++g) {
    const TUserGroup& group = prefs.groups[static_cast<size_t>(g)];
    std::string prefix = GroupPrefix(g);
    writer.WriteString(prefix + ".Name", group.name);
    WriteTextList(writer, GroupMasks(prefix), group.masks);
  }
}

void ReadNickList(const TIniFile& ini, TPreferences* prefs) { prefs->nick_list = ReadTextList(ini, kNickList); }
void WriteNickList(TIniWriter& writer, const TPreferences& prefs) { WriteTextList(writer, kNickList, prefs.nick_list); }

const TSection kSections[] = {
    {"Application", kApplication},
    {"Connection", kConnection},
    {"Event", kEvent},
    {"Interface", kInterface},
    {"Action", kAction},
    {"Window", kWindow},
    {"Layout", kLayout},
    {"Keyword", kKeyword, ReadKeywords, WriteKeywords},
    {"UserGroup", {}, ReadUserGroups, WriteUserGroups},
    {"NickList", {}, ReadNickList, WriteNickList},
    {"Log", kLog},
    {"Sound", kSound},
    {"DCC", kDcc},
    {"UserInfo", kUserInfo},
    {"Detail", kDetail},
};

}  // namespace

std::vector<TPreferenceSection> PreferenceSections() {
  std::vector<TPreferenceSection> sections;
  for (const TSection& section : kSections)
    if (!section.fields.empty() && std::string_view(section.name) != "Application")
      sections.push_back({section.name, section.fields});
  return sections;
}

void ReadPreferences(TIniFile& ini, TPreferences* prefs) {
  for (const TSection& section : kSections) {
    ini.SetSection(section.name);
    ReadFields(ini, section.fields, "", prefs);
    if (section.read_lists) section.read_lists(ini, prefs);
  }
  prefs->has_ison_section = ini.HasSection("Ison");
  ini.SetSection("Ison");
  ReadFields<TPreferences>(ini, kIson, "", prefs);
  prefs->ison_targets = ReadTextList(ini, kIsonTargets);
}

void WritePreferences(TIniWriter& writer, const TPreferences& prefs) {
  for (const TSection& section : kSections) {
    writer.WriteSection(section.name);
    WriteFields(writer, section.fields, "", prefs);
    if (section.write_lists) section.write_lists(writer, prefs);
  }
  if (!prefs.has_ison_section) return;
  writer.WriteSection("Ison");
  WriteFields<TPreferences>(writer, kIson, "", prefs);
  WriteTextList(writer, kIsonTargets, prefs.ison_targets);
}

bool LoadPreferences(const std::filesystem::path& path, TPreferences* prefs) {
  TIniFile ini;
  bool loaded = ini.Load(path);
  *prefs = DefaultPreferences();
  ReadPreferences(ini, prefs);
  return loaded;
}

bool SavePreferences(const std::filesystem::path& path, const TPreferences& prefs) {
  TPreferences saved = prefs;
  saved.Installed = true;  // the file marks a profile that was set up
  return SaveIniFile(path, TFilePrivacy::Shared, [&](TIniWriter& writer) { WritePreferences(writer, saved); });
}

}  // namespace zeph
