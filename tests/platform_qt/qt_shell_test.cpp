#include "platform/qt/qt_shell.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "support/temp_dir.h"

namespace zeph {
namespace {

// The window program's shell hands the arguments to the program as they
// are: no command interpreter reads ";" or "$(...)".
TEST(QtShellTest, ProgramsStartDetachedWithTheirArgumentsAsGiven) {
  test::TTempDir dir;
  TQtShell shell;
  ASSERT_TRUE(shell.StartProgram("touch", {"a b;touch c", "$(touch d)"}, dir.Path(), false));
  for (int i = 0; i < 200 && !std::filesystem::exists(dir.Path() / "$(touch d)"); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_TRUE(std::filesystem::exists(dir.Path() / "a b;touch c"));
  EXPECT_TRUE(std::filesystem::exists(dir.Path() / "$(touch d)"));
  EXPECT_FALSE(std::filesystem::exists(dir.Path() / "c"));
  EXPECT_FALSE(shell.StartProgram("/no/such/program", {}, dir.Path(), false));
}

}  // namespace
}  // namespace zeph
