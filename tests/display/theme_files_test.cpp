#include "display/theme_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "settings/ini_writer.h"
#include "support/settings_test_files.h"
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

  static std::string Written(const TViewSettings& settings) {
    TIniWriter writer;
    settings.WriteViewSettings(writer);
    return writer.Text();
  }

  // A theme file whose only setting is the shadow kind.
  static std::string ShadowTheme(int kind) {
    return "[LogText]\r\nShadowKind=" + std::to_string(kind) + "\r\n[Format]\r\nTime=theme \r\n";
  }

  void Put(const fs::path& folder, const std::string& utf8_name, const std::string& bytes = ShadowTheme(1)) {
    WriteBytes(folder / utf8_name, bytes);
  }

  std::vector<std::string> ListedTexts() const {
    std::vector<std::string> texts;
    for (const TThemeEntry& entry : ListThemes(folders_)) texts.push_back(entry.text);
    return texts;
  }

  // The listed entry of a kind shown with `text`.
  TThemeEntry Listed(TThemeKind kind, const std::string& text) const {
    for (const TThemeEntry& entry : ListThemes(folders_))
      if (entry.kind == kind && entry.text == text) return entry;
    ADD_FAILURE() << "not listed: " << text;
    return {};
  }

  test::TTempDir dir_;
  TThemeFolders folders_;
};

TEST_F(ThemeFilesTest, WithoutThemeFilesOnlyTheDefaultIsListed) {
  EXPECT_EQ(ListedTexts(), std::vector<std::string>{Sjis("**初期設定")});
  TThemeFolders missing{dir_.Path() / "none", {}, dir_.Path() / "none2", {}};
  ASSERT_EQ(ListThemes(missing), std::vector<TThemeEntry>{DefaultThemeEntry()});
  EXPECT_EQ(DefaultThemeEntry().kind, TThemeKind::Default);
  EXPECT_FALSE(DefaultThemeEntry().Deletable());
}

TEST_F(ThemeFilesTest, ThemesAreListedByGroupAndSortedByTheirBytes) {
  Put(folders_.shared, "夜.theme");
  Put(folders_.shared, "Blue.theme");
  Put(folders_.profile, "old.lvf");
  Put(folders_.profile, "mine.theme");
  Put(folders_.profile, "あさ.theme");
  Put(folders_.profile, "Zebra.theme");
  // Every entry keeps its own file, so names no theme could be saved under
  // are listed too; a name without a Shift_JIS form shows the geta mark.
  Put(folders_.profile, "a:b.theme");
  Put(folders_.profile, "*star.theme");
  Put(folders_.profile, "emoji\xF0\x9F\x98\x80.theme");
  // Left out: another extension or its case, no name, a folder.
  Put(folders_.profile, "notes.txt");
  Put(folders_.profile, "Upper.THEME");
  Put(folders_.profile, ".theme");
  fs::create_directory(folders_.profile / "folder.theme");

  EXPECT_EQ(ListedTexts(), (std::vector<std::string>{Sjis("**初期設定"), "**Blue", Sjis("**夜"), "*old", "*star",
                                                     "Zebra", "a:b", Sjis("emoji〓"), "mine", Sjis("あさ")}));
  const std::vector<TThemeEntry> entries = ListThemes(folders_);
  EXPECT_EQ(entries[1], (TThemeEntry{"**Blue", TThemeKind::Shared, folders_.shared / "Blue.theme"}));
  EXPECT_EQ(entries[3], (TThemeEntry{"*old", TThemeKind::Version1, folders_.profile / "old.lvf"}));
  EXPECT_EQ(entries[4], (TThemeEntry{"*star", TThemeKind::User, folders_.profile / "*star.theme"}));
}

TEST_F(ThemeFilesTest, SavedThemesReplaceOldOnesAndLoadBack) {
  TViewSettings settings;
  settings.shadow_kind = 2;
  const std::string name = Sjis("表示テーマ");  // 表 ends in the backslash byte
  ASSERT_TRUE(SaveTheme(folders_, name, settings));
  settings.shadow_kind = 3;
  ASSERT_TRUE(SaveTheme(folders_, name, settings));  // replaced without a question
  EXPECT_EQ(ListedTexts().back(), name);
  EXPECT_TRUE(fs::exists(folders_.profile / "表示テーマ.theme"));

  TViewSettings loaded;
  ASSERT_TRUE(LoadTheme(Listed(TThemeKind::User, name), true, true, &loaded));
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

  TViewSettings settings;
  ASSERT_TRUE(LoadTheme(Listed(TThemeKind::Shared, "**shared"), true, false, &settings));
  EXPECT_EQ(settings.shadow_kind, 1);
  EXPECT_EQ(settings.formats.time, TMessageFormat().time);
  const TThemeEntry user = Listed(TThemeKind::User, "user");
  ASSERT_TRUE(LoadTheme(user, false, true, &settings));
  EXPECT_EQ(settings.shadow_kind, 1);
  EXPECT_EQ(settings.formats.time, "theme ");
  ASSERT_TRUE(LoadTheme(user, true, true, &settings));
  EXPECT_EQ(settings.shadow_kind, 2);

  // A theme whose file vanished after listing changes nothing.
  fs::remove(user.path);
  EXPECT_FALSE(LoadTheme(user, true, true, &settings));
  EXPECT_EQ(settings.shadow_kind, 2);

  // The default theme resets what is asked for.
  ASSERT_TRUE(LoadTheme(DefaultThemeEntry(), true, false, &settings));
  EXPECT_EQ(settings.shadow_kind, 0);
  EXPECT_EQ(settings.formats.time, "theme ");
  ASSERT_TRUE(LoadTheme(DefaultThemeEntry(), false, true, &settings));
  EXPECT_EQ(settings.formats.time, TMessageFormat().time);
}

// A user theme named "*x" is shown like the version-1 theme "x", and
// "**x" like the shared theme "x"; each still loads and deletes its own file.
TEST_F(ThemeFilesTest, UserThemesNamedWithStarsLoadThemselves) {
  Put(folders_.profile, "*x.theme", ShadowTheme(2));
  Put(folders_.profile, "x.lvf", "[LogBackground]\r\nTextType=3\r\n");
  Put(folders_.profile, "**x.theme", ShadowTheme(3));
  Put(folders_.shared, "x.theme", ShadowTheme(1));

  EXPECT_EQ(ListedTexts(), (std::vector<std::string>{DefaultThemeEntry().text, "**x", "*x", "**x", "*x"}));
  const struct {
    TThemeKind kind;
    const char* text;
    int shadow_kind;
  } cases[] = {
      {TThemeKind::User, "*x", 2},
      {TThemeKind::User, "**x", 3},
      {TThemeKind::Shared, "**x", 1},
      {TThemeKind::Version1, "*x", 2},  // TextType 3 is an outline
  };
  for (const auto& c : cases) {
    TViewSettings settings;
    ASSERT_TRUE(LoadTheme(Listed(c.kind, c.text), true, true, &settings)) << c.text;
    EXPECT_EQ(settings.shadow_kind, c.shadow_kind) << c.text;
  }
  TViewSettings settings;
  ASSERT_TRUE(LoadTheme(Listed(TThemeKind::User, "*x"), true, true, &settings));
  EXPECT_EQ(settings.formats.time, "theme ");  // the user theme's formats, not the version-1 reader's

  ASSERT_TRUE(DeleteTheme(Listed(TThemeKind::User, "*x")));
  EXPECT_TRUE(fs::exists(folders_.profile / "x.lvf"));
  EXPECT_FALSE(fs::exists(folders_.profile / "*x.theme"));
}

// View, formats or both of a version-1 theme, as the user chooses.
TEST_F(ThemeFilesTest, Version1ThemesLoadTheChosenParts) {
  Put(folders_.profile, "old.lvf",
      "[LogBackground]\r\nTextType=\"2\"\r\n[Format]\r\nTimeFormat=\"hh:nn \"\r\n");
  const TThemeEntry old = Listed(TThemeKind::Version1, "*old");

  TViewSettings settings;
  settings.formats.time = "mine ";
  settings.shadow_kind = 2;
  ASSERT_TRUE(LoadTheme(old, true, false, &settings));
  EXPECT_EQ(settings.shadow_kind, 1);
  EXPECT_EQ(settings.formats.time, "mine ");

  settings.shadow_kind = 2;
  const TViewSettings before = settings;
  ASSERT_TRUE(LoadTheme(old, false, true, &settings));
  EXPECT_EQ(settings.formats.time, "%H:%M ");
  settings.formats = before.formats;
  EXPECT_EQ(Written(settings), Written(before));  // the view settings are as they were

  settings.shadow_kind = 2;
  settings.formats.time = "mine ";
  ASSERT_TRUE(LoadTheme(old, true, true, &settings));
  EXPECT_EQ(settings.shadow_kind, 1);
  EXPECT_EQ(settings.formats.time, "%H:%M ");

  fs::remove(old.path);
  EXPECT_FALSE(LoadTheme(old, true, true, &settings));
  EXPECT_EQ(settings.formats.time, "%H:%M ");
}

TEST_F(ThemeFilesTest, OnlyUserAndVersion1ThemesAreDeleted) {
  Put(folders_.shared, "shared.theme");
  Put(folders_.profile, "user.theme");
  Put(folders_.profile, "old.lvf");
  Put(folders_.profile, "keep.theme");

  const TThemeEntry shared = Listed(TThemeKind::Shared, "**shared");
  EXPECT_FALSE(shared.Deletable());
  EXPECT_FALSE(DeleteTheme(shared));
  EXPECT_FALSE(DeleteTheme(DefaultThemeEntry()));
  const TThemeEntry user = Listed(TThemeKind::User, "user");
  EXPECT_TRUE(DeleteTheme(user));
  EXPECT_TRUE(DeleteTheme(Listed(TThemeKind::Version1, "*old")));
  EXPECT_FALSE(DeleteTheme(user));  // already gone

  EXPECT_EQ(ListedTexts(), (std::vector<std::string>{DefaultThemeEntry().text, "**shared", "keep"}));
}

}  // namespace
}  // namespace zeph
