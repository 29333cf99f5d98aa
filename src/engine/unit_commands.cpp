// The builders every part of the program sends commands with: each puts
// the ":" before the trailing parameter and carries its flood penalty.
#include "settings/preferences.h"
#include "display/decoration_tags.h"
#include "engine/channel_name.h"
#include "engine/irc_text.h"
#include "engine/unit.h"
#include "engine/world.h"

namespace zeph {
namespace {

constexpr int kDefaultPenalty = 2;
constexpr int kPartPenalty = 4;

std::string Ctcp(const std::string& text) { return ":\x01" + text + "\x01"; }

}  // namespace

void TUnit::SendMessage(const std::string& target, const std::string& text, TMessageType type) {
  std::string body = TagsToControlCodes(text);
  switch (type) {
    case TMessageType::Privmsg: SendCommand("PRIVMSG", target, ":" + body, kDefaultPenalty, 0); break;
    case TMessageType::Notice: SendCommand("NOTICE", target, ":" + body, kDefaultPenalty, 0); break;
    case TMessageType::Action: SendCommand("PRIVMSG", target, Ctcp("ACTION " + body), kDefaultPenalty, 0); break;
  }
}

void TUnit::SendCtcpQuery(const std::string& target, const std::string& text) {
  SendCommand("PRIVMSG", target, Ctcp(text), kDefaultPenalty, 0);
}

void TUnit::SendCtcpReply(const std::string& target, const std::string& text, TAutomatic automatic) {
  SendCommand("NOTICE", target, Ctcp(text), kDefaultPenalty, 0, automatic);
}

void TUnit::SendJoin(const std::string& channels, const std::string& keys) {
  std::string names_left = channels;
  std::string keys_left = keys;
  std::string expanded;
  while (!names_left.empty()) {
    std::string name = ExpandShortName(NextField(names_left, ','));
    std::string key = NextField(keys_left, ',');
    if (name.empty()) continue;
    if (Prefs().RejoinOnError437 && IsChannelName(name, kJoinChannelPrefixes)) rejoins_.Add(name, key);
    if (IsSafeChannel(name) && !IsSafeCreate(name)) replies_.NoteSafeCreateRequest(name);
    if (!expanded.empty()) expanded += ',';
    expanded += name;
  }
  if (expanded.empty()) return;
  SendCommand("JOIN", keys.empty() ? expanded : expanded + " " + keys, std::string(), kDefaultPenalty, 0);
}

void TUnit::SendPart(const std::string& channel, const std::string& message) {
  SendCommand("PART", channel, ":" + TagsToControlCodes(message), kPartPenalty, 0);
}

void TUnit::SendMode(const std::string& target, const std::string& modes, TAutomatic automatic) {
  int penalty = IsChannelName(target, kServerChannelPrefixes) ? ModePenalty(modes) : kDefaultPenalty;
  SendCommand("MODE", modes.empty() ? target : target + " " + modes, std::string(), penalty, 0, automatic);
}

void TUnit::SendNick(const std::string& nick, bool remember) {
  user_nick_request_ = nick;
  nick_retries_.UserAsked(nick, remember);
  SendCommand("NICK", nick, std::string(), kDefaultPenalty, 0);
}

void TUnit::SendAway(const std::string& message) {
  if (message.empty()) {
    SendCommand("AWAY", std::string(), std::string(), kDefaultPenalty, 0);
    return;
  }
  away_message_ = message;
  SendCommand("AWAY", std::string(), ":" + TagsToControlCodes(message), kDefaultPenalty, 0);
}

void TUnit::SendQuit(const std::string& message) {
  auto_reconnect_ = false;
  quit_pending_ = true;
  quit_countdown_ = kQuitCountdown;
  SendCommand("QUIT", std::string(), ":" + TagsToControlCodes(message), kDefaultPenalty, 0);
}

void TUnit::SendKick(const std::string& channel, const std::string& nicks, const std::string& reason, int penalty) {
  SendCommand("KICK", channel + " " + nicks, ":" + TagsToControlCodes(reason), penalty, 0);
}

void TUnit::SendTopic(const std::string& channel, const std::string& topic) {
  SendCommand("TOPIC", channel, ":" + TagsToControlCodes(topic), kDefaultPenalty, 0);
}

void TUnit::SendTopicQuery(const std::string& channel) {
  SendCommand("TOPIC", channel, std::string(), kDefaultPenalty, 0);
}

void TUnit::SendInvite(const std::string& nick, const std::string& channel) {
  SendCommand("INVITE", channel.empty() ? nick : nick + " " + channel, std::string(), kDefaultPenalty, 0);
}

void TUnit::SendWhois(const std::string& nick) {
  SendCommand("WHOIS", Prefs().DetailWhois ? nick + " " + nick : nick, std::string(), kDefaultPenalty, 0);
}

void TUnit::SendList(const std::string& argument) {
  SendCommand("LIST", argument, std::string(), kDefaultPenalty, 0);
}

void TUnit::SendNames(const std::string& channel) {
  if (state_ != TUnitState::LoggedIn) return;
  SendCommand("NAMES", channel, std::string(), kDefaultPenalty, 0);
}

// «MODE #c -oo+o a b c»: a sign is written before the first letter of each
// sign group, the letter once per nick.
void TUnit::SendMassMode(const std::string& channel, char letter, const std::vector<std::string>& remove,
                         const std::vector<std::string>& add, TAutomatic automatic) {
  std::string letters, nicks;
  char sign = 0;
  int count = 0;
  auto flush = [&] {
    if (count == 0) return;
    SendMode(channel, letters + nicks, automatic);
    letters.clear();
    nicks.clear();
    sign = 0;
    count = 0;
  };
  auto put = [&](char s, const std::string& nick) {
    if (sign != s) letters += s;
    sign = s;
    letters += letter;
    nicks += " " + nick;
    if (++count == 3) flush();
  };
  for (const std::string& nick : remove) put('-', nick);
  for (const std::string& nick : add) put('+', nick);
  flush();
}

}  // namespace zeph
