// The view settings pages: the working copy, the preview drawn by the real
// log view, the theme list and its commands, the font dialog and the
// picture chooser.
#include "display/widgets/view_settings_pages.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

#include "display/widgets/color_pairs_page.h"
#include "display/widgets/font_dialog.h"
#include "display/widgets/log_preview.h"
#include "display/widgets/log_settings_page.h"
#include "display/widgets/log_view.h"
#include "display/widgets/picture_chooser.h"
#include "display/widgets/theme_page.h"
#include "platform/sjis.h"
#include "settings/preferences.h"
#include "support/settings_test_files.h"
#include "support/temp_dir.h"

namespace zeph {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

class ViewSettingsPagesTest : public testing::Test {
 protected:
  ViewSettingsPagesTest() {
    folders_ = {home_.Path() / "shared", home_.Path() / "shared" / "image", home_.Path() / "theme",
                home_.Path() / "theme" / "image"};
    for (const fs::path* folder : {&folders_.shared_image, &folders_.profile_image}) fs::create_directories(*folder);
    live_.SaveViewSettings(ViewFile());
  }

  fs::path ViewFile() const { return home_.Path() / "view.ini"; }

  std::unique_ptr<TViewSettingsPages> MakePages() {
    return CreateViewSettingsPages({&live_, folders_, ViewFile(), &preferences_, [this] { ++applied_; }});
  }

  test::TTempDir home_;
  TThemeFolders folders_;
  TViewSettings live_;
  TPreferences preferences_;
  int applied_ = 0;
};

TEST_F(ViewSettingsPagesTest, AFontChangeShowsInThePreview) {
  auto pages = MakePages();
  TLogSettingsPage& log = *pages->LogPage();
  log.resize(900, 500);
  TLogView& preview = log.Preview().View(false);
  preview.resize(500, 400);
  QImage before = preview.grab().toImage();
  ASSERT_TRUE(log.SelectItem("Privmsg"));
  TFontSpec font = pages->Working().line_fonts[0];
  font.size = 240;
  font.bold = true;
  log.SetSelectedFont(font);
  EXPECT_EQ(preview.Look().Look().realised.line_fonts[0].size, 240);
  EXPECT_NE(preview.grab().toImage(), before);
  EXPECT_EQ(live_.line_fonts[0].size, TViewSettings().line_fonts[0].size);  // only the working copy
}

TEST_F(ViewSettingsPagesTest, CancelLeavesViewIniAndApplyWritesIt) {
  std::string saved = ReadBytes(ViewFile());
  {
    auto pages = MakePages();
    pages->Working().shadow_kind = 2;
    pages->LogPage()->SelectItem("時間");
    TFontSpec big;
    big.size = 150;
    pages->LogPage()->SetSelectedFont(big);
  }  // dropped, as Cancel does
  EXPECT_EQ(ReadBytes(ViewFile()), saved);
  EXPECT_EQ(live_.shadow_kind, 0);
  EXPECT_EQ(applied_, 0);

  auto pages = MakePages();
  pages->Working().shadow_kind = 2;
  ASSERT_TRUE(pages->Apply());
  EXPECT_EQ(live_.shadow_kind, 2);
  EXPECT_EQ(applied_, 1);
  TViewSettings read;
  ASSERT_TRUE(read.LoadViewSettings(ViewFile(), true, true));
  EXPECT_EQ(read.shadow_kind, 2);
}

TEST_F(ViewSettingsPagesTest, PagesAreTheFiveOfTheDialog) {
  auto pages = MakePages();
  QStringList titles;
  for (const auto& page : pages->Pages()) {
    titles << page.title;
    EXPECT_NE(page.widget, nullptr);
  }
  EXPECT_EQ(titles, QStringList({QString::fromUtf8("表示テーマ"), QString::fromUtf8("ログ"),
                                 QString::fromUtf8("サーバツリー"), QString::fromUtf8("メンバリスト"),
                                 QString::fromUtf8("入力テキスト")}));
}

TEST_F(ViewSettingsPagesTest, AUserThemeNamedWithAStarLoadsItself) {
  fs::create_directories(folders_.profile);
  TViewSettings user;
  user.shadow_kind = 2;
  user.SaveViewSettings(folders_.profile / "*x.theme");
  WriteBytes(folders_.profile / "x.lvf", "[LogBackground]\r\nTextType=1\r\n");  // shadow kind 3
  auto pages = MakePages();
  TThemePage& page = *pages->ThemePage();
  ASSERT_EQ(page.Entries().size(), 3u);
  EXPECT_EQ(page.List()->item(1)->text(), "*x");
  EXPECT_EQ(page.List()->item(2)->text(), "*x");
  EXPECT_EQ(page.Entries()[2].kind, TThemeKind::User);

  page.List()->setCurrentRow(2);
  EXPECT_TRUE(page.DeleteButton()->isEnabled());
  page.LoadSelected(true, false);
  EXPECT_EQ(pages->Working().shadow_kind, 2);
  page.List()->setCurrentRow(1);
  page.LoadSelected(true, false);
  EXPECT_EQ(pages->Working().shadow_kind, 3);
  page.List()->setCurrentRow(0);
  EXPECT_FALSE(page.DeleteButton()->isEnabled());
  // The default theme for the view only: the formats stay.
  pages->Working().formats.time = "%H";
  page.LoadSelected(true, false);
  EXPECT_EQ(pages->Working().shadow_kind, 0);
  EXPECT_EQ(pages->Working().formats.time, "%H");
}

TEST_F(ViewSettingsPagesTest, SaveAndDeleteThemes) {
  auto pages = MakePages();
  TThemePage& page = *pages->ThemePage();
  page.NameBox()->setText("a/b");
  EXPECT_FALSE(page.SaveButton()->isEnabled());
  page.NameBox()->setText(QString::fromUtf8("夜"));
  ASSERT_TRUE(page.SaveButton()->isEnabled());
  pages->Working().shadow_kind = 1;
  page.SaveButton()->click();
  pages->Working().shadow_kind = 2;
  page.SaveButton()->click();  // replaces it without asking
  ASSERT_EQ(page.Entries().size(), 2u);
  TViewSettings saved;
  ASSERT_TRUE(saved.LoadViewSettings(page.Entries()[1].path, true, true));
  EXPECT_EQ(saved.shadow_kind, 2);

  bool asked = false;
  page.SetConfirmDelete([&] { asked = true; return false; });
  page.List()->setCurrentRow(1);
  page.DeleteButton()->click();
  EXPECT_TRUE(asked);
  EXPECT_EQ(page.Entries().size(), 2u);
  page.SetConfirmDelete([] { return true; });
  page.DeleteButton()->click();
  EXPECT_EQ(page.Entries().size(), 1u);
}

TEST_F(ViewSettingsPagesTest, ColourPairPagesShowTheWorkingCopyAfterATheme) {
  fs::create_directories(folders_.profile);
  TViewSettings theme;
  theme.list_selected = {0x0000FF, 0x00FF00};
  theme.tree_keyword = {0xFF0000, 0x000000};
  theme.edit_back_color = 0x202020;
  theme.SaveViewSettings(folders_.profile / "t.theme");
  auto pages = MakePages();
  pages->ThemePage()->List()->setCurrentRow(1);
  pages->ThemePage()->LoadSelected(true, false);
  auto preview = [&](size_t page) { return static_cast<TColorPairsPage*>(pages->Pages()[page].widget)->Preview(); };

  auto* tree = qobject_cast<QTreeWidget*>(preview(2));
  ASSERT_NE(tree, nullptr);
  QTreeWidgetItem* keyword = tree->topLevelItem(0)->child(2);
  EXPECT_EQ(keyword->text(0), QString::fromUtf8("キーワード"));
  EXPECT_EQ(keyword->foreground(0).color(), QColor(0, 0, 255));
  auto* list = qobject_cast<QListWidget*>(preview(3));
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->item(1)->text(), "Selected");
  EXPECT_EQ(list->item(1)->foreground().color(), QColor(255, 0, 0));
  EXPECT_EQ(list->item(1)->background().color(), QColor(0, 255, 0));
  EXPECT_EQ(preview(4)->palette().color(QPalette::Base), QColor(0x20, 0x20, 0x20));
}

TEST(FontDialogTest, ShowsSizesStylesAndCharsets) {
  TFontSpec font;
  font.size = 105;
  font.charset = 129;
  font.color = 0x123456;
  TFontDialog dialog(font);
  EXPECT_EQ(dialog.SizeBox()->currentText(), "10.5");
  EXPECT_EQ(dialog.CharsetBox()->currentText(), QString::fromUtf8("韓国語"));
  EXPECT_EQ(dialog.FamilyList()->currentItem()->text(), QString::fromUtf8("(デフォルト)"));
  dialog.StyleList()->setCurrentRow(7);  // 太字 斜体 下線
  dialog.SizeBox()->setCurrentText("10");
  TFontSpec chosen = dialog.Font();
  EXPECT_TRUE(chosen.bold && chosen.italic && chosen.underline);
  EXPECT_EQ(chosen.size, 100);
  EXPECT_EQ(chosen.color, 0x123456u);
  EXPECT_EQ(chosen.charset, 129);

  font.charset = 42;  // a code the list does not name
  EXPECT_EQ(TFontDialog(font).CharsetBox()->currentText(), QString::fromUtf8("デフォルト"));
}

// A 2 x 2 bitmap file.
std::string TinyBmp() {
  std::string bytes(54 + 16, '\0');
  auto put32 = [&](size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
  };
  bytes[0] = 'B';
  bytes[1] = 'M';
  put32(2, static_cast<std::uint32_t>(bytes.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, 2);
  put32(22, 2);
  bytes[26] = 1;
  bytes[28] = 24;
  return bytes;
}

TEST_F(ViewSettingsPagesTest, PictureChooserListsBothFoldersAndPreviews) {
  WriteBytes(folders_.profile_image / "a.bmp", TinyBmp());
  WriteBytes(folders_.profile_image / "b.jpe", "not decoded");
  WriteBytes(folders_.profile_image / "notes.txt", "");
  WriteBytes(folders_.shared_image / "c.JPG", "");
  TPictureChooser chooser(folders_, "b");
  QStringList names;
  for (int i = 0; i < chooser.Names()->count(); ++i) names << chooser.Names()->item(i)->text();
  EXPECT_EQ(names, QStringList({"a.bmp", "b.jpe", "c.JPG"}));
  EXPECT_EQ(chooser.Chosen(), "b.jpe");
  EXPECT_FALSE(chooser.HasPreview());
  chooser.Names()->setCurrentRow(0);
  EXPECT_TRUE(chooser.HasPreview());
  EXPECT_EQ(chooser.Chosen(), "a.bmp");
}

TEST_F(ViewSettingsPagesTest, AChosenPictureBecomesThePreviewsBackground) {
  WriteBytes(folders_.profile_image / "a.bmp", TinyBmp());
  WriteBytes(folders_.profile_image / "b.jpe", "not decoded");
  auto pages = MakePages();
  TLogSettingsPage& log = *pages->LogPage();
  ASSERT_TRUE(log.SelectItem("チャンネルログ"));
  log.SetSelectedPicture("a.bmp");
  EXPECT_EQ(pages->Working().channel_log_back.image_file, "a.bmp");
  EXPECT_FALSE(log.Preview().View(false).Look().Background(false).picture.isNull());
  EXPECT_TRUE(log.Preview().View(true).Look().Background(true).picture.isNull());
  log.SetSelectedPicture("b.jpe");
  EXPECT_TRUE(log.Preview().View(false).Look().Background(false).picture.isNull());
}

}  // namespace
}  // namespace zeph
