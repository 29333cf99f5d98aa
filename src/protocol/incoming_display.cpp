#include "protocol/incoming_display.h"

#include "settings/preferences.h"
#include "engine/channel_name.h"
#include "engine/mask.h"
#include "engine/unit.h"
#include "engine/world.h"
#include "protocol/incoming_alerts.h"
#include "protocol/incoming_sender.h"

namespace zeph {
namespace {

// Notices are not what the user reads a log for: they mark nothing unread.
bool CountsAsUnread(TMessageKind kind) { return kind == TMessageKind::Privmsg || kind == TMessageKind::Action; }

bool OpensTalkFor(const TUnit& unit, TMessageKind kind) {
  const TPreferences& prefs = unit.Prefs();
  return prefs.RegisterOnTalk && !(kind == TMessageKind::Notice && prefs.IgnoreNoticeOnTalk);
}

// A keyword has its own sound; it replaces the message sound.
bool KeywordSoundPlays(const TUnit& unit, bool keyword) { return keyword && unit.Prefs().EnableKeywordSound; }

}  // namespace

bool TMessageDisplay::Show(TUnit& unit, const TIrcMessage& message, TMessageKind kind, std::string text) {
  TIncoming in = NormaliseIncoming(unit, message, kind, std::move(text));
  if (IsIgnored(world_.ignore_masks, in.nick, in.user, in.host)) return false;
  return IsForTalk(unit, in) ? ShowInTalk(unit, in) : ShowInChannel(unit, in);
}

bool TMessageDisplay::ShowInChannel(TUnit& unit, const TIncoming& in) {
  TChannel* channel = in.target.empty() ? nullptr : unit.FindTarget(in.target);
  if (channel && !in.nick.empty() && channel->UpdateMember(in.nick, in.user, in.host) &&
      channel->IsChannel())
    unit.CheckAutoOp(*channel, in.nick, in.user, in.host);

  bool keyword = Print(unit, channel, in, in.target);
  if (CountsAsUnread(in.kind)) MarkUpdated(unit, channel);

  const TPreferences& prefs = unit.Prefs();
  if (!KeywordSoundPlays(unit, keyword))
    PlayMessageSound(unit, prefs.EnableChannelMessageSound && !in.text.empty(), prefs.ChannelMessageSoundFile);

  if (ShowsMessageBalloon(unit, channel ? channel->ConsoleSwitch() : unit.ConsoleSwitch())) {
    bool to_channel = channel ? channel->IsChannel() : IsChannelName(in.target, kServerChannelPrefixes);
    std::string heading =
        to_channel ? world_.Formats().FormatChannelPrefix(channel ? channel->Name() : in.target) + in.nick : in.nick;
    ShowMessageBalloon(unit, heading, in.text);
  }
  return keyword;
}

bool TMessageDisplay::ShowInTalk(TUnit& unit, const TIncoming& in) {
  TChannel* talk = unit.FindChannel(in.nick);
  bool opened = false;
  if (talk) {
    if (talk->Members().FindMember(in.nick)) {
      talk->UpdateMember(in.nick, in.user, in.host);
    } else {
      talk->AddMember(TMember{in.nick, in.user, in.host}, false);
    }
  } else if (OpensTalkFor(unit, in.kind)) {
    talk = OpenTalk(unit, in);
    opened = talk != nullptr;
  }
  if (talk == nullptr) return ShowInChannel(unit, in);

  bool keyword = Print(unit, talk, in, std::string());
  if (CountsAsUnread(in.kind)) MarkUpdated(unit, talk);

  const TPreferences& prefs = unit.Prefs();
  if (!(opened && prefs.EnableTalkSound) && !KeywordSoundPlays(unit, keyword))
    PlayMessageSound(unit, prefs.EnableTalkMessageSound, prefs.TalkMessageSoundFile);
  if (ShowsMessageBalloon(unit, talk->ConsoleSwitch())) ShowMessageBalloon(unit, in.nick, in.text);
  return keyword;
}

TChannel* TMessageDisplay::OpenTalk(TUnit& unit, const TIncoming& in) {
  TChannel* talk = unit.OpenPeerTalk(in.nick, in.user, in.host);
  if (talk == nullptr) return nullptr;
  MarkNewTalk(unit, *talk);
  const TPreferences& prefs = unit.Prefs();
  PlayMessageSound(unit, prefs.EnableTalkSound, prefs.TalkSoundFile);
  if (prefs.FocusOnTalk) world_.Select(&unit, talk);
  return talk;
}

bool TMessageDisplay::Print(TUnit& unit, TChannel* target, const TIncoming& in, const std::string& channel_name) {
  return target ? unit.PrintToChannel(*target, in.kind, in.nick, in.text, in.keyword_check)
                : unit.PrintToUnit(in.kind, in.nick, in.text, channel_name, in.keyword_check);
}

}  // namespace zeph
