#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/line_list.h"
#include "settings/text_file.h"
#include "support/settings_test_files.h"
#include "support/temp_dir.h"

namespace zeph {
namespace {

using test::ReadBytes;
using test::WriteBytes;

std::vector<std::string> LinesOf(const std::string& bytes) {
  test::TTempDir dir;
  WriteBytes(dir.File("f.txt"), bytes);
  TTextFile file;
  EXPECT_TRUE(file.Open(dir.File("f.txt"), TFileAccess::Read, TFileDisposition::OpenExisting));
  std::vector<std::string> lines;
  std::string line;
  while (file.ReadLine(&line)) lines.push_back(line);
  return lines;
}

TEST(SettingsTextFileTest, EveryLineEndReadsAlike) {
  struct Case {
    std::string bytes;
    std::vector<std::string> lines;
  };
  const std::vector<std::string> abc = {"a", "b", "c"};
  const Case cases[] = {
      {"a\r\nb\r\nc\r\n", abc},
      {"a\rb\rc\r", abc},
      {"a\nb\nc\n", abc},
      {"a\r\nb\rc\n", abc},
      {"a\r\nb\r\nc", abc},                   // last line without terminator
      {"\r\n\n\r", {"", "", ""}},              // empty lines, no extra one at the end
      {"a\n\rb", {"a", "", "b"}},             // LF CR is two line ends
      {"", {}},
      {std::string("x\0y\n", 4), {std::string("x\0y", 3)}},
  };
  for (const Case& c : cases) EXPECT_EQ(LinesOf(c.bytes), c.lines) << testing::PrintToString(c.bytes);
}

TEST(SettingsTextFileTest, CrLfSplitAcrossReadChunksIsOneLineEnd) {
  // The read-ahead holds 65536 bytes: put the CR last in the first chunk.
  std::string first(65535, 'x');
  std::vector<std::string> lines = LinesOf(first + "\r\nnext\r\n");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], first);
  EXPECT_EQ(lines[1], "next");
}

TEST(SettingsTextFileTest, WritesAndPositionsAfterReadingAhead) {
  test::TTempDir dir;
  std::string path = dir.File("f.txt");
  WriteBytes(path, "one\r\ntwo\r\nthree\r\n");
  TTextFile file;
  ASSERT_TRUE(file.Open(path, TFileAccess::ReadWrite, TFileDisposition::OpenExisting));
  EXPECT_FALSE(file.Open(path, TFileAccess::Read, TFileDisposition::OpenExisting));  // already open
  std::string line;
  ASSERT_TRUE(file.ReadLine(&line));
  // The write lands right after the line taken, not after the read-ahead.
  EXPECT_TRUE(file.WriteLine("TWO"));
  EXPECT_TRUE(file.SetEndOfFile());
  file.Close();
  EXPECT_EQ(ReadBytes(path), "one\r\nTWO\r\n");

  ASSERT_TRUE(file.Open(path, TFileAccess::ReadWrite, TFileDisposition::OpenAlways));
  EXPECT_TRUE(file.SeekToEnd());
  EXPECT_EQ(file.Write("end"), 3u);
  EXPECT_TRUE(file.Seek(-3));
  char got[8] = {};
  EXPECT_EQ(file.Read(got, sizeof got), 3u);
  EXPECT_STREQ(got, "end");
  EXPECT_TRUE(file.Flush());
  EXPECT_FALSE(file.Failed());
}

TEST(SettingsTextFileTest, ClosedOrMissingFileFailsQuietly) {
  test::TTempDir dir;
  TTextFile file;
  EXPECT_FALSE(file.Open(dir.File("missing"), TFileAccess::Read, TFileDisposition::OpenExisting));
  std::string line;
  char byte;
  EXPECT_FALSE(file.ReadLine(&line));
  EXPECT_EQ(file.Read(&byte, 1), 0u);
  EXPECT_EQ(file.Write("x"), 0u);
  EXPECT_FALSE(file.WriteLine("x"));
  EXPECT_FALSE(file.Seek(0));
  EXPECT_FALSE(file.SetEndOfFile());
  EXPECT_FALSE(file.Flush());

  ASSERT_TRUE(file.Open(dir.File("new"), TFileAccess::Write, TFileDisposition::CreateAlways));
  EXPECT_TRUE(file.WriteLine("made"));
  file.Close();
  EXPECT_EQ(ReadBytes(dir.File("new")), "made\r\n");
}

TEST(SettingsLineListTest, EditsTolerateIndicesOutsideTheList) {
  TLineList list;
  list.Add("b");
  list.Insert(0, "a");
  list.Insert(7, "d");   // outside: appended
  list.Insert(-1, "e");  // outside: appended
  list.Insert(2, "c");
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{"a", "b", "c", "d", "e"}));
  list.Delete(5);
  list.Delete(-1);
  list.Delete(4);
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(list.Get(3), "d");
  EXPECT_EQ(list.Get(4), "");
  EXPECT_EQ(list.Get(-1), "");
}

TEST(SettingsLineListTest, LoadsAnyLineEndAndSavesCrLf) {
  test::TTempDir dir;
  std::string path = dir.File("servers.txt");
  WriteBytes(path, "irc.example.jp\nirc.example.net\rlast");
  TLineList list;
  ASSERT_TRUE(list.LoadFromFile(path));
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{"irc.example.jp", "irc.example.net", "last"}));

  list.Delete(1);
  ASSERT_TRUE(list.SaveToFile(path));
  EXPECT_EQ(ReadBytes(path), "irc.example.jp\r\nlast\r\n");

  // A file that cannot be read leaves the list as it was.
  EXPECT_FALSE(list.LoadFromFile(dir.File("missing")));
  EXPECT_FALSE(list.LoadFromFile(dir.Path()));  // a folder opens but cannot be read
  EXPECT_EQ(list.Count(), 2);

  TLineList text;
  text.SetText("x\r\ny\rz\n");
  EXPECT_EQ(text.Text(), "x\r\ny\r\nz\r\n");
}

}  // namespace
}  // namespace zeph
