#pragma once

#include <string>

namespace zeph {

class TChannel;
class TNumericReplies;
class TUnit;
class TWorld;
struct TIrcMessage;

// What a received channel event or server message does beyond the model:
// JOIN, PART, QUIT, NICK, MODE, TOPIC, INVITE, KICK, PING, ERROR, WALLOPS
// and KILL. Each handler changes the unit and its targets through their
// own operations (which announce the changes), prints the event, and runs
// auto-op, operator recovery and the event sounds.
class TChannelEvents {
 public:
  TChannelEvents(TWorld& world, TNumericReplies& numerics) : world_(world), numerics_(numerics) {}

  void OnPing(TUnit& unit, const TIrcMessage& m);
  void OnError(TUnit& unit, const TIrcMessage& m);
  void OnWallops(TUnit& unit, const TIrcMessage& m);
  void OnKill(TUnit& unit, const TIrcMessage& m);
  void OnJoin(TUnit& unit, const TIrcMessage& m);
  void OnPart(TUnit& unit, const TIrcMessage& m);
  void OnQuit(TUnit& unit, const TIrcMessage& m);
  void OnNick(TUnit& unit, const TIrcMessage& m);
  void OnMode(TUnit& unit, const TIrcMessage& m);
  void OnTopic(TUnit& unit, const TIrcMessage& m);
  void OnInvite(TUnit& unit, const TIrcMessage& m);
  void OnKick(TUnit& unit, const TIrcMessage& m);

 private:
  void OnOwnJoin(TUnit& unit, const TIrcMessage& m, const std::string& channel, const std::string& display,
                 TChannel* target, bool op);
  void OnChannelMode(TUnit& unit, const TIrcMessage& m, TChannel& target, const std::string& modes);
  // The sender of an event in a channel may have told us his address.
  void NoteSender(TUnit& unit, TChannel& target, const TIrcMessage& m);
  void RemoveDepartedMember(TUnit& unit, TChannel& target, const std::string& nick);

  TWorld& world_;
  TNumericReplies& numerics_;  // the windows of replies follow nicks and mask lists
};

}  // namespace zeph
