#include "display/background.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/settings_test_files.h"
#include "display/picture_fixtures.h"
#include "display/view_look.h"
#include "platform/cp932.h"
#include "platform/sjis.h"
#include "support/temp_dir.h"

namespace zeph {
namespace {

namespace fs = std::filesystem;
using D = TPictureDrawing;

struct TPlacementCase {
  const char* name;
  int style;
  int area_w, area_h, picture_w, picture_h;
  TBackgroundPlacement expected;
};

TEST(BackgroundTest, EveryStyleCodePlacesThePicture) {
  const TPlacementCase cases[] = {
      {"colour only", 0, 300, 200, 50, 40, {true, D::None, {}}},
      {"unknown code: colour only", 150, 300, 200, 50, 40, {true, D::None, {}}},
      {"no picture", 200, 300, 200, 0, 0, {true, D::None, {}}},
      {"tiled, no fill", 100, 300, 200, 50, 40, {false, D::Tiled, {0, 0, 300, 200}}},
      {"tiled along the top", 101, 300, 200, 50, 40, {true, D::Tiled, {0, 0, 300, 40}}},
      {"tiled down the left", 102, 300, 200, 50, 40, {true, D::Tiled, {0, 0, 50, 200}}},
      {"centre", 200, 301, 201, 51, 41, {true, D::Single, {150 - 25, 100 - 20, 51, 41}}},
      {"left", 201, 300, 200, 50, 40, {true, D::Single, {0, 80, 50, 40}}},
      {"right", 202, 300, 200, 50, 40, {true, D::Single, {250, 80, 50, 40}}},
      {"top", 203, 300, 200, 50, 40, {true, D::Single, {125, 0, 50, 40}}},
      {"bottom", 204, 300, 200, 50, 40, {true, D::Single, {125, 160, 50, 40}}},
      {"top left", 205, 300, 200, 50, 40, {true, D::Single, {0, 0, 50, 40}}},
      {"top right", 206, 300, 200, 50, 40, {true, D::Single, {250, 0, 50, 40}}},
      {"bottom left", 207, 300, 200, 50, 40, {true, D::Single, {0, 160, 50, 40}}},
      {"bottom right", 208, 300, 200, 50, 40, {true, D::Single, {250, 160, 50, 40}}},
      {"larger than the area, centred", 200, 100, 100, 300, 200, {true, D::Single, {-100, -50, 300, 200}}},
      {"stretched, no fill", 300, 300, 200, 50, 40, {false, D::Single, {0, 0, 300, 200}}},
      // The area (3:2) is relatively wider than a 1:1 picture: full height.
      {"fitted centre, narrow picture", 301, 300, 200, 50, 50, {true, D::Single, {50, 0, 200, 200}}},
      {"fitted left, narrow picture", 302, 300, 200, 50, 50, {true, D::Single, {0, 0, 200, 200}}},
      {"fitted right, narrow picture", 303, 300, 200, 50, 50, {true, D::Single, {100, 0, 200, 200}}},
      {"fitted bottom, narrow picture: centred", 305, 300, 200, 50, 50, {true, D::Single, {50, 0, 200, 200}}},
      // A 4:1 picture is relatively wider than the area: full width.
      {"fitted bottom, wide picture", 305, 300, 200, 80, 20, {true, D::Single, {0, 125, 300, 75}}},
      {"fitted top, wide picture", 304, 300, 200, 80, 20, {true, D::Single, {0, 0, 300, 75}}},
      {"fitted middle, wide picture", 301, 300, 200, 80, 20, {true, D::Single, {0, 62, 300, 75}}},
      {"fitted right, wide picture: only the height moves", 303, 300, 200, 80, 20,
       {true, D::Single, {0, 62, 300, 75}}},
      {"fitted bottom right, wide picture", 309, 300, 200, 80, 20, {true, D::Single, {0, 125, 300, 75}}},
      {"fitted top left, narrow picture", 306, 300, 200, 50, 50, {true, D::Single, {0, 0, 200, 200}}},
      {"fitted into an empty area", 301, 0, 0, 50, 40, {true, D::Single, {0, 0, 0, 0}}},
  };
  for (const TPlacementCase& c : cases)
    EXPECT_EQ(PlaceBackground(c.style, c.area_w, c.area_h, c.picture_w, c.picture_h), c.expected) << c.name;
}

class BackgroundPictureTest : public testing::Test {
 protected:
  BackgroundPictureTest() {
    folders_ = {dir_.Path() / "theme", dir_.Path() / "theme" / "image", dir_.Path() / "users" / "theme",
                dir_.Path() / "users" / "theme" / "image"};
    fs::create_directories(folders_.shared_image);
    fs::create_directories(folders_.profile_image);
  }

  // A one-pixel bitmap of the colour 0xRRGGBB.
  static std::string Pixel(std::uint32_t rgb) {
    std::string pixels = {static_cast<char>(rgb & 0xFF), static_cast<char>(rgb >> 8 & 0xFF),
                          static_cast<char>(rgb >> 16 & 0xFF), 0};
    return test::BmpFile({.width = 1, .height = 1, .pixels = pixels});
  }

  void Put(const fs::path& folder, const char* utf8_name, const std::string& bytes) {
    test::WriteBytes(folder / utf8_name, bytes);
  }

  // The colour of the loaded picture as 0xRRGGBB, or -1 for none.
  long long PictureColor(const std::string& sjis_name) {
    TBackground back{0x01FFEEDD, sjis_name, 205};
    TLoadedBackground loaded = LoadBackground(back, folders_);
    EXPECT_EQ(loaded.color, 0xFFEEDDu);
    EXPECT_EQ(loaded.style, 205);
    return loaded.picture ? static_cast<long long>(ColorFromRgb(loaded.picture->Pixel(0, 0))) : -1;
  }

  test::TTempDir dir_;
  TThemeFolders folders_;
};

TEST_F(BackgroundPictureTest, TheProfileImageFolderComesFirst) {
  Put(folders_.profile_image, "both.bmp", Pixel(0x112233));
  Put(folders_.shared_image, "both.bmp", Pixel(0x445566));
  Put(folders_.shared_image, "shared.bmp", Pixel(0x778899));
  EXPECT_EQ(PictureColor("both.bmp"), 0x112233);
  EXPECT_EQ(PictureColor("shared.bmp"), 0x778899);
  EXPECT_EQ(PictureColor("missing.bmp"), -1);
  EXPECT_EQ(PictureColor(""), -1);
}

TEST_F(BackgroundPictureTest, PicturesThatDoNotDecodeLeaveTheColour) {
  Put(folders_.profile_image, "broken.bmp", "BM not a picture");
  Put(folders_.profile_image, "picture.jpe", test::QuartersJpeg());
  Put(folders_.profile_image, "picture.JPG", test::QuartersJpeg());
  EXPECT_EQ(PictureColor("broken.bmp"), -1);
  EXPECT_EQ(PictureColor("picture.jpe"), -1);
  EXPECT_NE(PictureColor("picture.JPG"), -1);
}

TEST_F(BackgroundPictureTest, OnlyBareFileNamesAreLookedUp) {
  // Pictures that a name with a folder in it would reach.
  Put(dir_.Path() / "users" / "theme", "outside.bmp", Pixel(0x010101));
  fs::create_directories(folders_.profile_image / "sub");
  Put(folders_.profile_image / "sub", "inner.bmp", Pixel(0x020202));
  test::WriteBytes(folders_.profile_image / cp932::ToUtf8(Sjis("表.bmp")), Pixel(0x030303));

  for (const char* name : {"../outside.bmp", "..\\outside.bmp", "sub/inner.bmp", "sub\\inner.bmp", "..", ".",
                           "/etc/passwd.bmp"})
    EXPECT_EQ(PictureColor(name), -1) << name;
  // The second byte of 表 is the backslash byte; the name is still bare.
  EXPECT_EQ(PictureColor(Sjis("表.bmp")), 0x030303);
}

TEST_F(BackgroundPictureTest, TheViewLookHoldsBothBackgroundsAndTheRealisedSettings) {
  Put(folders_.profile_image, "channel.bmp", Pixel(0x112233));
  Put(folders_.shared_image, "console.bmp", Pixel(0x445566));
  TViewSettings settings;
  settings.channel_log_back = {0xFFFFFF, "channel.bmp", 205};
  settings.all_log_back = {0xFF000000, "console.bmp", 100};
  settings.list_font.size = -3;
  settings.tree_back_color = 0x80FFFFFF;
  settings.shadow_kind = 2;

  TViewLook look = BuildViewLook(settings, folders_, true);
  ASSERT_TRUE(look.channel_log_back.picture && look.all_log_back.picture);
  EXPECT_EQ(ColorFromRgb(look.channel_log_back.picture->Pixel(0, 0)), 0x112233u);
  EXPECT_EQ(ColorFromRgb(look.all_log_back.picture->Pixel(0, 0)), 0x445566u);
  EXPECT_EQ(look.all_log_back.color, 0u);
  EXPECT_EQ(look.all_log_back.style, 100);
  EXPECT_EQ(look.realised.list_font.size, 100);
  EXPECT_EQ(look.realised.tree_back_color, 0xFFFFFFu);
  EXPECT_EQ(look.log_style.shadow_kind, 2);
  EXPECT_TRUE(look.log_style.whole_line_keywords);
}

}  // namespace
}  // namespace zeph
