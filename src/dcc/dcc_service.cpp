#include "dcc/dcc_service.h"

#include "settings/preferences.h"
#include "engine/irc_message.h"
#include "engine/world.h"
#include "net/socket.h"
#include "platform/net.h"
#include "protocol/incoming_alerts.h"

namespace zeph {
namespace {

TSender SenderOf(const TIrcMessage& m) { return TSender{m.nick, m.user, m.host}; }

std::string DottedAddress(uint32_t wire_address) {
  return net::TNetAddress::FromIpv4(NetworkAddress(wire_address)).ToText();
}

TOfferSender GroupOf(const TUnit& unit, const TIrcMessage& m) {
  TMemberGroup group = ClassifyMember(TMember{m.nick, m.user, m.host}, unit);
  TOfferSender sender;
  sender.self = group.group == kMemberGroupSelf;
  if (group.group == kMemberGroupUser) sender.group_index = group.index;
  return sender;
}

// A nick's user and host as any of the unit's targets knows them.
const TMember* FindKnownMember(const TUnit& unit, const std::string& nick) {
  for (const auto& target : unit.Channels()) {
    if (const TMember* member = target->Members().FindMember(nick)) return member;
  }
  return nullptr;
}

}  // namespace

TDccService::TDccService(TWorld& world)
    : world_(world),
      link_(world),
      manager_(world.Loop(), world.Preferences(), link_),
      chats_(world, manager_.ChatOfferPorts()) {}

TDccService::~TDccService() = default;

bool TDccService::OnDccQuery(TUnit& unit, const TIrcMessage& m, const std::string& argument) {
  TDccQuery query = ParseDccQuery(argument);
  if (const auto* send = std::get_if<TDccSend>(&query)) {
    OnFileOffer(unit, m, *send);
  } else if (const auto* chat = std::get_if<TDccChat>(&query)) {
    OnChatOffer(unit, m, *chat);
  } else if (const auto* resume = std::get_if<TDccResume>(&query)) {
    OnResume(unit, m, *resume);
  } else if (const auto* accept = std::get_if<TDccAccept>(&query)) {
    OnAccept(unit, m, *accept);
  } else {
    const std::string& command = std::get<TDccOther>(query).command;
    unit.PrintToUnit(TMessageKind::CTCPQuery, m.nick, world_.Formats().FormatCTCPQuery(SenderOf(m), "DCC " + command));
  }
  return true;
}

void TDccService::OnFileOffer(TUnit& unit, const TIrcMessage& m, const TDccSend& offer) {
  const TPreferences& prefs = unit.Prefs();
  unit.PrintToUnit(TMessageKind::DCCSend, m.nick,
                   world_.Formats().FormatDCCSend(SenderOf(m), offer.file_name, DottedAddress(offer.address),
                                                  offer.port, offer.size));
  PlayMessageSound(unit, prefs.EnableDCCReceiveSound, prefs.DCCReceiveSoundFile);
  // A message without a nick came from the server: nobody to answer.
  if (!m.nick.empty()) manager_.OnFileOffer(unit.Id(), m.nick, offer, GroupOf(unit, m));
}

void TDccService::OnChatOffer(TUnit& unit, const TIrcMessage& m, const TDccChat& offer) {
  const TPreferences& prefs = unit.Prefs();
  unit.PrintToUnit(TMessageKind::DCCChat, m.nick,
                   world_.Formats().FormatDCCChat(SenderOf(m), DottedAddress(offer.address), offer.port));
  PlayMessageSound(unit, prefs.EnableDCCChatSound, prefs.DCCChatSoundFile);
  if (m.nick.empty() || chats_.CountOf(unit) >= TDccChats::kMaxChatsPerUnit) return;
  switch (ReactToChatOffer(prefs, offer, prompt_->OpenRequests())) {
    case TChatOfferReaction::Connect: {
      TChannel& talk = chats_.Connect(unit, m.nick, m.user, m.host, offer);
      if (prefs.SelectOnAutoAcceptChat) world_.Select(&unit, &talk);
      break;
    }
    case TChatOfferReaction::AskUser:
      prompt_->AskChat(TChatRequest{unit.Id(), m.nick, m.user, m.host, offer, world_.Now()});
      break;
    case TChatOfferReaction::None: break;
  }
}

void TDccService::OnResume(TUnit& unit, const TIrcMessage& m, const TDccResume& request) {
  unit.PrintToUnit(TMessageKind::DCCResume, m.nick,
                   world_.Formats().FormatDCCResume(SenderOf(m), request.port, request.position));
  manager_.OnResumeRequest(unit.Id(), m.nick, request);
}

void TDccService::OnAccept(TUnit& unit, const TIrcMessage& m, const TDccAccept& accept) {
  unit.PrintToUnit(TMessageKind::DCCAccept, m.nick,
                   world_.Formats().FormatDCCAccept(SenderOf(m), accept.port, accept.position));
  manager_.OnAccept(unit.Id(), m.nick, accept);
}

void TDccService::RenamePeer(TUnit& unit, const std::string& old_nick, const std::string& new_nick) {
  manager_.RenamePeer(unit.Id(), old_nick, new_nick);
}

bool TDccService::SendChatLine(TUnit& unit, TChannel& chat, const std::string& text) {
  return chats_.SendLine(unit, chat, text);
}

std::optional<uint64_t> TDccService::OfferFile(TUnit& unit, const std::string& nick,
                                               const std::filesystem::path& path) {
  if (!unit.IsLoggedIn() || nick.empty()) return std::nullopt;
  return manager_.AddSend(unit.Id(), nick, path);
}

TChannel* TDccService::OfferChat(TUnit& unit, const std::string& nick) {
  if (!unit.IsLoggedIn() || nick.empty()) return nullptr;
  const TMember* known = FindKnownMember(unit, nick);
  return &chats_.Offer(unit, nick, known ? known->user : std::string(), known ? known->host : std::string());
}

TChannel* TDccService::AcceptChat(const TChatRequest& request) {
  TUnit* unit = world_.FindUnitById(request.unit);
  if (unit == nullptr) return nullptr;
  TChannel& talk = chats_.Connect(*unit, request.nick, request.user, request.host, request.offer);
  if (unit->Prefs().SelectOnAutoAcceptChat) world_.Select(unit, &talk);
  return &talk;
}

}  // namespace zeph
