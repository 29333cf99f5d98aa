#include "engine/rejoin_manager.h"

#include <algorithm>

#include "engine/channel_name.h"

namespace zeph {
namespace {

// A channel as the server names it, case-folded: a join asked for with
// «%jp» is refused and joined as «#jp:*.jp».
std::string PendingKey(const std::string& name) { return IrcUpper(ExpandShortName(name)); }

}  // namespace

void TRejoinManager::Add(const std::string& name, const std::string& key) {
  auto [it, inserted] = pending_.try_emplace(PendingKey(name), TPending{name, key, 0});
  if (!inserted && !key.empty()) it->second.key = key;
}

void TRejoinManager::Remove(const std::string& name) { pending_.erase(PendingKey(name)); }

bool TRejoinManager::HasPending(const std::string& name) const { return pending_.count(PendingKey(name)) > 0; }

std::string TRejoinManager::KeyOf(const std::string& name) const {
  auto it = pending_.find(PendingKey(name));
  return it == pending_.end() ? std::string() : it->second.key;
}

void TRejoinManager::OnRefused(const std::string& name) {
  std::string upper = PendingKey(name);
  auto it = pending_.find(upper);
  if (it == pending_.end()) it = pending_.emplace(upper, TPending{name, std::string(), 0}).first;
  TSettings settings = settings_();
  if (settings.max_count > 0 && ++it->second.refusals > settings.max_count) {
    pending_.erase(it);
    return;
  }
  auto queued = std::find_if(retries_.begin(), retries_.end(),
                             [&](const TRetry& r) { return PendingKey(r.name) == upper; });
  if (queued == retries_.end()) {
    retries_.push_back(TRetry{name, settings.interval});
  } else if (queued->seconds_left > settings.interval) {
    queued->seconds_left = settings.interval;
  }
}

void TRejoinManager::Tick() {
  if (retries_.empty()) return;
  bool any_due = false;
  for (TRetry& r : retries_) any_due |= --r.seconds_left <= 0;
  if (!any_due) return;
  // Those due within ten seconds go along in the same JOIN.
  std::vector<std::pair<std::string, std::string>> list;
  for (auto it = retries_.begin(); it != retries_.end();) {
    if (it->seconds_left > 10) {
      ++it;
      continue;
    }
    list.emplace_back(it->name, KeyOf(it->name));
    it = retries_.erase(it);
  }
  join_list_(list);
}

void TRejoinManager::Clear() {
  pending_.clear();
  retries_.clear();
}

}  // namespace zeph
