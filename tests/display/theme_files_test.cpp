#include "display/theme_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/settings_test_files.h"
#include "platform/cp932.h"
#include "platform/sjis.h"
#include "support/temp_dir.h"

namespace zeph {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

class ThemeFilesTest : public testing::Test {
 protected:
  ThemeFilesTest() {
    folders_ = {dir_.Path() / "theme", dir_.Path() / "theme" / "image", dir_.Path() / "users" / "default" / "theme",
                dir_.Path() / "users" / "default" / "theme" / "image"};
    fs::create_directories(folders_.shared_image);
    fs::create_directories(folders_.profile_image);
  }

  // A theme file whose only setting is the shadow kind.
  static std::string ShadowTheme(int kind) {
    return "[LogText]\r\nShadowKind=" + std::to_string(kind) + "\r\n[Format]\r\nTime=theme \r\n";
  }

  void Put(const fs::path& folder, const std::string& utf8_name, const std::string& bytes = ShadowTheme(1)) {
    WriteBytes(folder / utf8_name, bytes);
  }

  test::TTempDir dir_;
  TThemeFolders folders_;
};

TEST_F(ThemeFilesTest, WithoutThemeFilesOnlyTheDefaultIsListed) {
  EXPECT_EQ(ListThemes(folders_), std::vector<std::string>{Sjis("**初期設定")});
  TThemeFolders missing{dir_.Path() / "none", {}, dir_.Path() / "none2", {}};
  EXPECT_EQ(ListThemes(missing), std::vector<std::string>{Sjis("**初期設定")});
}

TEST_F(ThemeFilesTest, ThemesAreListedByGroupAndSortedByTheirBytes) {
  Put(folders_.shared, "夜.theme");
  Put(folders_.shared, "Blue.theme");
  Put(folders_.profile, "old.lvf");
  Put(folders_.profile, "mine.theme");
  Put(folders_.profile, "あさ.theme");
  Put(folders_.profile, "Zebra.theme");
  // Left out: another extension or its case, no name, a folder, and names
  // no theme could be saved under (so their entries could not lead back).
  Put(folders_.profile, "notes.txt");
  Put(folders_.profile, "Upper.THEME");
  Put(folders_.profile, ".theme");
  Put(folders_.profile, "a:b.theme");
  Put(folders_.profile, "*star.theme");
  Put(folders_.profile, "emoji\xF0\x9F\x98\x80.theme");
  fs::create_directory(folders_.profile / "folder.theme");

  EXPECT_EQ(ListThemes(folders_), (std::vector<std::string>{Sjis("**初期設定"), "**Blue", Sjis("**夜"), "*old", "Zebra",
                                                            "mine", Sjis("あさ")}));
}

TEST_F(ThemeFilesTest, SavedThemesReplaceOldOnesAndLoadBack) {
  TViewSettings settings;
  settings.shadow_kind = 2;
  const std::string name = Sjis("表示テーマ");  // 表 ends in the backslash byte
  ASSERT_TRUE(SaveTheme(folders_, name, settings));
  settings.shadow_kind = 3;
  ASSERT_TRUE(SaveTheme(folders_, name, settings));  // replaced without a question
  EXPECT_EQ(ListThemes(folders_).back(), name);
  EXPECT_TRUE(fs::exists(folders_.profile / "表示テーマ.theme"));

  TViewSettings loaded;
  ASSERT_TRUE(LoadTheme(folders_, name, true, true, &loaded));
  EXPECT_EQ(loaded.shadow_kind, 3);
}

TEST_F(ThemeFilesTest, InvalidNamesAreNeverSaved) {
  TViewSettings settings;
  for (const char* name : {"", "a/b", "a\\b", "a:b", "a<b", "a>b", "a*b", "a?b", "a|b", "a\"b", "tab\tname", "../up"})
    EXPECT_FALSE(SaveTheme(folders_, name, settings)) << name;
  EXPECT_EQ(ListThemes(folders_).size(), 1u);
  EXPECT_FALSE(fs::exists(dir_.Path() / "users" / "default" / "up.theme"));
  EXPECT_TRUE(IsValidThemeName(Sjis("ソフト")));  // ソ ends in the backslash byte too
  EXPECT_TRUE(IsValidThemeName("a.b"));
}

TEST_F(ThemeFilesTest, EachKindOfEntryLoadsItsOwnFile) {
  Put(folders_.shared, "shared.theme", ShadowTheme(1));
  Put(folders_.profile, "user.theme", ShadowTheme(2));
  Put(folders_.profile, "old.lvf", ShadowTheme(3));

  TViewSettings settings;
  ASSERT_TRUE(LoadTheme(folders_, "**shared", true, false, &settings));
  EXPECT_EQ(settings.shadow_kind, 1);
  EXPECT_EQ(settings.formats.time, TMessageFormat().time);
  ASSERT_TRUE(LoadTheme(folders_, "user", false, true, &settings));
  EXPECT_EQ(settings.shadow_kind, 1);
  EXPECT_EQ(settings.formats.time, "theme ");
  ASSERT_TRUE(LoadTheme(folders_, "user", true, true, &settings));
  EXPECT_EQ(settings.shadow_kind, 2);

  // Version-1 themes need their own reader; missing files and entries that
  // no list holds change nothing.
  for (const char* entry : {"*old", "missing", "**missing", "**../users/default/theme/user", "../theme/user", "",
                            "***user"})
    EXPECT_FALSE(LoadTheme(folders_, entry, true, true, &settings)) << entry;
  EXPECT_EQ(settings.shadow_kind, 2);

  // The default theme resets what is asked for.
  ASSERT_TRUE(LoadTheme(folders_, DefaultThemeEntry(), true, false, &settings));
  EXPECT_EQ(settings.shadow_kind, 0);
  EXPECT_EQ(settings.formats.time, "theme ");
  ASSERT_TRUE(LoadTheme(folders_, DefaultThemeEntry(), false, true, &settings));
  EXPECT_EQ(settings.formats.time, TMessageFormat().time);
}

TEST_F(ThemeFilesTest, OnlyUserAndVersion1ThemesAreDeleted) {
  Put(folders_.shared, "shared.theme");
  Put(folders_.profile, "user.theme");
  Put(folders_.profile, "old.lvf");
  Put(folders_.profile, "keep.theme");

  EXPECT_FALSE(DeleteTheme(folders_, "**shared"));
  EXPECT_FALSE(DeleteTheme(folders_, DefaultThemeEntry()));
  EXPECT_FALSE(DeleteTheme(folders_, "../../theme/shared"));
  EXPECT_TRUE(DeleteTheme(folders_, "user"));
  EXPECT_TRUE(DeleteTheme(folders_, "*old"));
  EXPECT_FALSE(DeleteTheme(folders_, "user"));  // already gone

  EXPECT_EQ(ListThemes(folders_), (std::vector<std::string>{DefaultThemeEntry(), "**shared", "keep"}));
}

}  // namespace
}  // namespace zeph
