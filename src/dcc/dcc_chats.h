#pragma once

#include <map>
#include <memory>
#include <string>

#include "dcc/chat_connection.h"
#include "display/link_key.h"

// DCC chats as talks of their units: the "=nick" target in the tree with
// its log, and the connection that carries its lines.
namespace zeph {

class TChannel;
class TUnit;
class TWorld;

class TDccChats {
 public:
  // Chats a unit holds at most; offers beyond them are only shown, so a
  // flood of offers cannot grow the tree without end.
  static constexpr int kMaxChatsPerUnit = 100;

  TDccChats(TWorld& world, TPortAllocator& ports);
  ~TDccChats();
  TDccChats(const TDccChats&) = delete;
  TDccChats& operator=(const TDccChats&) = delete;

  // A new chat talk with the peer as its member that listens on a chat
  // port and offers it to the peer once listening.
  TChannel& Offer(TUnit& unit, const std::string& nick, const std::string& user, const std::string& host);
  // A new chat talk that connects to the peer's offer.
  TChannel& Connect(TUnit& unit, const std::string& nick, const std::string& user, const std::string& host,
                    const TDccChat& offer);
  // Sends one line over a connected chat; false (nothing sent) otherwise.
  bool SendLine(TUnit& unit, TChannel& chat, const std::string& text);
  // The talk is going away: so does its connection.
  void Forget(const TChannel& chat);
  // The state of a chat talk's connection; Disconnected when it has none.
  TChatState State(const TChannel& chat) const;
  int CountOf(const TUnit& unit) const;

 private:
  class TChat;
  TChat& Add(TUnit& unit, TChannel& talk);

  TWorld& world_;
  TPortAllocator& ports_;
  std::map<TNodeId, std::unique_ptr<TChat>> chats_;  // by the talk's node id
};

}  // namespace zeph
