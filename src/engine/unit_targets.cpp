// The unit's targets: channels, talks and DCC chats, and how names find them.
#include <algorithm>

#include "settings/preferences.h"
#include "engine/channel_name.h"
#include "engine/unit.h"
#include "engine/world.h"
#include "platform/sjis.h"
#include "platform/string_printf.h"

namespace zeph {

const std::vector<std::string>& TUnit::SelfMasks() const { return Prefs().self_masks; }

const std::array<TUserGroup, kUserGroupCount>& TUnit::UserGroups() const { return Prefs().groups; }

TChannel* TUnit::FindChannel(std::string_view name) const {
  const TTargetIndex::TTargets& found = target_index_.Named(Wire(), name);
  return found.empty() ? nullptr : found.front();
}

TChannel* TUnit::FindByWireName(std::string_view name) const {
  TWireEncoding wire = Wire();
  if (!name.empty() && name.front() == '!') {
    for (TChannel* target : target_index_.Named(wire, StripSafeId(name))) {
      if (IsSafeChannel(target->Name())) return target;
    }
    return nullptr;
  }
  const TTargetIndex::TTargets& found = target_index_.WithWireName(wire, name);
  return found.empty() ? nullptr : found.front();
}

TChannel* TUnit::FindTarget(std::string_view name) const {
  if (!name.empty() && name.front() == '!') {
    TChannel* found = FindChannel(name);
    return found ? found : FindByWireName(name);
  }
  if (!name.empty() && name.front() == '%') return FindByWireName(ExpandShortName(name));
  if (HasShortForm(name)) return FindByWireName(name);
  return FindChannel(name);
}

TChannel* TUnit::FindById(TNodeId id) const { return target_index_.ById(id); }

TChannel& TUnit::CreateTarget(const TChannelConfig& config, TTargetKind kind) {
  channels_.push_back(std::make_unique<TChannel>(*this, config, kind));
  TChannel& target = *channels_.back();
  target_index_.Add(Wire(), target);
  target.SetMemberSortMethod(static_cast<TMemberSortMethod>(Prefs().MemberSortMethod));
  target.Log().SetMaxLines(Prefs().ChannelLogMaxLines);
  // The targets of the tree entry are announced with the unit itself.
  if (built_) world_.NodeAdded(*this, &target);
  return target;
}

TChannel* TUnit::AddChannel(const TChannelConfig& config) {
  if (FindChannel(config.name)) return nullptr;
  return &CreateTarget(config, TTargetKind::Channel);
}

TChannel* TUnit::OpenTalk(const std::string& nick, const std::string& user, const std::string& host) {
  if (TChannel* found = FindChannel(nick)) return found;
  TChannelConfig config = NewChannelConfig(nick, true);
  config.update = Prefs().TalkUpdate;
  config.console = Prefs().TalkAllLog;
  config.keyword = Prefs().TalkKeyword;
  TChannel& talk = CreateTarget(config, TTargetKind::Talk);
  PrintSystem(Sjis("トークを開始します"), &talk);
  talk.Activate();
  talk.AddMember(TMember{nick, user, host}, false);
  talk.AddMember(TMember{current_nick_}, false);
  return &talk;
}

TChannel* TUnit::OpenPeerTalk(const std::string& nick, const std::string& user, const std::string& host) {
  if (peer_talks_ >= kMaxPeerTalks && !FindChannel(nick)) {
    if (!peer_talk_limit_told_) {
      PrintSystem(StringPrintf(Sjis("トークが%d個に達したため、新しい相手からのメッセージはここに表示します"),
                               kMaxPeerTalks));
      peer_talk_limit_told_ = true;
    }
    return nullptr;
  }
  TChannel* talk = OpenTalk(nick, user, host);
  if (talk && !talk->OpenedByPeer() && talk->IsTalk()) {
    talk->SetOpenedByPeer();
    ++peer_talks_;
  }
  return talk;
}

TChannel* TUnit::OpenDccChat(const std::string& nick, const std::string& user, const std::string& host) {
  std::string name = "=" + nick;
  for (int n = 0; FindChannel(name); ++n) name = "=" + nick + std::to_string(n);
  TChannelConfig config = NewChannelConfig(name, false);
  config.update = Prefs().DCCChatUpdate;
  config.console = Prefs().DCCChatAllLog;
  config.keyword = Prefs().DCCChatKeyword;
  TChannel& chat = CreateTarget(config, TTargetKind::DccChat);
  // Open from the start, so that the partner's nick changes follow it.
  chat.Activate();
  chat.SetPartner(nick);
  chat.AddMember(TMember{nick, user, host}, false);
  return &chat;
}

TChannel& TUnit::AdoptJoinedChannel(const std::string& wire_name, const std::string& display) {
  TChannel& target = CreateTarget(NewChannelConfig(display, false), TTargetKind::Channel);
  // A name the tree file would hold in bytes other than the server's is
  // not stored either: joining it again would reach another channel.
  bool same_bytes = foreign_names_.Find(wire_name) == nullptr;
  target.SetStoredInTree(same_bytes && IsSingleChannelName(display, kTypedChannelPrefixes));
  if (target.StoredInTree()) world_.RequestSaveTree();
  return target;
}

bool TUnit::MoveTarget(const TChannel& target, int step) {
  return MoveOneStep(channels_, &target, step);
}

void TUnit::CloseTarget(TChannel& target) {
  world_.Tree().NodeRemoved(*this, &target);
  if (target.IsTalk()) PrintSystem(Sjis("トークを終了しました"), &target);
  if (target.IsDccChat()) world_.Dcc().ChatClosing(*this, target);
  if (target.IsChannel() && target.IsJoined()) SendPart(target.WireName(), config_.part_message);
  target_index_.Remove(target);
  if (target.OpenedByPeer() && --peer_talks_ < kMaxPeerTalks) peer_talk_limit_told_ = false;
  for (auto it = channels_.begin(); it != channels_.end(); ++it) {
    if (it->get() == &target) {
      channels_.erase(it);
      return;
    }
  }
}

void TUnit::TargetNamesChanged(TChannel& target) { target_index_.Rekey(Wire(), target); }

void TUnit::ReorderTargets(const std::vector<TNodeId>& ids) {
  auto rank = [&ids](const std::unique_ptr<TChannel>& target) {
    return static_cast<size_t>(std::find(ids.begin(), ids.end(), target->Id()) - ids.begin());
  };
  std::stable_sort(channels_.begin(), channels_.end(),
                   [&rank](const auto& a, const auto& b) { return rank(a) < rank(b); });
}

}  // namespace zeph
