#pragma once

#include <cstdlib>
#include <optional>

#include "display/picture.h"

// What every decoded picture must be, whatever bytes it came from: within
// the pixel cap and whole.
inline void CheckPicture(const std::optional<zeph::TRgbPicture>& picture) {
  if (!picture) return;
  if (!zeph::IsAcceptedPictureSize(picture->width, picture->height)) abort();
  if (picture->rgb.size() != static_cast<size_t>(picture->width) * picture->height * 3) abort();
}
