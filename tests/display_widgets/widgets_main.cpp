// The main of the widget tests: one QApplication for every test, on the
// offscreen platform unless the environment picks another.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "support/environment.h"

int main(int argc, char** argv) {
  zeph::test::TMachineIsolation isolation;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
