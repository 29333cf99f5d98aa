#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "display/picture.h"

namespace zeph {

// A JPEG file: grey-scale, colour and CMYK pictures. A decoding error, data
// that ends before the last row, or a picture larger than `max_pixels`
// gives nothing.
std::optional<TRgbPicture> DecodeJpeg(std::string_view bytes, std::uint64_t max_pixels = kMaxPicturePixels);

}  // namespace zeph
