#include "dcc/own_address.h"

#include <gtest/gtest.h>

namespace zeph {
namespace {

using L = TOwnAddressLookup;

TEST(OwnAddress, RegistrationStartsTheMethodsLookup) {
  struct Case {
    TOwnAddressSettings settings;
    TOwnAddressStep step;
  } cases[] = {
      {{0, ""}, {true, L::LocalHost, ""}},
      {{1, ""}, {true, L::None, ""}},
      {{2, ""}, {true, L::GetAddressQuery, ""}},
      {{3, "dcc.example.jp"}, {true, L::Host, "dcc.example.jp"}},
      {{3, ""}, {true, L::None, ""}},
      {{9, ""}, {true, L::None, ""}},
  };
  for (const Case& c : cases) EXPECT_EQ(OwnAddressAtRegistration(c.settings), c.step) << c.settings.method;
}

TEST(OwnAddress, ChangedSettingsSwitchAtOnceWithTheHostsAlreadySeen) {
  TKnownHosts seen{"join.example.jp", "ctcp.example.jp"};
  TKnownHosts none;
  struct Case {
    TOwnAddressSettings before;
    TOwnAddressSettings after;
    const TKnownHosts& hosts;
    TOwnAddressStep step;
  } cases[] = {
      {{0, ""}, {1, ""}, seen, {true, L::Host, "join.example.jp"}},
      {{0, ""}, {1, ""}, none, {true, L::None, ""}},
      {{1, ""}, {2, ""}, seen, {true, L::Host, "ctcp.example.jp"}},
      {{1, ""}, {2, ""}, none, {true, L::GetAddressQuery, ""}},
      {{1, ""}, {0, ""}, seen, {true, L::LocalHost, ""}},
      {{1, ""}, {3, "192.0.2.7"}, seen, {true, L::Host, "192.0.2.7"}},
      // Under method 3 a new address is resolved again; the same one, or
      // any other unchanged method, changes nothing.
      {{3, "192.0.2.7"}, {3, "192.0.2.8"}, seen, {true, L::Host, "192.0.2.8"}},
      {{3, "192.0.2.7"}, {3, "192.0.2.7"}, seen, {}},
      {{1, "192.0.2.7"}, {1, "192.0.2.8"}, seen, {}},
      {{2, ""}, {2, ""}, none, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(OwnAddressOnSettingsChange(c.before, c.after, c.hosts), c.step)
        << c.before.method << " -> " << c.after.method << " " << c.after.address;
  }
}

}  // namespace
}  // namespace zeph
