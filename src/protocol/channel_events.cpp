// The channel events and server messages a unit receives: JOIN, PART,
// QUIT, NICK, MODE, TOPIC, INVITE, KICK, PING, ERROR, WALLOPS and KILL.
#include "protocol/channel_events.h"

#include "settings/preferences.h"
#include "engine/channel_name.h"
#include "engine/mode_letters.h"
#include "engine/unit.h"
#include "engine/world.h"
#include "platform/sjis.h"
#include "platform/string_printf.h"
#include "protocol/numeric_replies.h"

namespace zeph {
namespace {

std::string TrimRight(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

TSender SenderOf(const TIrcMessage& m) { return TSender{m.nick, m.user, m.host}; }

// A JOIN's channel, and whether a BEL suffix of mode letters («#chan^Go»)
// gave operator status with it. Any other BEL stays in the name.
struct TJoinedChannel {
  std::string name;
  bool op = false;
};

TJoinedChannel JoinedChannelOf(const std::string& param) {
  TJoinedChannel joined{TrimRight(param)};
  size_t bel = joined.name.find('\x07');
  if (bel != std::string::npos && joined.name.find_first_not_of("ov", bel + 1) == std::string::npos) {
    joined.op = joined.name.compare(bel + 1, 1, "o") == 0;
    joined.name.resize(bel);
  }
  return joined;
}

}  // namespace

void TChannelEvents::OnPing(TUnit& unit, const TIrcMessage& m) { unit.AnswerPing(m.Param(0)); }

void TChannelEvents::OnError(TUnit& unit, const TIrcMessage& m) {
  unit.PrintToUnit(TMessageKind::Error, std::string(), world_.Formats().FormatError(SenderOf(m), m.Param(0)));
}

void TChannelEvents::OnWallops(TUnit& unit, const TIrcMessage& m) {
  unit.PrintToUnit(TMessageKind::Reply, std::string(), "*" + m.command + " " + m.Param(0));
}

void TChannelEvents::OnKill(TUnit& unit, const TIrcMessage& m) {
  const std::string& victim = m.Param(0);
  std::string text = StringPrintf("*%s kill %s (%s)", m.nick.c_str(), victim.c_str(), m.Param(1).c_str());
  for (size_t i = 0; i < unit.Channels().size(); ++i) {
    TChannel& target = *unit.Channels()[i];
    if (!target.Members().FindMember(victim)) continue;
    unit.PrintToChannel(target, TMessageKind::Quit, victim, text);
    RemoveDepartedMember(unit, target, victim);
  }
  unit.PrintToConsole(TMessageKind::Quit, text);
}

void TChannelEvents::RemoveDepartedMember(TUnit& unit, TChannel& target, const std::string& nick) {
  target.RemoveMember(nick);
  unit.RecoverOperator(target);
}

void TChannelEvents::NoteSender(TUnit& unit, TChannel& target, const TIrcMessage& m) {
  if (target.UpdateMember(m.nick, m.user, m.host) && target.IsChannel())
    unit.CheckAutoOp(target, m.nick, m.user, m.host);
}

// --- JOIN ---------------------------------------------------------------------

void TChannelEvents::OnJoin(TUnit& unit, const TIrcMessage& m) {
  auto [channel, op] = JoinedChannelOf(m.Param(0));
  std::string display = IsSafeChannel(channel) ? StripSafeId(channel) : ShortenName(channel);
  // A name with a blank, comma or control byte would turn into other
  // parameters or other channels in everything we send about it.
  TChannel* target = IsCleanName(channel) ? unit.FindByWireName(channel) : nullptr;
  if (unit.IsOwnNick(m.nick) && IsCleanName(channel)) {
    OnOwnJoin(unit, m, channel, display, target, op);
    return;
  }
  if (!target) {
    unit.PrintToUnit(TMessageKind::Join, m.nick, world_.Formats().FormatJoin(SenderOf(m), display), display);
    return;
  }
  TMember member{m.nick, m.user, m.host};
  member.is_operator = op;
  target->AddMember(member, true);
  unit.CheckAutoOp(*target, m.nick, m.user, m.host);
  unit.PrintToChannel(*target, TMessageKind::Join, m.nick, world_.Formats().FormatJoin(SenderOf(m), target->Name()));
}

void TChannelEvents::OnOwnJoin(TUnit& unit, const TIrcMessage& m, const std::string& channel,
                               const std::string& display, TChannel* target, bool op) {
  unit.NoteOwnAddress(m.user, m.host);
  if (!target) target = &unit.AdoptJoinedChannel(channel, display);
  if (IsSafeChannel(channel)) target->SetWireName(channel);
  target->Activate();
  unit.PrintSystem(Sjis("チャンネルに入りました"), target);
  unit.PrintToChannel(*target, TMessageKind::Join, m.nick, world_.Formats().FormatJoin(SenderOf(m), target->Name()));
  TMember self{m.nick, m.user, m.host};
  self.is_operator = op;
  target->AddMember(self, true);
  if (world_.Preferences().FocusOnJoin) {
    world_.Select(&unit, target);
  } else if (unit.TakeFirstChannelSelection()) {
    world_.Select(&unit, target);
  }
  unit.Rejoins().Remove(display);
  if (IsSafeChannel(display) && !IsSafeCreate(display)) unit.SafeJoins().erase(IrcUpper(display));
}

// --- PART, QUIT, KICK ----------------------------------------------------------

void TChannelEvents::OnPart(TUnit& unit, const TIrcMessage& m) {
  const std::string& channel = m.Param(0);
  TChannel* target = unit.FindByWireName(channel);
  if (!target) {
    unit.PrintToUnit(TMessageKind::Part, m.nick, world_.Formats().FormatPart(SenderOf(m), channel, m.Param(1)),
                     channel);
    return;
  }
  unit.PrintToChannel(*target, TMessageKind::Part, m.nick,
                      world_.Formats().FormatPart(SenderOf(m), target->Name(), m.Param(1)));
  if (unit.IsOwnNick(m.nick)) {
    unit.PrintSystem(Sjis("チャンネルを出ました"), target);
    target->Deactivate();
  } else {
    RemoveDepartedMember(unit, *target, m.nick);
  }
}

void TChannelEvents::OnQuit(TUnit& unit, const TIrcMessage& m) {
  std::string text = world_.Formats().FormatQuit(SenderOf(m), m.Param(0));
  for (size_t i = 0; i < unit.Channels().size(); ++i) {
    TChannel& target = *unit.Channels()[i];
    if (!target.Members().FindMember(m.nick)) continue;
    unit.PrintOwnLog(target, TMessageKind::UserQuit, m.nick, text);
    RemoveDepartedMember(unit, target, m.nick);
  }
  unit.PrintToConsole(TMessageKind::UserQuit, text);
}

void TChannelEvents::OnKick(TUnit& unit, const TIrcMessage& m) {
  const std::string& channel = m.Param(0);
  const std::string& victim = m.Param(1);
  TChannel* target = unit.FindTarget(channel);
  if (!target) {
    unit.PrintToUnit(TMessageKind::Kick, m.nick,
                     world_.Formats().FormatKick(SenderOf(m), victim, channel, m.Param(2)), channel);
    return;
  }
  unit.PrintToChannel(*target, TMessageKind::Kick, m.nick,
                      world_.Formats().FormatKick(SenderOf(m), victim, target->Name(), m.Param(2)));
  if (!unit.IsOwnNick(victim)) {
    NoteSender(unit, *target, m);
    RemoveDepartedMember(unit, *target, victim);
    return;
  }
  std::string key = target->Mode().key;  // the key as it was when the kick came
  unit.PrintSystem(Sjis("チャンネルを追い出されました"), target);
  target->Deactivate();
  const TPreferences& prefs = world_.Preferences();
  unit.PlayEventSound(prefs.EnableKickSound, prefs.KickSoundFile);
  if (prefs.RejoinOnKick) unit.SendJoin(target->WireName().empty() ? target->Name() : target->WireName(), key);
}

// --- NICK ------------------------------------------------------------------------

void TChannelEvents::OnNick(TUnit& unit, const TIrcMessage& m) {
  std::string old_nick = m.nick;
  std::string new_nick = TrimRight(m.Param(0));
  bool own = unit.IsOwnNick(old_nick);
  TWireEncoding wire = unit.Wire();
  if (own) unit.ChangeOwnNick(new_nick);
  std::string text = world_.Formats().FormatNick(SenderOf(m), new_nick);
  for (size_t i = 0; i < unit.Channels().size(); ++i) {
    TChannel& target = *unit.Channels()[i];
    if (!target.IsJoined()) continue;
    if (target.IsDccChat()) {
      if (SameName(wire, target.Partner(), old_nick)) {
        target.SetPartner(new_nick);
        target.LogFile().CheckPath();
      }
      continue;
    }
    if (!target.Members().FindMember(old_nick)) continue;
    unit.PrintOwnLog(target, TMessageKind::Nick, old_nick, text);
    target.RenameMember(old_nick, new_nick);
    if (target.UpdateMember(new_nick, m.user, m.host) && target.IsChannel())
      unit.CheckAutoOp(target, new_nick, m.user, m.host);
  }
  if (own) unit.PrintOwnLogOfUnit(TMessageKind::Nick, old_nick, text);
  unit.PrintToConsole(TMessageKind::Nick, text);
  world_.Dcc().RenamePeer(unit, old_nick, new_nick);
  if (TChannel* talk = unit.FindChannel(old_nick); talk && talk->IsTalk()) {
    world_.RenameTalk(unit, *talk, new_nick);
  }
  numerics_.OnNickChanged(unit, old_nick, new_nick);
}

// --- MODE --------------------------------------------------------------------------

void TChannelEvents::OnMode(TUnit& unit, const TIrcMessage& m) {
  const std::string& target_name = m.Param(0);
  std::string modes = TrimRight(m.JoinParams(1));
  if (target_name == unit.Nick()) {
    unit.ApplyUserMode(modes);
    unit.PrintToUnit(TMessageKind::UserMode, m.nick, world_.Formats().FormatUserMode(target_name, modes));
    return;
  }
  TChannel* target = unit.FindTarget(target_name);
  if (!target) {
    unit.PrintToUnit(TMessageKind::Mode, m.nick, world_.Formats().FormatMode(SenderOf(m), target_name, modes),
                     target_name);
    return;
  }
  OnChannelMode(unit, m, *target, modes);
}

void TChannelEvents::OnChannelMode(TUnit& unit, const TIrcMessage& m, TChannel& target, const std::string& modes) {
  NoteSender(unit, target, m);
  target.ApplyMode(modes);
  for (const TModeLetter& mode : ModeLetters(modes, TModeWords::kSigned)) {
    switch (mode.letter) {
      case 'I': case 'R': case 'b': case 'e':
        numerics_.OnMaskListChange(unit, target, mode.letter, mode.plus, std::string(mode.argument));
        break;
      case 'o':
        target.SetMemberMode(mode.argument, 'o', mode.plus);
        if (unit.IsOwnNick(mode.argument)) {
          target.SetOperator(mode.plus);
          if (!mode.plus) {
            target.ClearAutoOpQueue();
          } else if (world_.Preferences().EnableAutoOpOnBeingOperator) {
            unit.AutoOpPass(target);
          }
        }
        break;
      case 'v': target.SetMemberMode(mode.argument, 'v', mode.plus); break;
      default: break;
    }
  }
  unit.PrintToChannel(target, TMessageKind::Mode, m.nick,
                      world_.Formats().FormatMode(SenderOf(m), target.Name(), modes));
}

// --- TOPIC, INVITE ---------------------------------------------------------------

void TChannelEvents::OnTopic(TUnit& unit, const TIrcMessage& m) {
  const std::string& channel = m.Param(0);
  TChannel* target = unit.FindTarget(channel);
  if (!target) {
    unit.PrintToUnit(TMessageKind::Topic, m.nick, world_.Formats().FormatTopic(SenderOf(m), channel, m.Param(1)),
                     channel);
    return;
  }
  NoteSender(unit, *target, m);
  target->SetTopic(m.Param(1));
  unit.PrintToChannel(*target, TMessageKind::Topic, m.nick,
                      world_.Formats().FormatTopic(SenderOf(m), target->Name(), m.Param(1)));
}

void TChannelEvents::OnInvite(TUnit& unit, const TIrcMessage& m) {
  std::string channel = TrimRight(m.Param(1));
  const TPreferences& prefs = world_.Preferences();
  unit.PrintInvitation(m.nick, world_.Formats().FormatInvite(SenderOf(m), channel), channel);
  unit.PlayEventSound(prefs.EnableInviteSound, prefs.InviteSoundFile);
  if (!IsSingleChannelName(channel, kServerChannelPrefixes)) return;  // shown, never acted on
  if (prefs.InviteAction == 2) {
    unit.SendJoin(channel, std::string());
  } else if (prefs.InviteAction == 1) {
    world_.Prompts().ShowInvitation(unit, m.nick, channel);
  }
}

}  // namespace zeph
