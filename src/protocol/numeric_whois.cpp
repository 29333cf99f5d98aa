// WHOIS and WHOWAS answers: into the user's dialog when one is open (or may
// open), else printed; and the away replies to messages.
#include "engine/irc_message.h"
#include "engine/unit.h"
#include "engine/world.h"
#include "platform/string_printf.h"
#include "protocol/numeric_replies.h"
#include "protocol/numeric_text.h"

namespace zeph {

void TNumericReplies::OnAway(TUnit& unit, const TIrcMessage& m) {
  const std::string& nick = m.Param(1);
  const std::string& message = m.Param(2);
  if (unit.Replies().InWhois()) {
    if (TWhoisModel* dialog = windows_.FindWhois(unit, nick)) {
      dialog->SetAwayMessage(message);
    } else {
      PrintReply(unit, StringPrintf("%s is away : %s", nick.c_str(), message.c_str()));
    }
    return;
  }
  if (unit.Replies().InWhowas() || nick.empty()) return;
  // The answer to a message we sent: where the conversation is.
  std::string text = world_.Formats().FormatAwayReply(nick, message);
  TChannel* talk = unit.FindChannel(nick);
  if (talk && talk->IsTalk()) {
    unit.PrintToChannel(*talk, TMessageKind::AwayReply, nick, text);
  } else {
    unit.PrintToUnit(TMessageKind::AwayReply, nick, text);
  }
}

void TNumericReplies::OnWhoisUser(TUnit& unit, const TIrcMessage& m) {
  const std::string& nick = m.Param(1);
  unit.Replies().BeginWhois();
  TWhoisModel* dialog = windows_.FindWhois(unit, nick);
  if (dialog) {
    dialog->Reset();
    dialog->Raise();
  } else {
    dialog = windows_.OpenWhois(unit, nick);
  }
  const std::string& user = m.Param(2);
  const std::string& host = m.Param(3);
  const std::string& realname = m.Param(5);
  if (dialog) {
    dialog->SetUser(user, host, realname);
  } else {
    PrintReply(unit, StringPrintf("%s is %s (%s@%s)", nick.c_str(), realname.c_str(), user.c_str(), host.c_str()));
  }
}

void TNumericReplies::OnWhoisServer(TUnit& unit, const TIrcMessage& m) {
  if (!unit.Replies().InWhois()) {
    PrintReply(unit, m.JoinParams(1));  // part of a WHOWAS answer
    return;
  }
  const std::string& nick = m.Param(1);
  if (TWhoisModel* dialog = windows_.FindWhois(unit, nick)) {
    dialog->SetServer(m.Param(2), m.Param(3));
  } else {
    PrintReply(unit, StringPrintf("%s is on %s (%s)", nick.c_str(), m.Param(2).c_str(), m.Param(3).c_str()));
  }
}

void TNumericReplies::OnWhoisOperator(TUnit& unit, const TIrcMessage& m) {
  const std::string& nick = m.Param(1);
  if (TWhoisModel* dialog = windows_.FindWhois(unit, nick)) {
    dialog->MarkOperator();
  } else {
    PrintReply(unit, StringPrintf("%s is an IRC operator", nick.c_str()));
  }
}

void TNumericReplies::OnWhoisIdle(TUnit& unit, const TIrcMessage& m) {
  const std::string& nick = m.Param(1);
  std::string idle = FormatIdleTime(ParseDecimal(m.Param(2)));
  const std::string& sign_on_seconds = m.Param(3);
  bool has_sign_on = !sign_on_seconds.empty() && sign_on_seconds.front() >= '0' && sign_on_seconds.front() <= '9';
  std::string sign_on = has_sign_on ? FormatReplyTime(sign_on_seconds) : std::string();
  if (TWhoisModel* dialog = windows_.FindWhois(unit, nick)) {
    dialog->SetIdle(idle, sign_on);
    return;
  }
  PrintReply(unit, StringPrintf("%s is %s idle", nick.c_str(), idle.c_str()));
  if (has_sign_on) PrintReply(unit, StringPrintf("%s logged on at %s", nick.c_str(), sign_on.c_str()));
}

void TNumericReplies::OnWhoisChannels(TUnit& unit, const TIrcMessage& m) {
  const std::string& nick = m.Param(1);
  std::vector<std::string> channels = SplitWords(m.Param(2));
  if (TWhoisModel* dialog = windows_.FindWhois(unit, nick)) {
    for (std::string& channel : channels) dialog->AddChannel(std::move(channel));
    return;
  }
  std::string text = StringPrintf("%s is on ", nick.c_str());
  for (size_t i = 0; i < channels.size(); ++i) text += (i > 0 ? ", " : "") + channels[i];
  PrintReply(unit, text);
}

void TNumericReplies::OnWhowasUser(TUnit& unit, const TIrcMessage& m) {
  unit.Replies().BeginWhowas();
  PrintReply(unit, m.JoinParams(1));
}

void TNumericReplies::OnEndOfWhowas(TUnit& unit, const TIrcMessage& m) {
  unit.Replies().EndWhowas();
  PrintReply(unit, m.JoinParams(1));
}

}  // namespace zeph
