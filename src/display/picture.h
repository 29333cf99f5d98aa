#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

// Background pictures, decoded without any drawing library: the drawing
// side wraps the pixels as they are (three bytes a pixel, no row padding).
namespace zeph {

// Larger pictures are refused: a few bytes of header must not make the
// program allocate gigabytes.
inline constexpr std::uint64_t kMaxPicturePixels = 64'000'000;

struct TRgbPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;  // rows top to bottom, each pixel red, green, blue

  // The pixel as a colour value 0x00BBGGRR.
  std::uint32_t Pixel(int x, int y) const {
    const std::uint8_t* p = &rgb[(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3];
    return p[0] | (p[1] << 8) | (static_cast<std::uint32_t>(p[2]) << 16);
  }
};

// Whether a picture of this size may be decoded: both sides at least 1 and
// at most `max_pixels` pixels in all.
bool IsAcceptedPictureSize(std::uint64_t width, std::uint64_t height, std::uint64_t max_pixels = kMaxPicturePixels);

// A picture file by the extension after the last "." of its name, in any
// case: "jpg", "jpeg" and "jif" as JPEG, "bmp" as a bitmap file; anything
// else, an unreadable file or one that does not decode gives nothing.
std::optional<TRgbPicture> LoadImageFile(const std::filesystem::path& path);

}  // namespace zeph
