// Replies about channels: modes, topics, the member lists that NAMES and
// WHO fill, what a channel we create gets, LIST and the mask lists.
#include "settings/preferences.h"
#include "engine/channel_name.h"
#include "engine/irc_message.h"
#include "engine/irc_text.h"
#include "engine/unit.h"
#include "engine/world.h"
#include "platform/sjis.h"
#include "platform/string_printf.h"
#include "protocol/numeric_replies.h"
#include "protocol/numeric_text.h"

namespace zeph {
namespace {

enum TWhoTiming { kWhoAtOnce = 0, kWhoNever = 3 };

// The name the server knows the channel by, for what we send about it.
const std::string& ServerName(const TChannel& channel) {
  return channel.WireName().empty() ? channel.Name() : channel.WireName();
}

bool Contains(const std::string& text, char c) { return text.find(c) != std::string::npos; }

}  // namespace

// --- Modes and topics -------------------------------------------------------------------

void TNumericReplies::OnChannelMode(TUnit& unit, const TIrcMessage& m) {
  const std::string& name = m.Param(1);
  std::string modes = TrimRight(m.JoinParams(2));
  if (modes == "+") return;
  TChannel* channel = JoinedChannel(unit, name);
  if (channel) {
    TChannelMode mode;
    mode.Apply(modes);
    channel->SetMode(mode);
  }
  PrintAbout(unit, channel, name, TMessageKind::ModeReply, world_.Formats().FormatModeReply(name, modes));
}

void TNumericReplies::OnCreationTime(TUnit& unit, const TIrcMessage& m) {
  const std::string& name = m.Param(1);
  PrintAbout(unit, JoinedChannel(unit, name), name, TMessageKind::Reply,
             StringPrintf("*created at %s", FormatReplyTime(m.Param(2)).c_str()));
}

void TNumericReplies::OnTopic(TUnit& unit, const TIrcMessage& m, bool has_topic) {
  const std::string& name = m.Param(1);
  std::string topic = has_topic ? m.Param(2) : std::string();
  TChannel* channel = JoinedChannel(unit, name);
  if (channel) {
    channel->SetTopic(topic);
  }
  PrintAbout(unit, channel, name, TMessageKind::TopicReply, world_.Formats().FormatTopicReply(name, topic));
}

void TNumericReplies::OnTopicSetter(TUnit& unit, const TIrcMessage& m) {
  const std::string& name = m.Param(1);
  PrintAbout(unit, JoinedChannel(unit, name), name, TMessageKind::Reply,
             StringPrintf("*%s set the topic at %s", m.Param(2).c_str(), FormatReplyTime(m.Param(3)).c_str()));
}

// --- WHO ------------------------------------------------------------------------------------

void TNumericReplies::OnWhoReply(TUnit& unit, const TIrcMessage& m) {
  const std::string& name = m.Param(1);
  const std::string& user = m.Param(2);
  const std::string& host = m.Param(3);
  const std::string& server = m.Param(4);
  const std::string& nick = m.Param(5);
  const std::string& flags = m.Param(6);
  std::string realname = m.Param(7);
  std::string hops = NextToken(realname);

  TChannel* channel = JoinedChannel(unit, name);
  if (channel && !channel->WhoComplete() && !channel->Mode().a) {
    // Our own WHO that fills the member details; a member who left in
    // the meantime is not brought back.
    if (const TMember* known = channel->Members().FindMember(nick)) {
      TMember member = *known;
      member.nick = nick;
      member.user = user;
      member.host = host;
      member.info1 = server;
      member.info2 = realname;
      member.is_operator = Contains(flags, '@');
      member.has_voice = Contains(flags, '+');
      channel->AddMember(member, true);
    }
    return;
  }
  PrintReply(unit, StringPrintf("*who %s : %s (%s@%s) %s [%s] %s hop=%s", name.c_str(), nick.c_str(), user.c_str(),
                                host.c_str(), realname.c_str(), flags.c_str(), server.c_str(), hops.c_str()));
}

// Only the first answer fills the member list; the end of every one is
// shown.
void TNumericReplies::OnEndOfWho(TUnit& unit, const TIrcMessage& m) {
  TChannel* channel = JoinedChannel(unit, m.Param(1));
  if (channel == nullptr) return;
  if (!channel->WhoComplete()) {
    channel->SetWhoComplete();
    if (world_.Preferences().EnableAutoOpOnBeingOperator && channel->IsOperator()) unit.AutoOpPass(*channel);
  }
  unit.PrintSystem(Sjis("メンバ情報を取得しました"), channel);
}

// --- NAMES ----------------------------------------------------------------------------------

void TNumericReplies::OnNames(TUnit& unit, const TIrcMessage& m) {
  const std::string& name = m.Param(2);
  std::string names = TrimRight(m.Param(3));
  TChannel* channel = JoinedChannel(unit, name);
  if (channel && !channel->NamesComplete()) {
    for (std::string& word : SplitWords(names)) {
      bool op = word.front() == '@';
      bool voice = !op && word.front() == '+';
      if (op || voice) word.erase(0, 1);
      if (word.empty()) continue;
      // What we knew of the member (his address from a JOIN) stays; the
      // status is the server's.
      const TMember* known = channel->Members().FindMember(word);
      TMember member = known ? *known : TMember{word};
      member.nick = word;
      member.is_operator = op;
      member.has_voice = voice;
      channel->AddMember(member, true);
      if (word == unit.Nick()) channel->SetOperator(op);
    }
  }
  PrintAbout(unit, channel, name, TMessageKind::NamesReply, world_.Formats().FormatNamesReply(name, names));
}

void TNumericReplies::OnEndOfNames(TUnit& unit, const TIrcMessage& m) {
  TChannel* channel = JoinedChannel(unit, m.Param(1));
  if (channel == nullptr || channel->NamesComplete()) return;
  channel->SetNamesComplete();
  const std::string wire = ServerName(*channel);
  ApplyCreationSettings(unit, *channel, wire);
  RequestMemberDetails(unit, *channel, wire);
}

void TNumericReplies::ApplyCreationSettings(TUnit& unit, TChannel& channel, const std::string& wire) {
  bool alone = channel.Members().MemberCount() <= 1;
  // "+" channels have no modes and no topic to set.
  bool settable = IsChannelName(wire, kJoinChannelPrefixes);
  if (!alone || !channel.IsOperator()) {
    unit.SendMode(wire, std::string());
  } else if (settable && !channel.ModeSetting().empty()) {
    unit.SendMode(wire, channel.ModeSetting());
  }
  if (alone && settable && !channel.TopicSetting().empty()) {
    const std::string& topic = channel.TopicSetting();
    unit.SendTopic(wire, unit.ExpandVariables(topic));
  }
}

void TNumericReplies::RequestMemberDetails(TUnit& unit, TChannel& channel, const std::string& wire) {
  int count = channel.Members().MemberCount();
  if (count < 2) {
    channel.SetWhoComplete();
    return;
  }
  int timing = world_.Preferences().WhoTiming;
  if (timing == kWhoAtOnce) {
    unit.SendCommand("WHO", wire, std::string(), 2, 0);
  } else if (timing != kWhoNever) {
    unit.WhoQueue().Add(wire, count);
  }
}

// --- LIST --------------------------------------------------------------------------------------

void TNumericReplies::OnListEntry(TUnit& unit, const TIrcMessage& m) {
  TChannelListModel* list = windows_.ChannelList(unit);
  if (!unit.Replies().InList()) {
    unit.Replies().BeginList();
    if (list) list->Clear();
  }
  const std::string& name = m.Param(1);
  const std::string& users = m.Param(2);
  const std::string& topic = m.Param(3);
  if (list) {
    list->AddRow(TChannelListRow{name, ParseCount(users), topic});
  } else {
    PrintReply(unit, StringPrintf("*list %s (%s) : %s", name.c_str(), users.c_str(), topic.c_str()));
  }
}

void TNumericReplies::OnEndOfList(TUnit& unit) {
  unit.Replies().EndList();
  if (TChannelListModel* list = windows_.ChannelList(unit)) list->Sort();
}

// --- Ban, exception, invitation and reop lists -----------------------------------------------

void TNumericReplies::OnMaskEntry(TUnit& unit, const TIrcMessage& m, TMaskListKind kind) {
  TChannel* channel = JoinedChannel(unit, m.Param(1));
  TMaskListModel* list = channel ? windows_.FindMaskList(unit, *channel, kind) : nullptr;
  if (list) {
    list->Add(m.Param(2));
  } else {
    PrintReply(unit, m.JoinParams(1));
  }
}

void TNumericReplies::OnEndOfMasks(TUnit& unit, const TIrcMessage& m, TMaskListKind kind) {
  TChannel* channel = JoinedChannel(unit, m.Param(1));
  if (channel == nullptr || windows_.FindMaskList(unit, *channel, kind) == nullptr) PrintReply(unit, m.JoinParams(1));
}

}  // namespace zeph
