#include "dcc/own_address.h"

#include "settings/preferences.h"

namespace zeph {
namespace {

constexpr int kFromLocalHost = 0;
constexpr int kFromCtcp = 2;
constexpr int kFromSetting = 3;

TOwnAddressStep Resolve(std::string_view host) {
  if (host.empty()) return {true, TOwnAddressLookup::None, {}};
  return {true, TOwnAddressLookup::Host, std::string(host)};
}

// Any other value, like 1, waits for the echo of our own JOIN.
TOwnAddressStep Start(const TOwnAddressSettings& settings, const TKnownHosts& hosts) {
  switch (settings.method) {
    case kFromLocalHost: return {true, TOwnAddressLookup::LocalHost, {}};
    case kFromCtcp:
      if (hosts.ctcp_host.empty()) return {true, TOwnAddressLookup::GetAddressQuery, {}};
      return Resolve(hosts.ctcp_host);
    case kFromSetting: return Resolve(settings.address);
    default: return Resolve(hosts.join_host);
  }
}

}  // namespace

TOwnAddressSettings TOwnAddressSettings::From(const TPreferences& preferences) {
  return {preferences.IPResolveMethod, preferences.IPAddress};
}

TOwnAddressStep OwnAddressAtRegistration(const TOwnAddressSettings& settings) { return Start(settings, {}); }

TOwnAddressStep OwnAddressOnSettingsChange(const TOwnAddressSettings& before, const TOwnAddressSettings& after,
                                           const TKnownHosts& hosts) {
  bool same = before.method == after.method && (after.method != kFromSetting || before.address == after.address);
  if (same) return {};
  return Start(after, hosts);
}

}  // namespace zeph
