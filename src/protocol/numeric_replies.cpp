// The numeric replies of the server: dispatch, registration and user mode
// replies, and the printing every handler shares.
#include "protocol/numeric_replies.h"

#include "settings/preferences.h"
#include "engine/channel_name.h"
#include "engine/irc_message.h"
#include "engine/unit.h"
#include "engine/world.h"
#include "platform/sjis.h"
#include "platform/string_printf.h"
#include "protocol/numeric_text.h"

namespace zeph {
namespace {

bool IsErrorReply(int numeric) { return numeric >= 400 && numeric <= 599 && numeric != 403 && numeric != 422; }

// Replies shown as the server wrote them: welcome, server information,
// statistics and the message of the day.
bool IsParamsReply(int numeric) {
  switch (numeric) {
    case 1: case 2: case 3: case 4: case 5: case 8:
    case 250: case 251: case 252: case 253: case 254: case 255:
    case 265: case 266: case 372: case 375: case 376: case 422:
      return true;
    default:
      return false;
  }
}

}  // namespace

TNumericReplies::TNumericReplies(TWorld& world) : world_(world), windows_(world), nick_policy_(world, windows_) {}

void TNumericReplies::Handle(TUnit& unit, TIrcMessage& m) {
  int numeric = m.numeric;
  if (IsErrorReply(numeric)) {
    OnError(unit, m);
    return;
  }
  if (IsParamsReply(numeric)) {
    OnParamsReply(unit, m);
    return;
  }
  switch (numeric) {
    case 221: OnUserMode(unit, m); break;
    case 301: OnAway(unit, m); break;
    case 305: OnAwayState(unit, false); break;
    case 306: OnAwayState(unit, true); break;
    case 311: OnWhoisUser(unit, m); break;
    case 312: OnWhoisServer(unit, m); break;
    case 313: OnWhoisOperator(unit, m); break;
    case 314: OnWhowasUser(unit, m); break;
    case 315: OnEndOfWho(unit, m); break;
    case 317: OnWhoisIdle(unit, m); break;
    case 318: unit.Replies().EndWhois(); break;
    case 319: OnWhoisChannels(unit, m); break;
    case 322: OnListEntry(unit, m); break;
    case 323: OnEndOfList(unit); break;
    case 324: OnChannelMode(unit, m); break;
    case 329: OnCreationTime(unit, m); break;
    case 331: OnTopic(unit, m, false); break;
    case 332: OnTopic(unit, m, true); break;
    case 333: OnTopicSetter(unit, m); break;
    case 341: OnInviting(unit, m); break;
    case 344: OnMaskEntry(unit, m, TMaskListKind::Reop); break;
    case 345: OnEndOfMasks(unit, m, TMaskListKind::Reop); break;
    case 346: OnMaskEntry(unit, m, TMaskListKind::Invite); break;
    case 347: OnEndOfMasks(unit, m, TMaskListKind::Invite); break;
    case 348: OnMaskEntry(unit, m, TMaskListKind::Exception); break;
    case 349: OnEndOfMasks(unit, m, TMaskListKind::Exception); break;
    case 352: OnWhoReply(unit, m); break;
    case 353: OnNames(unit, m); break;
    case 366: OnEndOfNames(unit, m); break;
    case 367: OnMaskEntry(unit, m, TMaskListKind::Ban); break;
    case 368: OnEndOfMasks(unit, m, TMaskListKind::Ban); break;
    case 369: OnEndOfWhowas(unit, m); break;
    case 403: OnNoSuchChannel(unit, m); break;
    default: OnUnknownReply(unit, m); break;
  }
}

void TNumericReplies::OnNickChanged(TUnit& unit, const std::string& old_nick, const std::string& new_nick) {
  windows_.RenameWhois(unit, old_nick, new_nick);
}

void TNumericReplies::OnUnitShutdown(TUnit& unit) { windows_.CloseUnit(unit); }

void TNumericReplies::OnMaskListChange(TUnit& unit, TChannel& channel, char list, bool add,
                                       const std::string& mask) {
  std::optional<TMaskListKind> kind = MaskListKindOf(list);
  if (!kind) return;
  TMaskListModel* model = windows_.FindMaskList(unit, channel, *kind);
  if (model == nullptr) return;
  if (add) {
    model->Add(mask);
  } else {
    model->Remove(mask);
  }
}

// --- Printing ------------------------------------------------------------------------

TChannel* TNumericReplies::JoinedChannel(TUnit& unit, const std::string& name) const {
  if (name.empty()) return nullptr;
  TChannel* channel = unit.FindTarget(name);
  return channel && channel->IsChannel() && channel->IsJoined() ? channel : nullptr;
}

void TNumericReplies::PrintAbout(TUnit& unit, TChannel* channel, const std::string& name, TMessageKind kind,
                                 const std::string& text) {
  if (channel) {
    unit.PrintToChannel(*channel, kind, std::string(), text);
  } else {
    unit.PrintToUnit(kind, std::string(), text, name);
  }
}

void TNumericReplies::PrintReply(TUnit& unit, const std::string& text) {
  unit.PrintToUnit(TMessageKind::Reply, std::string(), text);
}

// --- Registration, user mode, away -------------------------------------------------------

void TNumericReplies::OnParamsReply(TUnit& unit, const TIrcMessage& m) { PrintReply(unit, m.JoinParams(1)); }

void TNumericReplies::OnUnknownReply(TUnit& unit, const TIrcMessage& m) {
  PrintReply(unit, StringPrintf("*Reply(%03d) %s", m.numeric, m.JoinParams(1).c_str()));
}

void TNumericReplies::OnUserMode(TUnit& unit, const TIrcMessage& m) {
  std::string modes = TrimRight(m.JoinParams(1));
  unit.SetUserMode(modes);
  if (modes != "+") {
    unit.PrintToUnit(TMessageKind::UserMode, std::string(), world_.Formats().FormatUserMode(unit.Nick(), modes));
  }
}

void TNumericReplies::OnAwayState(TUnit& unit, bool away) {
  unit.SetAway(away);
  unit.PrintSystem(Sjis(away ? "離席状態になりました" : "離席状態を解除しました"));
}

void TNumericReplies::OnInviting(TUnit& unit, const TIrcMessage& m) {
  const std::string& nick = m.Param(1);
  const std::string& channel = m.Param(2);
  unit.PrintToUnit(TMessageKind::Inviting, nick, world_.Formats().FormatInviting(nick, channel), channel);
}

}  // namespace zeph
