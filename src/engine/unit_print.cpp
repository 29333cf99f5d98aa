// How the unit prints: each event becomes a line in its own log (the unit
// log, or a channel's), gated by the kind's settings, and a copy in the
// shared console when the routing rule lets it through.
#include "settings/preferences.h"
#include "display/line_composition.h"
#include "engine/channel_name.h"
#include "engine/unit.h"
#include "engine/world.h"

namespace zeph {

int TUnit::NickClass(const TChannel* target, const std::string& nick) const {
  if (nick.empty()) return 0;
  if (IsOwnNick(nick)) return 1;
  const TMember* member = target ? target->Members().FindMember(nick) : nullptr;
  if (member == nullptr) return 0;
  if (member->group == kMemberGroupSelf) return 1;
  if (member->group == kMemberGroupUser) return 2 + member->group_index;
  return 0;
}

bool TUnit::ConsoleCopyPasses(const TTreeNode& node, bool console_switch) const {
  if (!console_switch) return false;
  if (!world_.IsSelected(node)) return true;
  if (world_.Tree().IsScrolledAway(node.Id())) return true;
  return Prefs().PrintAllLogToConsole && world_.TitleView().IsInBackground();
}

// All but the time: a place piece alone needs no clock.
TLineRequest TUnit::LineRequest(TLogKind log, TChannel* target, TMessageKind kind, const std::string& nick,
                                const std::string& channel_name) const {
  TLineRequest request;
  request.kind = kind;
  request.log = log;
  request.unit_name = Name();
  request.channel_name = target ? std::string_view(target->Name()) : std::string_view(channel_name);
  request.channel_is_talk = target && !target->IsChannel();
  request.nick = nick;
  return request;
}

TLogLineSource TUnit::ComposeSource(TLogKind log, TChannel* target, TMessageKind kind, const std::string& nick,
                                   const std::string& text, const std::string& channel_name,
                                   const TLinkKey& link) const {
  TLineRequest request = LineRequest(log, target, kind, nick, channel_name);
  request.time = world_.Now();
  TLinePieces pieces = ComposeLine(world_.Formats(), request, text);

  TLogLineSource source;
  source.time = std::move(pieces.time);
  source.place = std::move(pieces.place);
  source.nick_piece = std::move(pieces.nick_piece);
  source.body = std::move(pieces.body);
  source.category = KindCategory(kind);
  source.nick_class = NickClass(target, nick);
  source.nick = nick;
  source.link_key = link;
  source.unit = Id();
  source.channel = target ? target->Id() : kNoNode;
  return source;
}

const TLogLine* TUnit::AddOwnLine(TChannel* target, TMessageKind kind, const std::string& nick,
                                  const std::string& text, const std::string& channel_name, bool keyword_check,
                                  const TLinkKey& link, TLogLineSource* composed) {
  if (!IsOwnLogEnabled(kind, world_.Formats())) return nullptr;
  TLogKind log = target ? TLogKind::Channel : TLogKind::Unit;
  TLogLineSource source = ComposeSource(log, target, kind, nick, text, channel_name, link);
  TTreeNode& node = target ? static_cast<TTreeNode&>(*target) : *this;
  bool keyword_switch = target ? target->KeywordSwitch() : KeywordSwitch();
  const TLogLine& line = node.Log().AddLine(source, keyword_check && keyword_switch);
  node.LogFile().WriteLine(source);
  world_.AfterLineAdded(*this, target, source, line, keyword_switch);
  if (composed) *composed = std::move(source);
  return &line;
}

// A console copy leads back to its unit or channel, and marks keywords as
// its source's own log does. The copy of a line just added to its own log
// differs from it in the place and the link only, and takes the rest of it.
void TUnit::AddConsoleLine(TChannel* target, TMessageKind kind, const std::string& nick, const std::string& text,
                           const std::string& channel_name, bool keyword_check, const TLinkKey& link,
                           TLogLineSource* own) {
  if (!IsConsoleEnabled(kind, world_.Formats())) return;
  TLinkKey key = link.IsEmpty() ? ConsoleCopyKey(Id(), target ? target->Id() : kNoNode, KindCategory(kind)) : link;
  bool keyword_switch = target ? target->KeywordSwitch() : KeywordSwitch();
  if (own == nullptr) {
    world_.AddConsoleLine(ComposeSource(TLogKind::Console, target, kind, nick, text, channel_name, key),
                          keyword_check && keyword_switch);
    return;
  }
  own->place = ComposePlace(world_.Formats(), LineRequest(TLogKind::Console, target, kind, nick, channel_name));
  own->link_key = key;
  world_.AddConsoleLine(*own, keyword_check && keyword_switch);
}

const TLogLine* TUnit::PrintLines(TChannel* target, TMessageKind kind, const std::string& nick,
                                  const std::string& text, const std::string& channel_name, bool keyword_check,
                                  const TLinkKey& link) {
  TLogLineSource source;
  const TLogLine* line = AddOwnLine(target, kind, nick, text, channel_name, keyword_check, link, &source);
  TTreeNode& node = target ? static_cast<TTreeNode&>(*target) : *this;
  if (ConsoleCopyPasses(node, node.ConsoleSwitch()))
    AddConsoleLine(target, kind, nick, text, channel_name, keyword_check, link, line ? &source : nullptr);
  return line;
}

bool TUnit::PrintToUnit(TMessageKind kind, const std::string& nick, const std::string& text,
                        const std::string& channel_name, bool keyword_check) {
  const TLogLine* line = PrintLines(nullptr, kind, nick, text, channel_name, keyword_check, TLinkKey());
  return line && line->keyword_hit;
}

bool TUnit::PrintOwnLogOfUnit(TMessageKind kind, const std::string& nick, const std::string& text) {
  const TLogLine* line = AddOwnLine(nullptr, kind, nick, text, std::string(), false, TLinkKey());
  return line && line->keyword_hit;
}

bool TUnit::PrintToChannel(TChannel& target, TMessageKind kind, const std::string& nick, const std::string& text,
                           bool keyword_check) {
  const TLogLine* line = PrintLines(&target, kind, nick, text, std::string(), keyword_check, TLinkKey());
  return line && line->keyword_hit;
}

bool TUnit::PrintOwnLog(TChannel& target, TMessageKind kind, const std::string& nick, const std::string& text) {
  const TLogLine* line = AddOwnLine(&target, kind, nick, text, std::string(), false, TLinkKey());
  return line && line->keyword_hit;
}

void TUnit::PrintToConsole(TMessageKind kind, const std::string& text, TChannel* target) {
  AddConsoleLine(target, kind, std::string(), text, std::string(), false, TLinkKey());
}

void TUnit::PrintSystem(const std::string& text, TChannel* target) {
  if (target) {
    PrintOwnLog(*target, TMessageKind::System, std::string(), text);
  } else {
    PrintToUnit(TMessageKind::System, std::string(), text);
  }
}

// Activating the line joins what it names, so only a single valid channel
// name gets the link: «#a,0» would leave every channel.
void TUnit::PrintInvitation(const std::string& nick, const std::string& text, const std::string& channel) {
  TLinkKey join;
  if (IsSingleChannelName(channel, kServerChannelPrefixes)) join = TLinkKey::ForInvite(Id(), channel);
  PrintLines(nullptr, TMessageKind::Invite, nick, text, channel, false, join);
}

}  // namespace zeph
