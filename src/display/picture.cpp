#include "display/picture.h"

#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include "display/bmp_reader.h"
#include "display/jpeg_reader.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

// A bitmap at the pixel cap, four bytes a pixel, with room for its headers:
// no picture that could decode is larger.
constexpr std::uintmax_t kMaxPictureFileBytes = kMaxPicturePixels * 4 + (1 << 20);

enum class TPictureFormat { None, Jpeg, Bmp };

TPictureFormat FormatOf(const std::filesystem::path& path) {
  std::string name = path.string();
  size_t dot = name.rfind('.');
  if (dot == std::string::npos) return TPictureFormat::None;
  std::string extension;
  for (char c : name.substr(dot + 1)) extension += AsciiLower(c);
  if (extension == "jpg" || extension == "jpeg" || extension == "jif") return TPictureFormat::Jpeg;
  if (extension == "bmp") return TPictureFormat::Bmp;
  return TPictureFormat::None;
}

}  // namespace

bool IsAcceptedPictureSize(std::uint64_t width, std::uint64_t height, std::uint64_t max_pixels) {
  return width >= 1 && height >= 1 && width <= max_pixels && height <= max_pixels && width * height <= max_pixels;
}

std::optional<TRgbPicture> LoadImageFile(const std::filesystem::path& path) {
  TPictureFormat format = FormatOf(path);
  if (format == TPictureFormat::None) return std::nullopt;
  std::error_code error;
  std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > kMaxPictureFileBytes) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return format == TPictureFormat::Jpeg ? DecodeJpeg(bytes) : DecodeBmp(bytes);
}

}  // namespace zeph
