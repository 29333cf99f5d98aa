// The member information window's file.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "engine/member_export.h"
#include "engine/member_list.h"
#include "support/temp_dir.h"

namespace zeph {
namespace {

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(MemberExportTest, ProposedNamesLoseWhatNoFileNameMayHold) {
  EXPECT_EQ(MemberExportFileName("#a/b"), "#a_b-members.txt");
  EXPECT_EQ(MemberExportFileName("#:<>\\/*?|\"x"), "#_________x-members.txt");
  // The second byte of a double-byte character may be a backslash.
  EXPECT_EQ(MemberExportFileName("#\x95\x5c"), "#\x95\x5c-members.txt");
}

TEST(MemberExportTest, WritesServerBeforeRealnameAndReplacesTheOldFileWhole) {
  TMemberList members;
  TMember bob("bob", "~b", "b.example");
  bob.info1 = "irc.test";
  bob.info2 = "Bob Builder";
  members.AddMember(bob, true);
  members.AddMember(TMember("al"), true);
  EXPECT_EQ(MemberExportText(members), "al\t\t\t\t\r\nbob\t~b\tb.example\tirc.test\tBob Builder\r\n");

  test::TTempDir dir;
  const std::filesystem::path file = dir.Path() / "x-members.txt";
  std::ofstream(file) << std::string(500, 'o');
  ASSERT_TRUE(WriteMemberExport(file, members));
  EXPECT_EQ(ReadFile(file), MemberExportText(members));

  // A folder that is not there: nothing written, and reported as such.
  EXPECT_FALSE(WriteMemberExport(dir.Path() / "missing" / "y.txt", members));
}

}  // namespace
}  // namespace zeph
