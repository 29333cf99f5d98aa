// What the unit does with the channel events and server messages it
// receives: JOIN, PART, QUIT, NICK, MODE, TOPIC, INVITE, KICK, PING, ERROR,
// WALLOPS and KILL.
#include "settings/preferences.h"
#include "engine/channel_name.h"
#include "engine/mode_letters.h"
#include "engine/unit.h"
#include "engine/world.h"
#include "platform/sjis.h"
#include "platform/string_printf.h"

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

void TUnit::OnPing(const TIrcMessage& m) {
  seconds_since_ping_ = 0;
  SendCommand("PONG", std::string(), ":" + m.Param(0), 2, 1, TAutomatic::kPong);
}

void TUnit::OnError(const TIrcMessage& m) {
  PrintToUnit(TMessageKind::Error, std::string(), world_.Formats().FormatError(SenderOf(m), m.Param(0)));
}

void TUnit::OnWallops(const TIrcMessage& m) {
  PrintToUnit(TMessageKind::Reply, std::string(), "*" + m.command + " " + m.Param(0));
}

void TUnit::OnKill(const TIrcMessage& m) {
  const std::string& victim = m.Param(0);
  std::string text = StringPrintf("*%s kill %s (%s)", m.nick.c_str(), victim.c_str(), m.Param(1).c_str());
  for (size_t i = 0; i < channels_.size(); ++i) {
    TChannel& target = *channels_[i];
    if (!target.members.FindMember(victim)) continue;
    PrintToChannel(target, TMessageKind::Quit, victim, text);
    RemoveDepartedMember(target, victim);
  }
  PrintToConsole(TMessageKind::Quit, text);
}

void TUnit::RemoveDepartedMember(TChannel& target, const std::string& nick) {
  target.members.RemoveMember(nick);
  world_.NodeChanged(*this, &target);
  RecoverOperator(target);
}

void TUnit::NoteSender(TChannel& target, const TIrcMessage& m) {
  if (target.members.UpdateMember(m.nick, m.user, m.host) && target.IsChannel())
    CheckAutoOp(target, m.nick, m.user, m.host);
}

// --- JOIN ---------------------------------------------------------------------

void TUnit::OnJoin(const TIrcMessage& m) {
  auto [channel, op] = JoinedChannelOf(m.Param(0));
  std::string display = IsSafeChannel(channel) ? StripSafeId(channel) : ShortenName(channel);
  // A name with a blank, comma or control byte would turn into other
  // parameters or other channels in everything we send about it.
  TChannel* target = IsCleanName(channel) ? FindByWireName(channel) : nullptr;
  if (IsOwnNick(m.nick) && IsCleanName(channel)) {
    OnOwnJoin(m, channel, display, target, op);
    return;
  }
  if (!target) {
    PrintToUnit(TMessageKind::Join, m.nick, world_.Formats().FormatJoin(SenderOf(m), display), display);
    return;
  }
  TMember member{m.nick, m.user, m.host};
  member.is_operator = op;
  target->members.AddMember(member, true);
  CheckAutoOp(*target, m.nick, m.user, m.host);
  PrintToChannel(*target, TMessageKind::Join, m.nick, world_.Formats().FormatJoin(SenderOf(m), target->name));
  world_.NodeChanged(*this, target);
}

void TUnit::OnOwnJoin(const TIrcMessage& m, const std::string& channel, const std::string& display,
                      TChannel* target, bool op) {
  own_user = m.user;
  own_host = m.host;
  if (own_address_join_host.empty()) {
    own_address_join_host = m.host;
    if (Prefs().IPResolveMethod == 1 && !m.host.empty()) ResolveOwnAddress(m.host);
  }
  if (!target) {
    // Joined somewhere the tree does not know: keep it configured. A name
    // that could break the tree file or a later JOIN is not stored.
    TChannelConfig config = NewChannelConfig(display, false);
    target = &CreateTarget(config, TTargetKind::Channel);
    // A name the tree file would hold in bytes other than the server's is
    // not stored either: joining it again would reach another channel.
    bool same_bytes = foreign_names_.Find(channel) == nullptr;
    target->stored_in_tree = same_bytes && IsSingleChannelName(display, kTypedChannelPrefixes);
    world_.NodeAdded(*this, target);
    if (target->stored_in_tree) world_.RequestSaveTree();
  }
  if (IsSafeChannel(channel)) target->SetWireName(channel);
  target->Activate();
  PrintSystem(Sjis("チャンネルに入りました"), target);
  PrintToChannel(*target, TMessageKind::Join, m.nick, world_.Formats().FormatJoin(SenderOf(m), target->name));
  TMember self{m.nick, m.user, m.host};
  self.is_operator = op;
  target->members.AddMember(self, true);
  world_.NodeChanged(*this, target);
  if (Prefs().FocusOnJoin) {
    world_.Select(this, target);
  } else if (select_first_channel) {
    select_first_channel = false;
    world_.Select(this, target);
  }
  rejoins_.Remove(display);
  if (IsSafeChannel(display) && !IsSafeCreate(display)) safe_joins_.erase(IrcUpper(display));
}

// --- PART, QUIT, KICK ----------------------------------------------------------

void TUnit::OnPart(const TIrcMessage& m) {
  const std::string& channel = m.Param(0);
  TChannel* target = FindByWireName(channel);
  if (!target) {
    PrintToUnit(TMessageKind::Part, m.nick, world_.Formats().FormatPart(SenderOf(m), channel, m.Param(1)), channel);
    return;
  }
  PrintToChannel(*target, TMessageKind::Part, m.nick,
                 world_.Formats().FormatPart(SenderOf(m), target->name, m.Param(1)));
  if (IsOwnNick(m.nick)) {
    PrintSystem(Sjis("チャンネルを出ました"), target);
    target->Deactivate();
    world_.NodeChanged(*this, target);
  } else {
    RemoveDepartedMember(*target, m.nick);
  }
}

void TUnit::OnQuit(const TIrcMessage& m) {
  std::string text = world_.Formats().FormatQuit(SenderOf(m), m.Param(0));
  for (size_t i = 0; i < channels_.size(); ++i) {
    TChannel& target = *channels_[i];
    if (!target.members.FindMember(m.nick)) continue;
    PrintOwnLog(target, TMessageKind::UserQuit, m.nick, text);
    RemoveDepartedMember(target, m.nick);
  }
  PrintToConsole(TMessageKind::UserQuit, text);
}

void TUnit::OnKick(const TIrcMessage& m) {
  const std::string& channel = m.Param(0);
  const std::string& victim = m.Param(1);
  TChannel* target = FindTarget(channel);
  if (!target) {
    PrintToUnit(TMessageKind::Kick, m.nick, world_.Formats().FormatKick(SenderOf(m), victim, channel, m.Param(2)),
                channel);
    return;
  }
  PrintToChannel(*target, TMessageKind::Kick, m.nick,
                 world_.Formats().FormatKick(SenderOf(m), victim, target->name, m.Param(2)));
  if (!IsOwnNick(victim)) {
    NoteSender(*target, m);
    RemoveDepartedMember(*target, victim);
    return;
  }
  std::string key = target->mode.key;  // the key as it was when the kick came
  PrintSystem(Sjis("チャンネルを追い出されました"), target);
  target->Deactivate();
  world_.NodeChanged(*this, target);
  PlayEventSound(Prefs().EnableKickSound, Prefs().KickSoundFile);
  if (Prefs().RejoinOnKick) SendJoin(target->WireName().empty() ? target->name : target->WireName(), key);
}

// --- NICK ------------------------------------------------------------------------

void TUnit::OnNick(const TIrcMessage& m) {
  std::string old_nick = m.nick;
  std::string new_nick = TrimRight(m.Param(0));
  bool own = IsOwnNick(old_nick);
  TWireEncoding wire = Wire();
  if (own) {
    current_nick_ = new_nick;
    nick_retry_count = 0;
    // The nick the user chose is the one a restoring reconnection registers;
    // a retry or a nick the server forced on us is not.
    if (SameName(wire, new_nick, user_nick_request_)) registration_nick = new_nick;
  }
  std::string text = world_.Formats().FormatNick(SenderOf(m), new_nick);
  for (size_t i = 0; i < channels_.size(); ++i) {
    TChannel& target = *channels_[i];
    if (!target.joined) continue;
    if (target.IsDccChat()) {
      if (SameName(wire, target.partner, old_nick)) {
        target.partner = new_nick;
        target.LogFile().SetTargetName(new_nick);
        target.LogFile().CheckPath();
      }
      continue;
    }
    if (!target.members.FindMember(old_nick)) continue;
    PrintOwnLog(target, TMessageKind::Nick, old_nick, text);
    target.members.RenameMember(old_nick, new_nick);
    if (target.members.UpdateMember(new_nick, m.user, m.host) && target.IsChannel())
      CheckAutoOp(target, new_nick, m.user, m.host);
    world_.NodeChanged(*this, &target);
  }
  if (own) PrintOwnLogOfUnit(TMessageKind::Nick, old_nick, text);
  PrintToConsole(TMessageKind::Nick, text);
  if (world_.dcc) world_.dcc->RenamePeer(*this, old_nick, new_nick);
  if (TChannel* talk = FindChannel(old_nick); talk && talk->IsTalk()) {
    world_.RenameTalk(*this, *talk, new_nick);
  }
  world_.NodeChanged(*this);
  if (world_.protocol) world_.protocol->OnNickChanged(*this, old_nick, new_nick);
}

// --- MODE --------------------------------------------------------------------------

void TUnit::OnMode(const TIrcMessage& m) {
  const std::string& target_name = m.Param(0);
  std::string modes = TrimRight(m.JoinParams(1));
  if (target_name == current_nick_) {
    user_mode.Apply(modes);
    PrintToUnit(TMessageKind::UserMode, m.nick, world_.Formats().FormatUserMode(target_name, modes));
    world_.NodeChanged(*this);
    return;
  }
  TChannel* target = FindTarget(target_name);
  if (!target) {
    PrintToUnit(TMessageKind::Mode, m.nick, world_.Formats().FormatMode(SenderOf(m), target_name, modes),
                target_name);
    return;
  }
  OnChannelMode(m, *target, modes);
}

void TUnit::OnChannelMode(const TIrcMessage& m, TChannel& target, const std::string& modes) {
  NoteSender(target, m);
  target.mode.Apply(modes);
  for (const TModeLetter& mode : ModeLetters(modes, TModeWords::kSigned)) {
    switch (mode.letter) {
      case 'I': case 'R': case 'b': case 'e':
        if (world_.protocol) {
          world_.protocol->OnMaskListChange(*this, target, mode.letter, mode.plus, std::string(mode.argument));
        }
        break;
      case 'o':
        target.members.SetMemberMode(mode.argument, 'o', mode.plus);
        if (IsOwnNick(mode.argument)) {
          target.op = mode.plus;
          if (!mode.plus) {
            target.auto_op = TAutoOpQueue();
          } else if (Prefs().EnableAutoOpOnBeingOperator) {
            AutoOpPass(target);
          }
        }
        break;
      case 'v': target.members.SetMemberMode(mode.argument, 'v', mode.plus); break;
      default: break;
    }
  }
  PrintToChannel(target, TMessageKind::Mode, m.nick, world_.Formats().FormatMode(SenderOf(m), target.name, modes));
  world_.NodeChanged(*this, &target);
}

// --- TOPIC, INVITE ---------------------------------------------------------------

void TUnit::OnTopic(const TIrcMessage& m) {
  const std::string& channel = m.Param(0);
  TChannel* target = FindTarget(channel);
  if (!target) {
    PrintToUnit(TMessageKind::Topic, m.nick, world_.Formats().FormatTopic(SenderOf(m), channel, m.Param(1)),
                channel);
    return;
  }
  NoteSender(*target, m);
  target->topic = m.Param(1);
  PrintToChannel(*target, TMessageKind::Topic, m.nick,
                 world_.Formats().FormatTopic(SenderOf(m), target->name, m.Param(1)));
  world_.NodeChanged(*this, target);
}

void TUnit::OnInvite(const TIrcMessage& m) {
  std::string channel = TrimRight(m.Param(1));
  PrintInvitation(m.nick, world_.Formats().FormatInvite(SenderOf(m), channel), channel);
  PlayEventSound(Prefs().EnableInviteSound, Prefs().InviteSoundFile);
  if (!IsSingleChannelName(channel, kServerChannelPrefixes)) return;  // shown, never acted on
  if (Prefs().InviteAction == 2) {
    SendJoin(channel, std::string());
  } else if (Prefs().InviteAction == 1 && world_.view) {
    world_.view->ShowInvitation(*this, m.nick, channel);
  }
}

}  // namespace zeph
