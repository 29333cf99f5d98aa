#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/user_folders.h"
#include "settings_test_files.h"
#include "support/temp_dir.h"

namespace zeph {
namespace {

namespace fs = std::filesystem;

// A home folder of its own with the given user-dirs.dirs (none if empty).
class SettingsUserFoldersTest : public testing::Test {
 protected:
  void SetUp() override {
    saved_home_ = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("HOME", home_.Path().c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    fs::create_directory(home_.Path() / ".config");
  }
  void TearDown() override { setenv("HOME", saved_home_.c_str(), 1); }

  void UserDirs(const std::string& text) { test::WriteBytes(home_.Path() / ".config" / "user-dirs.dirs", text); }

  test::TTempDir home_;
  std::string saved_home_;
};

TEST_F(SettingsUserFoldersTest, WithoutUserDirsTheUsualNames) {
  EXPECT_EQ(HomeFolder(), home_.Path());
  EXPECT_EQ(DocumentsFolder(), home_.Path() / "Documents");
  EXPECT_EQ(DesktopFolder(), home_.Path() / "Desktop");
}

TEST_F(SettingsUserFoldersTest, ReadsEntriesAsXdgUserDirDoes) {
  UserDirs(
      "# comment XDG_DOCUMENTS_DIR=\"/not/this\"\n"
      "XDG_DOCUMENTS_DIR=\"$HOME/first\"\n"
      "  XDG_DOCUMENTS_DIR = \"$HOME/My \\\"Docs\\\"\"\n"  // blanks, escapes; the last one wins
      "XDG_DOCUMENTS_DIR=relative/ignored\n"
      "XDG_DESKTOP_DIR=\"/srv/desk\"\n");
  EXPECT_EQ(DocumentsFolder(), fs::path(home_.Path().string() + "/My \"Docs\""));
  EXPECT_EQ(DesktopFolder(), fs::path("/srv/desk"));

  UserDirs("XDG_DESKTOP_DIR=\"$HOME/\"\nXDG_DOCUMENTS_DIR=\"$HOMEWARD/x\"\n");
  EXPECT_EQ(DesktopFolder(), home_.Path());  // the home itself: desktop disabled
  EXPECT_EQ(DocumentsFolder(), home_.Path() / "Documents");
}

TEST_F(SettingsUserFoldersTest, ConfigHomeMovesTheFile) {
  test::TTempDir config;
  setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
  test::WriteBytes(config.Path() / "user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/moved\"\n");
  EXPECT_EQ(DocumentsFolder(), fs::path(home_.Path().string() + "/moved"));
  unsetenv("XDG_CONFIG_HOME");
}

TEST_F(SettingsUserFoldersTest, KnowsTheLoginName) { EXPECT_FALSE(UserLoginName().empty()); }

}  // namespace
}  // namespace zeph
