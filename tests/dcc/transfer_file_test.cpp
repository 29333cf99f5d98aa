#include "dcc/transfer_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "support/temp_dir.h"

namespace zeph {
namespace {
namespace fs = std::filesystem;

class TransferFileTest : public ::testing::Test {
 protected:
  void Write(const std::string& name, const std::string& text) { std::ofstream(dir_.Path() / name) << text; }
  std::string Read(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  test::TTempDir dir_;
};

TEST_F(TransferFileTest, ANewFileTakesTheFirstFreeNumberAndNeverRuns) {
  Write("_incomplete_a.txt", "old");
  TReceiveFile file;
  ASSERT_TRUE(file.Create(dir_.Path() / "nick", "a.txt"));
  ASSERT_TRUE(file.Create(dir_.Path(), "a.txt") == false);  // one file per object
  EXPECT_EQ(file.Path(), dir_.Path() / "nick" / "_incomplete_a.txt");

  TReceiveFile second;
  ASSERT_TRUE(second.Create(dir_.Path(), "a.txt"));
  EXPECT_EQ(second.Path().filename(), "_incomplete_a_00.txt");
  ASSERT_TRUE(second.Write("hello", 5, 0));
  second.Close(5);
  struct stat status {};
  ASSERT_EQ(stat((dir_.Path() / "_incomplete_a_00.txt").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0111, 0u);
  EXPECT_EQ(Read(dir_.Path() / "_incomplete_a.txt"), "old");
}

TEST_F(TransferFileTest, ClosingCutsAtThePositionAndDropsAnEmptyFile) {
  TReceiveFile file;
  ASSERT_TRUE(file.Create(dir_.Path(), "a.txt"));
  fs::path path = file.Path();
  ASSERT_TRUE(file.Write("abcdef", 6, 0));
  file.Close(3);
  EXPECT_EQ(Read(path), "abc");

  TReceiveFile empty;
  ASSERT_TRUE(empty.Create(dir_.Path(), "b.txt"));
  path = empty.Path();
  empty.Close(0);
  EXPECT_FALSE(fs::exists(path));
}

TEST_F(TransferFileTest, APartialFileOpensOnlyWhenItHoldsThePosition) {
  Write("_incomplete_a.txt", "12345");
  fs::create_symlink(dir_.Path() / "_incomplete_a.txt", dir_.Path() / "link");
  TReceiveFile file;
  EXPECT_FALSE(file.OpenExisting(dir_.Path() / "_incomplete_a.txt", 6));
  EXPECT_FALSE(file.OpenExisting(dir_.Path() / "link", 1));
  EXPECT_FALSE(file.OpenExisting(dir_.Path() / "missing", 0));
  ASSERT_TRUE(file.OpenExisting(dir_.Path() / "_incomplete_a.txt", 5));
  ASSERT_TRUE(file.Write("67", 2, 5));
  file.Close(7);
  EXPECT_EQ(Read(dir_.Path() / "_incomplete_a.txt"), "1234567");
}

TEST_F(TransferFileTest, TheFinalNameNeverReplacesAFile) {
  Write("a.txt", "mine");
  Write("a_00.txt", "mine too");
  Write("_incomplete_a.txt", "new");
  std::optional<fs::path> moved = MoveToFinalName(dir_.Path() / "_incomplete_a.txt", dir_.Path(), "a.txt");
  ASSERT_TRUE(moved);
  EXPECT_EQ(*moved, dir_.Path() / "a_01.txt");
  EXPECT_EQ(Read(*moved), "new");
  EXPECT_EQ(Read(dir_.Path() / "a.txt"), "mine");
  EXPECT_FALSE(fs::exists(dir_.Path() / "_incomplete_a.txt"));
  EXPECT_FALSE(MoveToFinalName(dir_.Path() / "gone", dir_.Path(), "b.txt"));
}

TEST_F(TransferFileTest, ASentFileIsReadAtAnyPosition) {
  Write("s.bin", "0123456789");
  TSendFile file;
  EXPECT_FALSE(file.Open(dir_.Path()));
  ASSERT_TRUE(file.Open(dir_.Path() / "s.bin"));
  EXPECT_EQ(file.Size(), 10);
  char piece[4];
  ASSERT_EQ(file.Read(piece, 4, 7), 3);
  EXPECT_EQ(std::string(piece, 3), "789");
}

}  // namespace
}  // namespace zeph
