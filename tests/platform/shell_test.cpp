#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/plugin_library.h"
#include "platform/shell.h"
#include "support/temp_dir.h"

namespace zeph {
namespace {

bool AppearsSoon(const std::filesystem::path& path) {
  for (int i = 0; i < 200 && !std::filesystem::exists(path); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return std::filesystem::exists(path);
}

TEST(ShellTest, ArgumentsAreWordsAndQuotedRuns) {
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"", {}},
      {"  a  b ", {"a", "b"}},
      {"-x \"two words\" last", {"-x", "two words", "last"}},
      {"pre\"fix mid\"post", {"prefix midpost"}},
      {"\"\"", {""}},
      {"a;rm -rf ~ $(x) `y`", {"a;rm", "-rf", "~", "$(x)", "`y`"}},
  };
  for (const auto& [text, words] : cases) EXPECT_EQ(SplitArguments(text), words) << text;
}

// No command interpreter sees the arguments: ";" and "$(...)" are bytes of
// a file name here.
TEST(ShellTest, ProgramsStartWithTheirArgumentsAsGiven) {
  test::TTempDir dir;
  ASSERT_TRUE(DefaultShell().StartProgram("touch", {"a b;touch c", "$(touch d)"}, dir.Path(), false));
  EXPECT_TRUE(AppearsSoon(dir.Path() / "a b;touch c"));
  EXPECT_TRUE(AppearsSoon(dir.Path() / "$(touch d)"));
  EXPECT_FALSE(std::filesystem::exists(dir.Path() / "c"));
  EXPECT_FALSE(std::filesystem::exists(dir.Path() / "d"));
  EXPECT_FALSE(DefaultShell().StartProgram("/no/such/program", {}, dir.Path(), false));
}

TEST(PluginLibraryTest, OnlyAbsolutePathsAreLoadedAndTheFolderComesBack) {
  EXPECT_FALSE(TPluginLibrary("libc.so.6").IsOpen());  // the loader's search path is never used
  test::TTempDir dir;
  std::filesystem::path before = std::filesystem::current_path();
  {
    TWorkingFolder folder(dir.Path());
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::canonical(dir.Path()));
  }
  EXPECT_EQ(std::filesystem::current_path(), before);
}

}  // namespace
}  // namespace zeph
