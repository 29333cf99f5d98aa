#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

#include "dcc/dcc_chats.h"
#include "dcc/dcc_manager.h"
#include "dcc/world_peer_link.h"
#include "engine/world_hooks.h"

// DCC for the whole program: the one manager of file transfers, the chat
// talks, and the CTCP DCC queries of every unit, which are printed, sounded
// and answered as the preferences say. The desktop program and the
// headless one run the same code; only the windows differ.
namespace zeph {

class TWorld;

// A chat offer that waits for the user's answer ("DCCチャット要求").
struct TChatRequest {
  TNodeId unit = kNoNode;
  std::string nick;
  std::string user;
  std::string host;
  TDccChat offer;
  std::time_t time = 0;  // when it arrived
};

// Whoever can ask the user about a chat offer; without one (headless) an
// offer that needs asking is only shown.
class TChatRequestPrompt {
 public:
  virtual ~TChatRequestPrompt() = default;
  // Request dialogs open now, for the MaxDCCChatRequestDialog limit.
  virtual int OpenRequests() const { return 0; }
  virtual void AskChat(const TChatRequest& request) {}
};

class TDccService final : public TDccHooks {
 public:
  explicit TDccService(TWorld& world);
  ~TDccService() override;
  TDccService(const TDccService&) = delete;
  TDccService& operator=(const TDccService&) = delete;

  TWorld& World() const { return world_; }
  TDccManager& Manager() { return manager_; }
  TDccChats& Chats() { return chats_; }
  void SetChatPrompt(TChatRequestPrompt* prompt) { prompt_ = prompt ? prompt : &no_prompt_; }

  // The user's own offers; nothing while the unit is not registered, as
  // the offer could not reach the peer.
  std::optional<uint64_t> OfferFile(TUnit& unit, const std::string& nick, const std::filesystem::path& path);
  TChannel* OfferChat(TUnit& unit, const std::string& nick);
  // The user said "接続" to a chat request; null when its unit is gone.
  TChannel* AcceptChat(const TChatRequest& request);

  // TDccHooks
  void RenamePeer(TUnit& unit, const std::string& old_nick, const std::string& new_nick) override;
  bool OnDccQuery(TUnit& unit, const TIrcMessage& message, const std::string& argument) override;
  bool SendChatLine(TUnit& unit, TChannel& chat, const std::string& text) override;
  void ChatClosing(TUnit& unit, TChannel& chat) override { chats_.Forget(chat); }

 private:
  void OnFileOffer(TUnit& unit, const TIrcMessage& message, const TDccSend& offer);
  void OnChatOffer(TUnit& unit, const TIrcMessage& message, const TDccChat& offer);
  void OnResume(TUnit& unit, const TIrcMessage& message, const TDccResume& request);
  void OnAccept(TUnit& unit, const TIrcMessage& message, const TDccAccept& accept);

  TWorld& world_;
  TWorldPeerLink link_;
  TDccManager manager_;
  TDccChats chats_;
  TChatRequestPrompt no_prompt_;
  TChatRequestPrompt* prompt_ = &no_prompt_;
};

}  // namespace zeph
