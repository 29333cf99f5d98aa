// The main of every test program (a program may define its own instead).
// No test may send a name query off the machine or depend on its user.
#include <gtest/gtest.h>

#include "platform/net.h"
#include "support/environment.h"
#include "support/loopback_peer.h"

int main(int argc, char** argv) {
  zeph::test::TMachineIsolation isolation;
  testing::InitGoogleTest(&argc, argv);
  zeph::net::InitSocketLibrary();
  zeph::test::UseFakeHostLookup();
  return RUN_ALL_TESTS();
}
