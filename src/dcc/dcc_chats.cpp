#include "dcc/dcc_chats.h"

#include "settings/preferences.h"
#include "engine/irc_message.h"
#include "engine/world.h"
#include "protocol/incoming_alerts.h"

namespace zeph {

// One chat talk's connection. The unit and the talk are looked up by id at
// every event, so a connection that outlives its talk only goes quiet.
class TDccChats::TChat final : public TChatConnectionListener {
 public:
  TChat(TWorld& world, TNodeId unit, TNodeId talk)
      : world_(world), unit_(unit), talk_(talk), connection_(world.Loop(), *this) {}

  TChatConnection& Connection() { return connection_; }
  const TChatConnection& Connection() const { return connection_; }
  TNodeId UnitId() const { return unit_; }

  // The chat reads and writes with the settings as they are now.
  void FollowSettings(const TUnit& unit) {
    connection_.SetEncoding(unit.Prefs().DCCChatAdaptiveEncodingSelection, unit.Wire());
  }

 private:
  TUnit* FindUnit() const { return world_.FindUnitById(unit_); }
  TChannel* FindTalk(TUnit& unit) const { return unit.FindById(talk_); }

  void OnChatNotice(bool error, const std::string& text) override {
    TUnit* unit = FindUnit();
    TChannel* talk = unit ? FindTalk(*unit) : nullptr;
    if (talk == nullptr) return;
    if (error) {
      unit->PrintToChannel(*talk, TMessageKind::Error, std::string(), text);
    } else {
      unit->PrintSystem(text, talk);
    }
  }

  void OnChatOffer(const TDccChat& offer) override {
    TUnit* unit = FindUnit();
    TChannel* talk = unit ? FindTalk(*unit) : nullptr;
    if (talk) unit->SendCtcpQuery(talk->Partner(), DccQueryText(offer));
  }

  void OnChatLine(const std::string& text) override {
    TUnit* unit = FindUnit();
    TChannel* talk = unit ? FindTalk(*unit) : nullptr;
    if (talk == nullptr) return;
    const TPreferences& prefs = unit->Prefs();
    std::string nick = talk->Partner();
    const TMember* peer = talk->Members().FindMember(nick);
    std::string user = peer ? peer->user : std::string();
    std::string host = peer ? peer->host : std::string();
    std::string name = talk->Name();
    bool keyword = unit->PrintToChannel(*talk, TMessageKind::Privmsg, nick, text, true);
    MarkUpdated(*unit, talk);
    if (!(keyword && prefs.EnableKeywordSound))
      PlayMessageSound(*unit, prefs.EnableDCCChatMessageSound, prefs.DCCChatMessageSoundFile);
    TIrcMessage event;
    event.nick = nick;
    event.user = user;
    event.host = host;
    event.prefix = nick + "!" + user + "@" + host;
    event.command = "DCCCHATMESSAGE";
    event.params = {name, text};
    unit->RaiseMacroEvent(event);
  }

  TWorld& world_;
  const TNodeId unit_;
  const TNodeId talk_;
  TChatConnection connection_;
};

TDccChats::TDccChats(TWorld& world, TPortAllocator& ports) : world_(world), ports_(ports) {}

TDccChats::~TDccChats() = default;

TDccChats::TChat& TDccChats::Add(TUnit& unit, TChannel& talk) {
  auto chat = std::make_unique<TChat>(world_, unit.Id(), talk.Id());
  chat->FollowSettings(unit);
  TChat& added = *chat;
  chats_[talk.Id()] = std::move(chat);
  return added;
}

TChannel& TDccChats::Offer(TUnit& unit, const std::string& nick, const std::string& user, const std::string& host) {
  TChannel& talk = *unit.OpenDccChat(nick, user, host);
  Add(unit, talk).Connection().Offer(ports_, ChatOfferPorts(unit.Prefs()), unit.OwnAddress());
  return talk;
}

TChannel& TDccChats::Connect(TUnit& unit, const std::string& nick, const std::string& user, const std::string& host,
                             const TDccChat& offer) {
  TChannel& talk = *unit.OpenDccChat(nick, user, host);
  Add(unit, talk).Connection().Connect(offer.address, offer.port);
  return talk;
}

bool TDccChats::SendLine(TUnit& unit, TChannel& chat, const std::string& text) {
  auto found = chats_.find(chat.Id());
  if (found == chats_.end()) return false;
  found->second->FollowSettings(unit);
  return found->second->Connection().SendLine(text);
}

void TDccChats::Forget(const TChannel& chat) { chats_.erase(chat.Id()); }

int TDccChats::CountOf(const TUnit& unit) const {
  int count = 0;
  for (const auto& [talk, chat] : chats_) count += chat->UnitId() == unit.Id() ? 1 : 0;
  return count;
}

TChatState TDccChats::State(const TChannel& chat) const {
  auto found = chats_.find(chat.Id());
  return found == chats_.end() ? TChatState::Disconnected : found->second->Connection().State();
}

}  // namespace zeph
