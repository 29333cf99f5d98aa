// The main of the main-window tests: one QApplication for every test, on
// the offscreen platform unless the environment picks another; name
// queries stay on the machine.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "platform/net.h"
#include "support/environment.h"
#include "support/loopback_peer.h"

int main(int argc, char** argv) {
  zeph::test::TMachineIsolation isolation;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  zeph::net::InitSocketLibrary();
  zeph::test::UseFakeHostLookup();
  return RUN_ALL_TESTS();
}
