#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/user_folders.h"
#include "support/settings_test_files.h"
#include "support/environment.h"
#include "support/temp_dir.h"

namespace zeph {
namespace {

namespace fs = std::filesystem;

// A home folder of its own with the given user-dirs.dirs (none if empty).
class SettingsUserFoldersTest : public testing::Test {
 protected:
  void SetUp() override { fs::create_directory(home_.Path() / ".config"); }

  void UserDirs(const std::string& text) { test::WriteBytes(home_.Path() / ".config" / "user-dirs.dirs", text); }

  test::TTempDir home_;
  test::TScopedEnv home_env_{"HOME", home_.Path().string()};
  test::TScopedEnv config_env_{"XDG_CONFIG_HOME", std::nullopt};
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
  test::TScopedEnv moved("XDG_CONFIG_HOME", config.Path().string());
  test::WriteBytes(config.Path() / "user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/moved\"\n");
  EXPECT_EQ(DocumentsFolder(), fs::path(home_.Path().string() + "/moved"));
}

// The account of the password database, while a test looks at it.
class TScopedAccount {
 public:
  explicit TScopedAccount(TAccountLookup lookup) : replaced_(SetAccountLookup(lookup)) {}
  ~TScopedAccount() { SetAccountLookup(replaced_); }

 private:
  TAccountLookup replaced_;
};

std::optional<TAccount> Taro() { return TAccount{"taro", "/home/taro"}; }
std::optional<TAccount> NoEntry() { return std::nullopt; }

TEST_F(SettingsUserFoldersTest, LoginNameFromTheAccountElseTheEnvironment) {
  const struct {
    TAccountLookup account;
    std::optional<std::string> user, logname;
    const char* expected;
  } cases[] = {
      {&Taro, "hanako", "jiro", "taro"},
      {&NoEntry, "hanako", "jiro", "hanako"},
      {&NoEntry, std::nullopt, "jiro", "jiro"},
      {&NoEntry, std::nullopt, std::nullopt, ""},
  };
  for (const auto& c : cases) {
    TScopedAccount account(c.account);
    test::TScopedEnv user("USER", c.user);
    test::TScopedEnv logname("LOGNAME", c.logname);
    EXPECT_EQ(UserLoginName(), c.expected);
  }
}

TEST_F(SettingsUserFoldersTest, WithoutHomeTheAccountsHomeFolder) {
  test::TScopedEnv no_home("HOME", std::nullopt);
  {
    TScopedAccount account(&Taro);
    EXPECT_EQ(HomeFolder(), "/home/taro");
    EXPECT_EQ(DocumentsFolder(), "/home/taro/Documents");
  }
  // No home at all: no folder, and no user-dirs.dirs looked for in the
  // working folder either.
  TScopedAccount account(&NoEntry);
  test::TTempDir working;
  fs::create_directory(working.Path() / ".config");
  test::WriteBytes(working.Path() / ".config" / "user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"/not/mine\"\n");
  fs::path was = fs::current_path();
  fs::current_path(working.Path());
  EXPECT_EQ(HomeFolder(), "");
  EXPECT_EQ(DocumentsFolder(), "");
  fs::current_path(was);
}

}  // namespace
}  // namespace zeph
