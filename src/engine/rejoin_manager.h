#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace zeph {

// Channels the server refused for now (numeric 437, "temporarily
// unavailable"), tried again after a while, with the keys we asked with.
class TRejoinManager {
 public:
  using TJoinList = std::function<void(const std::vector<std::pair<std::string, std::string>>& list)>;
  struct TSettings {
    int interval = 600;  // Error437RejoinInterval, seconds
    int max_count = 10;  // Error437RejoinCount, 0 = unlimited
  };
  using TSettingsSource = std::function<TSettings()>;

  TRejoinManager(TJoinList join_list, TSettingsSource settings)
      : join_list_(std::move(join_list)), settings_(std::move(settings)) {}

  void Add(const std::string& name, const std::string& key);
  void Remove(const std::string& name);
  void OnRefused(const std::string& name);
  void Tick();
  void Clear();

  bool HasPending(const std::string& name) const;
  std::string KeyOf(const std::string& name) const;
  size_t RetryCount() const { return retries_.size(); }

 private:
  struct TPending {
    std::string name;
    std::string key;
    int refusals = 0;
  };
  struct TRetry {
    std::string name;
    int seconds_left;
  };

  TJoinList join_list_;
  TSettingsSource settings_;
  std::map<std::string, TPending> pending_;  // keyed by PendingKey
  std::deque<TRetry> retries_;
};

}  // namespace zeph
