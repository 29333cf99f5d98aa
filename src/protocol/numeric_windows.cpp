#include "protocol/numeric_windows.h"

#include <algorithm>

#include "settings/preferences.h"
#include "engine/channel_name.h"
#include "engine/unit.h"
#include "engine/world.h"

namespace zeph {

TReplyWindows::~TReplyWindows() {
  // The window layer may outlive the models; it must not keep observing.
  for (auto& [id, windows] : units_) {
    for (auto& [nick, model] : windows.whois) model->SetObserver(nullptr);
    if (windows.channel_list) windows.channel_list->SetObserver(nullptr);
    for (auto& model : windows.mask_lists) model->SetObserver(nullptr);
  }
}

TReplyWindows::TUnitWindows* TReplyWindows::Find(TNodeId unit) {
  auto it = units_.find(unit);
  return it == units_.end() ? nullptr : &it->second;
}

const TReplyWindows::TUnitWindows* TReplyWindows::Find(TNodeId unit) const {
  auto it = units_.find(unit);
  return it == units_.end() ? nullptr : &it->second;
}

void TReplyWindows::Forget(TNodeId unit) {
  auto it = units_.find(unit);
  if (it != units_.end() && it->second.Empty()) units_.erase(it);
}

// --- WHOIS dialogs ----------------------------------------------------------------

TWhoisModel* TReplyWindows::FindWhois(const TUnit& unit, std::string_view nick) const {
  const TUnitWindows* windows = Find(unit.Id());
  if (windows == nullptr) return nullptr;
  auto it = windows->whois.find(IrcUpper(nick));
  return it == windows->whois.end() ? nullptr : it->second.get();
}

TWhoisModel* TReplyWindows::OpenWhois(TUnit& unit, const std::string& nick) {
  if (TWhoisModel* open = FindWhois(unit, nick)) return open;
  if (host_ == nullptr || unit.IsClosing() || nick.empty()) return nullptr;
  const TPreferences& prefs = world_.Preferences();
  if (prefs.LimitWhoisDialog && whois_open_ >= prefs.WhoisDialogMax) return nullptr;
  auto model = std::make_unique<TWhoisModel>(unit.Id(), nick);
  TWhoisModel& shown = *model;
  units_[unit.Id()].whois[IrcUpper(nick)] = std::move(model);
  ++whois_open_;
  host_->ShowWhoisDialog(unit, shown);
  return &shown;
}

void TReplyWindows::DropWhois(TUnitWindows& windows,
                              std::map<std::string, std::unique_ptr<TWhoisModel>>::iterator entry) {
  windows.whois.erase(entry);
  --whois_open_;
}

void TReplyWindows::CloseWhois(const TWhoisModel& model) {
  TUnitWindows* windows = Find(model.Unit());
  if (windows == nullptr) return;
  auto it = windows->whois.find(IrcUpper(model.Nick()));
  if (it == windows->whois.end() || it->second.get() != &model) return;
  TNodeId unit = model.Unit();
  DropWhois(*windows, it);
  Forget(unit);
}

void TReplyWindows::RenameWhois(const TUnit& unit, const std::string& old_nick, const std::string& new_nick) {
  TUnitWindows* windows = Find(unit.Id());
  if (windows == nullptr) return;
  auto it = windows->whois.find(IrcUpper(old_nick));
  if (it == windows->whois.end()) return;
  std::unique_ptr<TWhoisModel> model = std::move(it->second);
  windows->whois.erase(it);
  std::string key = IrcUpper(new_nick);
  std::unique_ptr<TWhoisModel> replaced;
  if (auto other = windows->whois.find(key); other != windows->whois.end()) {
    replaced = std::move(other->second);
    DropWhois(*windows, other);
  }
  TWhoisModel& moved = *model;
  windows->whois[key] = std::move(model);
  // The registry is whole again before any window hears of it.
  if (replaced) replaced->NotifyClosed();
  moved.SetNick(new_nick);
}

// --- The channel list -------------------------------------------------------------

TChannelListModel* TReplyWindows::ChannelList(const TUnit& unit) const {
  const TUnitWindows* windows = Find(unit.Id());
  return windows ? windows->channel_list.get() : nullptr;
}

TChannelListModel* TReplyWindows::OpenChannelList(TUnit& unit) {
  if (!unit.IsLoggedIn()) return nullptr;
  if (TChannelListModel* open = ChannelList(unit)) {
    open->Raise();
    return open;
  }
  if (host_ == nullptr) return nullptr;
  TUnitWindows& windows = units_[unit.Id()];
  windows.channel_list = std::make_unique<TChannelListModel>(unit.Id());
  host_->ShowChannelList(unit, *windows.channel_list);
  return windows.channel_list.get();
}

void TReplyWindows::CloseChannelList(const TChannelListModel& model) {
  TUnitWindows* windows = Find(model.Unit());
  if (windows == nullptr || windows->channel_list.get() != &model) return;
  TNodeId unit = model.Unit();
  windows->channel_list.reset();
  Forget(unit);
}

// --- Mask lists -----------------------------------------------------------------------

TMaskListModel* TReplyWindows::FindMaskList(const TUnit& unit, const TChannel& channel, TMaskListKind kind) const {
  const TUnitWindows* windows = Find(unit.Id());
  if (windows == nullptr) return nullptr;
  for (const auto& model : windows->mask_lists) {
    if (model->Channel() == channel.Id() && model->Kind() == kind) return model.get();
  }
  return nullptr;
}

TMaskListModel* TReplyWindows::OpenMaskList(TUnit& unit, TChannel& channel, TMaskListKind kind) {
  if (!unit.IsLoggedIn()) return nullptr;
  TMaskListModel* model = FindMaskList(unit, channel, kind);
  if (model) {
    // The list comes again from the top.
    model->Clear();
    model->Raise();
  } else {
    if (host_ == nullptr) return nullptr;
    TUnitWindows& windows = units_[unit.Id()];
    windows.mask_lists.push_back(std::make_unique<TMaskListModel>(unit.Id(), channel.Id(), kind));
    model = windows.mask_lists.back().get();
    host_->ShowMaskList(unit, channel, *model);
  }
  const std::string& wire = channel.WireName().empty() ? channel.Name() : channel.WireName();
  unit.SendMode(wire, std::string("+") + static_cast<char>(kind));
  return model;
}

void TReplyWindows::CloseMaskList(const TMaskListModel& model) {
  TUnitWindows* windows = Find(model.Unit());
  if (windows == nullptr) return;
  auto& lists = windows->mask_lists;
  auto it = std::find_if(lists.begin(), lists.end(), [&](const auto& open) { return open.get() == &model; });
  if (it == lists.end()) return;
  TNodeId unit = model.Unit();
  lists.erase(it);
  Forget(unit);
}

// --- Closing a unit ----------------------------------------------------------------------

void TReplyWindows::CloseUnit(const TUnit& unit) {
  auto it = units_.find(unit.Id());
  if (it == units_.end()) return;
  // Taken out first: a window that closes may not find half a registry.
  TUnitWindows windows = std::move(it->second);
  units_.erase(it);
  whois_open_ -= static_cast<int>(windows.whois.size());
  for (auto& [nick, model] : windows.whois) model->NotifyClosed();
  if (windows.channel_list) windows.channel_list->NotifyClosed();
  for (auto& model : windows.mask_lists) model->NotifyClosed();
}

}  // namespace zeph
