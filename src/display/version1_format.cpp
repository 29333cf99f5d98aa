#include "display/version1_format.h"

#include "settings/ini_file.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

using K = TMessageKind;

// The two enable flags of a kind; Privmsg has no channel flag.
struct TEnableKeys {
  TMessageKind kind;
  const char* channel;
  const char* console;
};

constexpr TEnableKeys kEnableKeys[] = {
    {K::Privmsg, nullptr, "MsgPrivmsgAllEnabled"},
    {K::Notice, "MsgNoticeEnabled", "MsgNoticeAllEnabled"},
    {K::Action, "MsgActionEnabled", "MsgActionAllEnabled"},
    {K::Error, "MsgErrorChEnabled", "MsgErrorAllEnabled"},
    {K::Invite, "MsgInviteChEnabled", "MsgInviteAllEnabled"},
    {K::Join, "MsgJoinChEnabled", "MsgJoinAllEnabled"},
    {K::Kick, "MsgKickChEnabled", "MsgKickAllEnabled"},
    {K::Mode, "MsgModeChEnabled", "MsgModeAllEnabled"},
    {K::Nick, "MsgNickChEnabled", "MsgNickAllEnabled"},
    {K::Part, "MsgPartChEnabled", "MsgPartAllEnabled"},
    {K::Quit, "MsgQuitChEnabled", "MsgQuitAllEnabled"},
    {K::Topic, "MsgTopicChEnabled", "MsgTopicAllEnabled"},
    {K::AwayReply, "MsgAwayRepChEnabled", "MsgAwayRepAllEnabled"},
    {K::ModeReply, "MsgModeRepChEnabled", "MsgModeRepAllEnabled"},
    {K::TopicReply, "MsgTopicRepChEnabled", "MsgTopicRepAllEnabled"},
};

struct TFormatKey {
  TMessageKind kind;
  const char* key;
};

constexpr TFormatKey kFormatKeys[] = {
    {K::Error, "MsgErrorFormat"},     {K::Invite, "MsgInviteFormat"},   {K::Join, "MsgJoinFormat"},
    {K::Kick, "MsgKickFormat"},       {K::Mode, "MsgModeFormat"},       {K::Nick, "MsgNickFormat"},
    {K::Part, "MsgPartFormat"},       {K::Quit, "MsgQuitFormat"},       {K::Topic, "MsgTopicFormat"},
    {K::AwayReply, "ReplyAwayFormat"}, {K::ModeReply, "ReplyModeFormat"}, {K::TopicReply, "ReplyTopicFormat"},
};

// Every `from` that starts a character of the text replaced by `to`; the
// second byte of a double-byte character never starts a match.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  std::string result;
  for (size_t pos = 0; pos < text.size();) {
    if (text.substr(pos).starts_with(from)) {
      result += to;
      pos += from.size();
    } else {
      size_t length = SjisCharLength(text, pos);
      result += text.substr(pos, length);
      pos += length;
    }
  }
  return result;
}

std::string TimeFormatOf(std::string_view version1) {
  return ReplaceAll(ReplaceAll(ReplaceAll(version1, "hh", "%H"), "nn", "%M"), "ss", "%S");
}

}  // namespace

void ReadVersion1Format(TIniFile& ini, TMessageFormat* formats) {
  TMessageFormat& f = *formats;
  f.SetDefaults();
  ini.SetSection("Format");
  f.enable_time = ini.ReadBool("EnableTime", f.enable_time);
  f.enable_channel_in_channel_log = ini.ReadBool("EnableChanName", f.enable_channel_in_channel_log);
  for (const TEnableKeys& keys : kEnableKeys) {
    TKindFormat& kind = *f.FindKind(keys.kind);
    if (keys.channel != nullptr) kind.channel_enabled = ini.ReadBool(keys.channel, kind.channel_enabled);
    kind.console_enabled = ini.ReadBool(keys.console, kind.console_enabled);
  }
  f.pre_nick = ini.ReadString("NickFormat", f.pre_nick);
  f.time = ini.ReadString("TimeFormat", f.time);
  for (const TFormatKey& key : kFormatKeys) {
    TKindFormat& kind = *f.FindKind(key.kind);
    kind.format = ini.ReadString(key.key, kind.format);
  }
  f.FindKind(K::UserMode)->format = ReplaceAll(f.FindKind(K::ModeReply)->format, "%c", "%n");
  f.time = TimeFormatOf(f.time);
}

}  // namespace zeph
