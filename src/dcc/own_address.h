#pragma once

#include <string>
#include <string_view>

// How a unit learns the IPv4 address it advertises in its offers
// (IPResolveMethod): 0 this machine's own name, 1 the host in the echo of
// our own JOIN, 2 the host a GETADDRESS query to ourselves reports, 3 the
// address or host name typed in IPAddress.
namespace zeph {

struct TPreferences;

// The two preferences that choose the method.
struct TOwnAddressSettings {
  int method = 1;       // IPResolveMethod
  std::string address;  // IPAddress

  static TOwnAddressSettings From(const TPreferences& preferences);
  bool operator==(const TOwnAddressSettings&) const = default;
};

// The hosts the unit has seen for methods 1 and 2 since it registered.
struct TKnownHosts {
  std::string join_host;  // of our own JOIN echo
  std::string ctcp_host;  // of the GETADDRESS answer
};

enum class TOwnAddressLookup {
  None,             // nothing to do now (method 1 waits for a JOIN echo)
  LocalHost,        // resolve this machine's own name
  Host,             // resolve `host`
  GetAddressQuery,  // send the CTCP query GETADDRESS to our own nick
};

struct TOwnAddressStep {
  // The address is unknown from now until the look-up answers.
  bool forget = false;
  TOwnAddressLookup lookup = TOwnAddressLookup::None;
  std::string host;

  bool operator==(const TOwnAddressStep&) const = default;
};

// At registration the address and the hosts seen are forgotten and the
// method's look-up starts.
TOwnAddressStep OwnAddressAtRegistration(const TOwnAddressSettings& settings);

// When applied settings change the method, the unit switches at once,
// using a host it already knows for methods 1 and 2. A changed IPAddress
// is resolved again under method 3; any other unchanged method leaves the
// address alone.
TOwnAddressStep OwnAddressOnSettingsChange(const TOwnAddressSettings& before, const TOwnAddressSettings& after,
                                           const TKnownHosts& hosts);

}  // namespace zeph
