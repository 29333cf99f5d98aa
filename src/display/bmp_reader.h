#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "display/picture.h"

namespace zeph {

// A bitmap file (signature "BM"): 1, 4, 8, 16, 24 and 32 bits a pixel,
// uncompressed, run-length coded (4 and 8 bits) or with bit masks (16 and
// 32 bits), bottom-up or top-down (uncompressed and masked only). Alpha is
// ignored: the picture is opaque. Anything damaged, truncated or larger
// than `max_pixels` gives nothing.
std::optional<TRgbPicture> DecodeBmp(std::string_view bytes, std::uint64_t max_pixels = kMaxPicturePixels);

}  // namespace zeph
