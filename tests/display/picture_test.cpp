#include "display/picture.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "support/settings_test_files.h"
#include "display/bmp_reader.h"
#include "display/jpeg_reader.h"
#include "display/palette.h"
#include "display/picture_fixtures.h"
#include "support/temp_dir.h"

namespace zeph {
namespace {

using test::BmpFile;
using test::TBmpSpec;

// Pixel bytes as a bitmap stores them: blue, green, red.
std::string Bgr(std::initializer_list<std::uint32_t> colors) {
  std::string bytes;
  for (std::uint32_t rgb : colors) {
    bytes.push_back(static_cast<char>(rgb & 0xFF));
    bytes.push_back(static_cast<char>((rgb >> 8) & 0xFF));
    bytes.push_back(static_cast<char>((rgb >> 16) & 0xFF));
  }
  return bytes;
}

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int v : values) bytes.push_back(static_cast<char>(v));
  return bytes;
}

std::string Padded(std::string row) {
  row.resize((row.size() + 3) / 4 * 4, '\0');
  return row;
}

// The picture's pixels, top row first, as 0xRRGGBB.
std::vector<std::uint32_t> Pixels(const TRgbPicture& picture) {
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) pixels.push_back(ColorFromRgb(picture.Pixel(x, y)));
  return pixels;
}

constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF, kBlack = 0;

struct TBmpCase {
  const char* name;
  TBmpSpec spec;
  int width, height;
  std::vector<std::uint32_t> pixels;  // top row first
};

std::vector<TBmpCase> ValidBitmaps() {
  std::vector<std::uint32_t> palette256(256, 0);
  palette256[7] = 0x123456;
  palette256[200] = 0xABCDEF;
  return {
      {"24 bits, bottom row first",
       {.width = 2, .height = 2, .pixels = Padded(Bgr({kBlue, kWhite})) + Padded(Bgr({kRed, kGreen}))},
       2, 2, {kRed, kGreen, kBlue, kWhite}},
      {"24 bits, top row first",
       {.width = 2, .height = -2, .pixels = Padded(Bgr({kRed, kGreen})) + Padded(Bgr({kBlue, kWhite}))},
       2, 2, {kRed, kGreen, kBlue, kWhite}},
      {"1 bit across a byte boundary",
       {.width = 9, .bits = 1, .palette = {kBlack, kWhite}, .pixels = Bytes({0xAA, 0x80, 0, 0})},
       9, 1, {kWhite, kBlack, kWhite, kBlack, kWhite, kBlack, kWhite, kBlack, kWhite}},
      {"4 bits with a short colour table: index 5 is black",
       {.width = 4, .bits = 4, .colors_used = 3, .palette = {kRed, kGreen, kBlue}, .pixels = Bytes({0x01, 0x25, 0, 0})},
       4, 1, {kRed, kGreen, kBlue, kBlack}},
      {"8 bits with the 12-byte header",
       {.header_size = 12, .width = 2, .bits = 8, .palette = palette256, .pixels = Bytes({7, 200, 0, 0})},
       2, 1, {0x123456, 0xABCDEF}},
      {"16 bits, 5-5-5 by default",
       {.width = 4, .bits = 16, .pixels = Bytes({0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0x10, 0x42})},
       4, 1, {kRed, kGreen, kBlue, 0x838383}},
      {"16 bits, 5-6-5 bit fields",
       {.width = 2, .bits = 16, .compression = 3, .masks = {0xF800, 0x07E0, 0x001F},
        .pixels = Bytes({0x00, 0xF8, 0x10, 0x04})},
       2, 1, {kRed, 0x008183}},
      {"32 bits: the fourth byte is no alpha",
       {.width = 2, .bits = 32, .pixels = Bytes({0x10, 0x20, 0x30, 0x00, 0x40, 0x50, 0x60, 0x80})},
       2, 1, {0x302010, 0x605040}},
      {"32 bits, bit fields inside a 124-byte header",
       {.header_size = 124, .width = 1, .height = -1, .bits = 32, .compression = 3,
        .masks = {0x000000FF, 0x0000FF00, 0x00FF0000}, .pixels = Bytes({0x11, 0x22, 0x33, 0x44})},
       1, 1, {0x112233}},
      {"8-bit runs: run, end of row, literals, move, end of picture",
       {.width = 4, .height = 3, .bits = 8, .compression = 1, .colors_used = 4, .palette = {kBlack, kRed, kGreen, kBlue},
        .pixels = Bytes({4, 1, 0, 0,                  // bottom row red
                         0, 3, 2, 3, 2, 0, 1, 1, 0, 0,  // green blue green (padded), red
                         0, 2, 2, 0, 2, 3,              // two pixels right, two blue
                         0, 1})},
       4, 3, {kBlack, kBlack, kBlue, kBlue, kGreen, kBlue, kGreen, kRed, kRed, kRed, kRed, kRed}},
      {"4-bit runs: alternating run and literal nibbles",
       {.width = 4, .height = 2, .bits = 4, .compression = 2, .colors_used = 3, .palette = {kBlack, kRed, kGreen},
        .pixels = Bytes({4, 0x12, 0, 0, 0, 3, 0x21, 0x20, 1, 0x10, 0, 1})},
       4, 2, {kGreen, kRed, kGreen, kRed, kRed, kGreen, kRed, kGreen}},
  };
}

TEST(PictureTest, BitmapsDecodeToTheirPixels) {
  for (const TBmpCase& c : ValidBitmaps()) {
    std::optional<TRgbPicture> picture = DecodeBmp(BmpFile(c.spec));
    ASSERT_TRUE(picture) << c.name;
    EXPECT_EQ(picture->width, c.width) << c.name;
    EXPECT_EQ(picture->height, c.height) << c.name;
    EXPECT_EQ(Pixels(*picture), c.pixels) << c.name;
  }
}

TEST(PictureTest, HostileBitmapsLoadNothing) {
  const TBmpSpec rgb{.width = 4, .height = 4, .pixels = std::string(48, '\x7F')};
  const TBmpSpec rle{.width = 4, .height = 2, .bits = 8, .compression = 1, .colors_used = 2, .palette = {kRed, kGreen}};
  auto with = [](TBmpSpec spec, auto change) {
    change(spec);
    return BmpFile(spec);
  };
  struct TCase {
    const char* name;
    std::string file;
  };
  const std::string whole = BmpFile(rgb);
  const TCase cases[] = {
      {"empty", ""},
      {"signature only", "BM"},
      {"header cut short", whole.substr(0, 30)},
      {"pixels cut short", whole.substr(0, whole.size() - 1)},
      {"huge dimensions", with(rgb, [](TBmpSpec& s) { s.width = 100000, s.height = 100000; })},
      {"width times bits beyond any size", with(rgb, [](TBmpSpec& s) { s.width = INT_MAX, s.height = 1, s.bits = 32; })},
      {"height INT_MIN", with(rgb, [](TBmpSpec& s) { s.height = INT_MIN; })},
      {"height 0", with(rgb, [](TBmpSpec& s) { s.height = 0; })},
      {"width 0", with(rgb, [](TBmpSpec& s) { s.width = 0; })},
      {"negative width", with(rgb, [](TBmpSpec& s) { s.width = -4; })},
      {"2 bits a pixel", with(rgb, [](TBmpSpec& s) { s.bits = 2, s.palette = {0, 0, 0, 0}; })},
      {"unknown header size", with(rgb, [](TBmpSpec& s) { s.header_size = 64; })},
      {"unknown compression", with(rgb, [](TBmpSpec& s) { s.compression = 4; })},
      {"bit fields on 24 bits", with(rgb, [](TBmpSpec& s) { s.compression = 3, s.masks = {0xFF0000, 0xFF00, 0xFF}; })},
      {"zero bit mask", with(rgb, [](TBmpSpec& s) { s.bits = 32, s.compression = 3, s.masks = {0xFF0000, 0, 0xFF}; })},
      {"mask beyond 16 bits", with(rgb, [](TBmpSpec& s) { s.bits = 16, s.compression = 3, s.masks = {0x10000, 0xF0, 0xF}; })},
      {"colour table larger than 2^bits",
       with(rgb, [](TBmpSpec& s) { s.bits = 1, s.colors_used = 3, s.palette = {0, 0, 0}; })},
      {"256-entry table on 8 bits counted 257",
       with(rgb, [](TBmpSpec& s) { s.bits = 8, s.colors_used = 257, s.palette = std::vector<std::uint32_t>(257, 0); })},
      {"pixel offset inside the header", with(rgb, [](TBmpSpec& s) { s.pixel_offset = 20; })},
      {"pixel offset inside the colour table",
       with(rgb, [](TBmpSpec& s) { s.bits = 8, s.palette = std::vector<std::uint32_t>(256, 0), s.pixel_offset = 60; })},
      {"pixel offset past the end", with(rgb, [](TBmpSpec& s) { s.pixel_offset = 1000000; })},
      {"run past the row", with(rle, [](TBmpSpec& s) { s.pixels = Bytes({5, 1, 0, 1}); })},
      {"literals past the row", with(rle, [](TBmpSpec& s) { s.pixels = Bytes({2, 1, 0, 3, 1, 1, 1, 0, 0, 1}); })},
      {"move past the row", with(rle, [](TBmpSpec& s) { s.pixels = Bytes({0, 2, 5, 0, 0, 1}); })},
      {"move past the picture", with(rle, [](TBmpSpec& s) { s.pixels = Bytes({0, 2, 0, 3, 0, 1}); })},
      {"run past the last row", with(rle, [](TBmpSpec& s) { s.pixels = Bytes({4, 1, 0, 0, 4, 1, 0, 0, 1, 1, 0, 1}); })},
      {"runs cut short", with(rle, [](TBmpSpec& s) { s.pixels = Bytes({4, 1, 0, 0, 2}); })},
      {"literals cut short", with(rle, [](TBmpSpec& s) { s.pixels = Bytes({0, 4, 1, 1}); })},
      {"4-bit run past the row",
       with(rle, [](TBmpSpec& s) { s.bits = 4, s.compression = 2, s.pixels = Bytes({5, 0x11, 0, 1}); })},
      {"top-down runs", with(rle, [](TBmpSpec& s) { s.height = -2, s.pixels = Bytes({0, 1}); })},
      {"runs on 24 bits", with(rle, [](TBmpSpec& s) { s.bits = 24, s.palette.clear(), s.pixels = Bytes({0, 1}); })},
  };
  for (const TCase& c : cases) EXPECT_FALSE(DecodeBmp(c.file)) << c.name;
}

TEST(PictureTest, PicturesUpToTheCapAreAcceptedAndLargerOnesRefused) {
  EXPECT_TRUE(IsAcceptedPictureSize(8000, 8000));
  EXPECT_FALSE(IsAcceptedPictureSize(8001, 8000));
  EXPECT_FALSE(IsAcceptedPictureSize(kMaxPicturePixels + 1, 1));
  EXPECT_FALSE(IsAcceptedPictureSize(std::uint64_t{1} << 32, std::uint64_t{1} << 32));  // the product wraps
  EXPECT_FALSE(IsAcceptedPictureSize(0, 5));
  // A run-length picture needs no data for its size: the cap alone stops it.
  EXPECT_FALSE(DecodeBmp(BmpFile({.width = 8001, .height = 8000, .bits = 8, .compression = 1, .pixels = Bytes({0, 1})})));

  // Both decoders check the size before they decode.
  const std::string bmp = BmpFile({.width = 4, .height = 4, .pixels = std::string(48, '\0')});
  EXPECT_TRUE(DecodeBmp(bmp, 16));
  EXPECT_FALSE(DecodeBmp(bmp, 15));
  const std::string jpeg = test::QuartersJpeg();
  EXPECT_TRUE(DecodeJpeg(jpeg, 256));
  EXPECT_FALSE(DecodeJpeg(jpeg, 255));
}

void ExpectNear(std::uint32_t actual, std::uint32_t expected, int tolerance, const char* what) {
  for (int shift : {0, 8, 16}) {
    int a = static_cast<int>((actual >> shift) & 0xFF), e = static_cast<int>((expected >> shift) & 0xFF);
    EXPECT_LE(std::abs(a - e), tolerance) << what << std::hex << ": " << actual << " against " << expected;
  }
}

TEST(PictureTest, JpegsDecodeToTheirColours) {
  for (bool progressive : {false, true}) {
    std::optional<TRgbPicture> picture = DecodeJpeg(test::QuartersJpeg(progressive));
    ASSERT_TRUE(picture);
    ASSERT_EQ(picture->width, 16);
    ASSERT_EQ(picture->height, 16);
    for (int at : {0, 4, 7}) {
      ExpectNear(ColorFromRgb(picture->Pixel(at, at)), kRed, 4, "top left");
      ExpectNear(ColorFromRgb(picture->Pixel(8 + at, at)), kGreen, 4, "top right");
      ExpectNear(ColorFromRgb(picture->Pixel(at, 8 + at)), kBlue, 4, "bottom left");
      ExpectNear(ColorFromRgb(picture->Pixel(8 + at, 8 + at)), kWhite, 4, "bottom right");
    }
  }

  std::optional<TRgbPicture> grey = DecodeJpeg(test::JpegFile(8, 8, JCS_GRAYSCALE, std::vector<std::uint8_t>(64, 77)));
  ASSERT_TRUE(grey);
  ExpectNear(ColorFromRgb(grey->Pixel(3, 3)), 0x4D4D4D, 1, "grey");

  std::vector<std::uint8_t> cmyk;
  for (int i = 0; i < 64; ++i) cmyk.insert(cmyk.end(), {200, 100, 50, 128});
  std::optional<TRgbPicture> print = DecodeJpeg(test::JpegFile(8, 8, JCS_CMYK, cmyk));
  ASSERT_TRUE(print);
  // Each of the first three channels times the fourth over 255.
  ExpectNear(ColorFromRgb(print->Pixel(3, 3)), 0x643219, 2, "cmyk");
}

TEST(PictureTest, JpegsCutIntoTooManyScansAreRefused) {
  EXPECT_TRUE(DecodeJpeg(test::ScanByScanJpeg(1)));   // 127 scans
  EXPECT_FALSE(DecodeJpeg(test::ScanByScanJpeg(3)));  // 379 scans
}

TEST(PictureTest, JpegWithoutItsEndMarkerStillShowsEveryRow) {
  std::string file = test::QuartersJpeg();
  ASSERT_EQ(file.substr(file.size() - 2), "\xFF\xD9");
  std::optional<TRgbPicture> picture = DecodeJpeg(file.substr(0, file.size() - 2));
  ASSERT_TRUE(picture);
  ExpectNear(ColorFromRgb(picture->Pixel(15, 15)), kWhite, 4, "last pixel");
}

// The frame header's size fields changed in place.
std::string WithSize(std::string file, int width, int height) {
  size_t sof = file.find("\xFF\xC0");
  if (sof == std::string::npos) sof = file.find("\xFF\xC2");
  file[sof + 5] = static_cast<char>(height >> 8), file[sof + 6] = static_cast<char>(height & 0xFF);
  file[sof + 7] = static_cast<char>(width >> 8), file[sof + 8] = static_cast<char>(width & 0xFF);
  return file;
}

TEST(PictureTest, HostileJpegsLoadNothing) {
  const std::string good = test::QuartersJpeg();
  const std::string progressive = test::QuartersJpeg(true);
  std::mt19937 random(15);
  std::string noise(2000, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  struct TCase {
    const char* name;
    std::string file;
  };
  const TCase cases[] = {
      {"empty", ""},
      {"start marker only", "\xFF\xD8"},
      {"noise", noise},
      {"noise after a start marker", "\xFF\xD8" + noise},
      {"cut in the middle", good.substr(0, good.size() / 2)},
      {"cut just before the last rows", good.substr(0, good.size() - 20)},
      {"progressive cut in the middle", progressive.substr(0, progressive.size() / 2)},
      {"over the pixel cap", WithSize(good, 10000, 10000)},
      {"width 0", WithSize(good, 0, 16)},
      {"larger than its data", WithSize(good, 4000, 4000)},
  };
  for (const TCase& c : cases) EXPECT_FALSE(DecodeJpeg(c.file)) << c.name;
}

TEST(PictureTest, LoadImageFileGoesByTheExtension) {
  test::TTempDir dir;
  const std::string jpeg = test::QuartersJpeg();
  const std::string bmp = BmpFile({.width = 1, .pixels = Padded(Bgr({kRed}))});
  struct TCase {
    const char* name;
    const std::string& bytes;
    bool loads;
  };
  const TCase cases[] = {
      {"a.jpg", jpeg, true},  {"b.JPG", jpeg, true},  {"c.jpeg", jpeg, true}, {"d.Jif", jpeg, true},
      {"e.bmp", bmp, true},   {"f.BMP", bmp, true},   {"g.jpe", jpeg, false}, {"h.png", jpeg, false},
      {"noextension", bmp, false}, {"i.bmp", jpeg, false}, {"j.jpg", bmp, false},
  };
  for (const TCase& c : cases) {
    test::WriteBytes(dir.Path() / c.name, c.bytes);
    EXPECT_EQ(LoadImageFile(dir.Path() / c.name).has_value(), c.loads) << c.name;
  }
  EXPECT_FALSE(LoadImageFile(dir.Path() / "missing.bmp"));
  std::filesystem::create_directory(dir.Path() / "folder.bmp");
  EXPECT_FALSE(LoadImageFile(dir.Path() / "folder.bmp"));
}

}  // namespace
}  // namespace zeph
