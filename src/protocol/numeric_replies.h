#pragma once

#include <string>

#include "display/message_kind.h"
#include "protocol/nick_policy.h"
#include "protocol/numeric_windows.h"

namespace zeph {

class TChannel;
class TUnit;
class TWorld;
struct TIrcMessage;

// What the unit does with the server's numeric replies: it keeps the unit
// and its channels in step with the answers, feeds the windows that show
// them, reacts to refusals and prints everything else into the unit log.
class TNumericReplies {
 public:
  explicit TNumericReplies(TWorld& world);

  void Handle(TUnit& unit, TIrcMessage& message);
  void OnNickChanged(TUnit& unit, const std::string& old_nick, const std::string& new_nick);
  void OnUnitShutdown(TUnit& unit);
  void OnMaskListChange(TUnit& unit, TChannel& channel, char list, bool add, const std::string& mask);

  // The models of the reply windows, for the window layer.
  TReplyWindows& Windows() { return windows_; }

 private:
  // Registration, user mode and away.
  void OnParamsReply(TUnit& unit, const TIrcMessage& m);
  void OnUnknownReply(TUnit& unit, const TIrcMessage& m);
  void OnUserMode(TUnit& unit, const TIrcMessage& m);
  void OnAwayState(TUnit& unit, bool away);
  void OnInviting(TUnit& unit, const TIrcMessage& m);

  // WHOIS and WHOWAS.
  void OnAway(TUnit& unit, const TIrcMessage& m);
  void OnWhoisUser(TUnit& unit, const TIrcMessage& m);
  void OnWhoisServer(TUnit& unit, const TIrcMessage& m);
  void OnWhoisOperator(TUnit& unit, const TIrcMessage& m);
  void OnWhoisIdle(TUnit& unit, const TIrcMessage& m);
  void OnWhoisChannels(TUnit& unit, const TIrcMessage& m);
  void OnWhowasUser(TUnit& unit, const TIrcMessage& m);
  void OnEndOfWhowas(TUnit& unit, const TIrcMessage& m);

  // Channels: modes, topics, member lists.
  void OnChannelMode(TUnit& unit, const TIrcMessage& m);
  void OnCreationTime(TUnit& unit, const TIrcMessage& m);
  void OnTopic(TUnit& unit, const TIrcMessage& m, bool has_topic);
  void OnTopicSetter(TUnit& unit, const TIrcMessage& m);
  void OnWhoReply(TUnit& unit, const TIrcMessage& m);
  void OnEndOfWho(TUnit& unit, const TIrcMessage& m);
  void OnNames(TUnit& unit, const TIrcMessage& m);
  void OnEndOfNames(TUnit& unit, const TIrcMessage& m);
  // A channel that only we are in and operate: the configured mode and
  // topic go out; otherwise the modes are asked for.
  void ApplyCreationSettings(TUnit& unit, TChannel& channel, const std::string& wire);
  void RequestMemberDetails(TUnit& unit, TChannel& channel, const std::string& wire);

  // LIST and the mask lists.
  void OnListEntry(TUnit& unit, const TIrcMessage& m);
  void OnEndOfList(TUnit& unit);
  void OnMaskEntry(TUnit& unit, const TIrcMessage& m, TMaskListKind kind);
  void OnEndOfMasks(TUnit& unit, const TIrcMessage& m, TMaskListKind kind);

  // Refusals.
  void OnError(TUnit& unit, const TIrcMessage& m);
  void OnNoSuchChannel(TUnit& unit, const TIrcMessage& m);
  void PrintError(TUnit& unit, const TIrcMessage& m);
  void ForgetRefusedChannel(TUnit& unit, const TIrcMessage& m);

  // The joined channel a reply names; null when the unit has none.
  TChannel* JoinedChannel(TUnit& unit, const std::string& name) const;
  // A reply about a channel: into the channel when we are in it, else into
  // the unit log.
  void PrintAbout(TUnit& unit, TChannel* channel, const std::string& name, TMessageKind kind,
                  const std::string& text);
  void PrintReply(TUnit& unit, const std::string& text);

  TWorld& world_;
  TReplyWindows windows_;
  TNickPolicy nick_policy_;
};

}  // namespace zeph
