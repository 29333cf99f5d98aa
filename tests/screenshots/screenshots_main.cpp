// Renders the README's pictures offscreen, one test per scene. Run by
// scripts/screenshots.sh with ZEPH_SCREENSHOT_DIR set to docs/; under ctest
// the scenes render into a temporary folder, so they keep working.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "screenshots/scene.h"
#include "support/environment.h"
#include "support/temp_dir.h"

int main(int argc, char** argv) {
  // Read before the isolation clears the environment of the machine.
  const char* out = std::getenv("ZEPH_SCREENSHOT_DIR");
  std::filesystem::path folder = out ? std::filesystem::absolute(out) : std::filesystem::path();
  zeph::test::TMachineIsolation isolation;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  zeph::test::TTempDir scratch;
  zeph::test::SetSceneFolder(folder.empty() ? scratch.Path() : folder);
  return RUN_ALL_TESTS();
}
