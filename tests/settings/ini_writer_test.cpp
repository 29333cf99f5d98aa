#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "settings/ini_file.h"
#include "settings/ini_writer.h"
#include "platform/files.h"
#include "support/settings_test_files.h"
#include "support/temp_dir.h"

namespace zeph {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

mode_t ModeOf(const fs::path& path) {
  struct stat st;
  EXPECT_EQ(stat(path.c_str(), &st), 0);
  return st.st_mode & 07777;
}

// While it lives, file modes stop this thread even when it runs as root:
// the two capabilities that let root past them are switched off (they stay
// permitted, so they come back). For any other user nothing changes.
class TFileModesBindRoot {
 public:
  TFileModesBindRoot() {
    syscall(SYS_capget, &header_, saved_);
    __user_cap_data_struct bound[2] = {saved_[0], saved_[1]};
    bound[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
    syscall(SYS_capset, &header_, bound);
  }
  ~TFileModesBindRoot() { syscall(SYS_capset, &header_, saved_); }

 private:
  __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct saved_[2] = {};
};

// Files in the folder besides the ones named: leftovers of a save.
int OtherFiles(const fs::path& folder, std::initializer_list<const char*> names) {
  int others = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    bool named = false;
    for (const char* name : names) named = named || entry.path().filename() == name;
    if (!named) ++others;
  }
  return others;
}

// Makes every write beyond `bytes` fail with EFBIG, as a full disk would,
// for as long as it lives. Works for root too, unlike file modes.
class TFileSizeLimit {
 public:
  explicit TFileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~TFileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, old_handler_);
  }

 private:
  rlimit saved_;
  void (*old_handler_)(int);
};

TEST(SettingsIniWriterTest, WritesTheExactLayout) {
  test::TTempDir dir;
  std::string path = dir.File("small.ini");
  TIniWriter writer;
  ASSERT_TRUE(writer.Open(path));
  writer.WriteSection("World");
  writer.WriteInteger("AutoOp.Count", 0);
  writer.WriteInteger("Negative", -5);
  writer.WriteSection("Unit.00");
  writer.WriteString("Name", "a=b");
  writer.WriteBool("Yes", true);
  writer.WriteBool("No", false);
  writer.WriteHex("Red", 0x0000ff);
  writer.WriteHex("Blue", 0xff0000);
  writer.WriteHex("Wide", 0x12345678);
  ASSERT_TRUE(writer.Close());
  EXPECT_EQ(ReadBytes(path),
            "[World]\r\n\r\n"
            "AutoOp.Count=0\r\nNegative=-5\r\n"
            "\r\n[Unit.00]\r\n\r\n"
            "Name=a=b\r\nYes=true\r\nNo=false\r\nRed=0000ff\r\nBlue=ff0000\r\nWide=12345678\r\n");
}

TEST(SettingsIniWriterTest, OnlyANamedSectionIsFollowedByASeparator) {
  TIniWriter writer;
  writer.WriteString("k", "v");
  writer.WriteSection("");
  writer.WriteSection("A");
  writer.WriteSection("");
  writer.WriteSection("B");
  EXPECT_EQ(writer.Text(), "k=v\r\n[]\r\n\r\n[A]\r\n\r\n\r\n[]\r\n\r\n[B]\r\n\r\n");
}

TEST(SettingsIniWriterTest, LineBreaksInNamesAndValuesCannotAddLines) {
  TIniWriter writer;
  writer.WriteSection("Unit.00\r\n[World");
  writer.WriteString("Channel.00.Name", "#chan\r\n[World]\r\nUnit.Count=99");
  writer.WriteString(std::string("Ke\ny\0", 5), std::string("v\0al", 4));
  EXPECT_EQ(writer.Text(), "[Unit.00[World]\r\n\r\nChannel.00.Name=#chan[World]Unit.Count=99\r\nKey=val\r\n");

  TIniFile ini;
  ini.LoadText(writer.Text());
  EXPECT_FALSE(ini.HasSection("World"));
}

TEST(SettingsIniWriterTest, ShorterFileLeavesNothingOfTheLongerOne) {
  test::TTempDir dir;
  std::string path = dir.File("a.ini");
  WriteBytes(path, std::string(1000, 'x'));
  TIniWriter writer;
  ASSERT_TRUE(writer.Open(path));
  writer.WriteString("k", "v");
  ASSERT_TRUE(writer.Close());
  EXPECT_EQ(ReadBytes(path), "k=v\r\n");
  EXPECT_EQ(OtherFiles(dir.Path(), {"a.ini"}), 0);
}

TEST(SettingsIniWriterTest, DestructionClosesLikeClose) {
  test::TTempDir dir;
  {
    TIniWriter writer;
    writer.Open(dir.File("a.ini"));
    writer.WriteString("k", "v");
  }
  EXPECT_EQ(ReadBytes(dir.File("a.ini")), "k=v\r\n");
}

TEST(SettingsAtomicSaveTest, FailedWriteKeepsTheOldFile) {
  test::TTempDir dir;
  std::string path = dir.File("tree.ini");
  std::string old_contents = "[World]\r\n\r\nUnit.Count=0\r\n";
  WriteBytes(path, old_contents);

  testing::internal::CaptureStderr();
  bool saved;
  {
    TFileSizeLimit limit(64);
    TIniWriter writer;
    ASSERT_TRUE(writer.Open(path));
    writer.WriteSection("World");
    for (int i = 0; i < 100; ++i) writer.WriteString("AutoOp." + std::to_string(i) + ".Mask", "*!*@*");
    saved = writer.Close();
  }
  std::string errors = testing::internal::GetCapturedStderr();
  EXPECT_FALSE(saved);
  EXPECT_NE(errors.find("tree.ini"), std::string::npos) << errors;
  EXPECT_EQ(ReadBytes(path), old_contents);
  EXPECT_EQ(OtherFiles(dir.Path(), {"tree.ini"}), 0);  // no temporary file left

  // A folder that does not exist fails at the start, quietly for the files.
  testing::internal::CaptureStderr();
  TIniWriter nowhere;
  EXPECT_FALSE(nowhere.Open(dir.File("no/such/folder.ini")));
  nowhere.WriteString("k", "v");
  EXPECT_FALSE(nowhere.Close());
  EXPECT_FALSE(testing::internal::GetCapturedStderr().empty());
}

TEST(SettingsAtomicSaveTest, UnreadableOldFileIsKeptAsBackup) {
  test::TTempDir dir;
  fs::path path = dir.File("tree.ini");
  // Something that cannot be read as a file even by root: a folder.
  fs::create_directory(path);
  WriteBytes(path / "inside", "kept");

  testing::internal::CaptureStderr();
  TAtomicFile file;
  ASSERT_TRUE(file.Open(path, TFilePrivacy::Shared));
  EXPECT_TRUE(file.Write("new"));
  EXPECT_TRUE(file.Commit());
  EXPECT_NE(testing::internal::GetCapturedStderr().find(".bak"), std::string::npos);
  EXPECT_EQ(ReadBytes(path), "new");
  EXPECT_EQ(ReadBytes(dir.File("tree.ini.bak/inside")), "kept");

  // A file its mode keeps us from reading.
  fs::remove_all(dir.File("tree.ini.bak"));
  chmod(path.c_str(), 0);
  {
    TFileModesBindRoot modes;
    testing::internal::CaptureStderr();
    TAtomicFile again;
    ASSERT_TRUE(again.Open(path, TFilePrivacy::Shared));
    EXPECT_TRUE(again.Write("newer") && again.Commit());
    testing::internal::GetCapturedStderr();
  }
  EXPECT_EQ(ReadBytes(path), "newer");
  EXPECT_TRUE(fs::is_regular_file(dir.File("tree.ini.bak")));
}

TEST(SettingsAtomicSaveTest, PrivacyAndModes) {
  test::TTempDir dir;
  fs::path folder = dir.Path() / "users" / "default" / "config";
  ASSERT_TRUE(CreateFolders(folder, TFilePrivacy::OwnerOnly));
  EXPECT_EQ(ModeOf(dir.Path() / "users"), 0700u);
  EXPECT_EQ(ModeOf(folder), 0700u);
  EXPECT_TRUE(CreateFolders(folder, TFilePrivacy::Shared));  // exists: left alone
  EXPECT_EQ(ModeOf(folder), 0700u);

  // A private file is private even when the old one was not.
  fs::path secret = folder / "tree.ini";
  WriteBytes(secret, "old");
  chmod(secret.c_str(), 0644);
  TAtomicFile file;
  ASSERT_TRUE(file.Open(secret, TFilePrivacy::OwnerOnly));
  ASSERT_TRUE(file.Write("new") && file.Commit());
  EXPECT_EQ(ModeOf(secret), 0600u);

  // A shared file keeps the mode the user gave it.
  fs::path shared = folder / "preference.ini";
  WriteBytes(shared, "old");
  chmod(shared.c_str(), 0640);
  ASSERT_TRUE(file.Open(shared, TFilePrivacy::Shared));
  ASSERT_TRUE(file.Write("new") && file.Commit());
  EXPECT_EQ(ModeOf(shared), 0640u);
}

TEST(SettingsAtomicSaveTest, SymbolicLinkKeepsPointingAtTheReplacedFile) {
  test::TTempDir dir;
  fs::create_directory(dir.Path() / "dotfiles");
  fs::path real = dir.Path() / "dotfiles" / "tree.ini";
  fs::path link = dir.Path() / "tree.ini";
  WriteBytes(real, "old");
  fs::create_symlink(real, link);
  TAtomicFile file;
  ASSERT_TRUE(file.Open(link, TFilePrivacy::Shared));
  ASSERT_TRUE(file.Write("new") && file.Commit());
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadBytes(real), "new");
}

TEST(SettingsAtomicSaveTest, DiscardLeavesTheOldFile) {
  test::TTempDir dir;
  std::string path = dir.File("a.ini");
  WriteBytes(path, "old");
  {
    TAtomicFile file;
    ASSERT_TRUE(file.Open(path, TFilePrivacy::Shared));
    file.Write("half");
  }  // never committed
  EXPECT_EQ(ReadBytes(path), "old");
  EXPECT_EQ(OtherFiles(dir.Path(), {"a.ini"}), 0);
}

TEST(SettingsIniSectionTest, OneSectionIsReplacedAndEveryOtherLineKept) {
  struct TCase {
    const char* old_file;  // nullptr: no file
    const char* saved;
  };
  const TCase cases[] = {
      {nullptr, "[S]\r\n\r\nk=new\r\n"},
      {"[A]\r\n\r\na=1\r\n", "[A]\r\n\r\na=1\r\n\r\n[S]\r\n\r\nk=new\r\n"},
      {"[S]\r\n\r\nk=old\r\ngone=1\r\n\r\n[A]\r\n\r\na=1\r\n",
       "[S]\r\n\r\nk=new\r\n\r\n[A]\r\n\r\na=1\r\n"},
      // Lines before the first header, odd spacing and a second copy of the
      // section: only the section's own lines change.
      {"top=1\n[A]\na=1\n;note\n[S]\nk=old\n[B]\n[S]\nk=older",
       "top=1\r\n[A]\r\na=1\r\n;note\r\n[S]\r\n\r\nk=new\r\n\r\n[B]\r\n"},
  };
  for (const TCase& c : cases) {
    test::TTempDir dir;
    fs::path path = dir.Path() / "config" / "view.ini";
    if (c.old_file) {
      fs::create_directory(dir.Path() / "config");
      WriteBytes(path, c.old_file);
    }
    ASSERT_TRUE(SaveIniSection(path, "S", TFilePrivacy::Shared, [](TIniWriter& writer) {
      writer.WriteSection("S");
      writer.WriteString("k", "new");
    }));
    EXPECT_EQ(ReadBytes(path), c.saved) << (c.old_file ? c.old_file : "no file");
  }
}

}  // namespace
}  // namespace zeph
