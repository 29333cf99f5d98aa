#pragma once

#include <cstdint>
#include <cstdlib>
#include <optional>

#include "display/picture.h"

// A smaller pixel cap than the program's keeps each run fast: a few bytes
// of run-length data may describe a picture of any size.
inline constexpr std::uint64_t kFuzzMaxPixels = 1 << 16;

// What every decoded picture must be, whatever bytes it came from: within
// the pixel cap and whole.
inline void CheckPicture(const std::optional<zeph::TRgbPicture>& picture) {
  if (!picture) return;
  if (!zeph::IsAcceptedPictureSize(picture->width, picture->height, kFuzzMaxPixels)) abort();
  if (picture->rgb.size() != static_cast<size_t>(picture->width) * picture->height * 3) abort();
}
