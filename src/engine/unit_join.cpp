// Joining at login and after a reconnection, in as few JOIN lines as the
// server's line length allows.
#include "settings/preferences.h"
#include "engine/channel_name.h"
#include "engine/unit.h"
#include "engine/world.h"

namespace zeph {
namespace {

// Names plus keys of one JOIN, in server bytes, stay within this.
constexpr size_t kJoinBytes = 480;

}  // namespace

int TUnit::AutoJoinAtLogin() {
  if (rejoin_pending_) {
    if (Prefs().ForceAutoJoin) {
      // The rejoin list holds the names the server used («#jp:*.jp» for
      // «%jp», «!XYZ12chan» for «!chan»): compare in that form.
      for (const auto& target : channels_) {
        if (!target->IsChannel() || !target->AutoJoin()) continue;
        bool listed = false;
        for (const TJoinEntry& entry : rejoin_list_) listed |= FindByWireName(entry.first) == target.get();
        if (!listed) rejoin_list_.emplace_back(target->Name(), target->Key());
      }
    }
    JoinChannels(rejoin_list_);
    int count = static_cast<int>(rejoin_list_.size());
    rejoin_pending_ = false;
    rejoin_list_.clear();
    return count;
  }
  std::vector<TJoinEntry> list;
  for (const auto& target : channels_) {
    if (target->IsChannel() && target->AutoJoin()) list.emplace_back(target->Name(), target->Key());
  }
  JoinChannels(list);
  return static_cast<int>(list.size());
}

void TUnit::SendJoinBatch(const std::string& names, const std::string& keys) {
  SendCommand("JOIN", names, keys, 2, 0);
}

// Keys apply to the first names of a JOIN, so keyed channels stand before
// keyless ones within a line.
void TUnit::JoinChannels(const std::vector<TJoinEntry>& list) {
  std::string names, keys;
  int count = 0;
  bool all_keyed = true;
  TWireEncoding wire = Wire();
  auto too_long = [&] { return wire.EncodeParams(names).size() + wire.Encode(keys).size() > kJoinBytes; };
  for (const auto& [given_name, key] : list) {
    std::string name = given_name.empty() || given_name.front() != '%' ? given_name : ExpandShortName(given_name);
    if (name.empty()) continue;
    if (IsSafeChannel(name) && !IsSafeCreate(name)) safe_joins_.insert(IrcUpper(name));
    if (!key.empty()) {
      if (Prefs().RejoinOnError437 && IsChannelName(name, kJoinChannelPrefixes)) rejoins_.Add(name, key);
      if (all_keyed) {
        std::string before_names = names, before_keys = keys;
        if (count > 0) {
          names += ',';
          keys += ',';
        }
        names += name;
        keys += key;
        if (too_long() && count > 0) {
          SendJoinBatch(before_names, before_keys);
          names = name;
          keys = key;
          count = 1;
        } else {
          ++count;
        }
      } else {
        SendJoinBatch(names, keys);
        names = name;
        keys = key;
        count = 1;
        all_keyed = true;
      }
      continue;
    }
    std::string before_names = names;
    if (count > 0) names += ',';
    names += name;
    if (too_long() && count > 0) {
      SendJoinBatch(before_names, keys);
      names = name;
      keys.clear();
      count = 1;
    } else {
      ++count;
    }
    all_keyed = false;
  }
  if (count > 0) SendJoinBatch(names, keys);
}

}  // namespace zeph
