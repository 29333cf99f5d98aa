#pragma once

#include <cstdint>
#include <memory>

#include "display/picture.h"
#include "display/theme_files.h"
#include "display/view_settings.h"

// Log backgrounds: a colour and an optional picture placed by a style code
// (BackStyle). The picture stays put while the text scrolls.
//
//   0 colour only; 100 tiled; 101 tiled along the top; 102 tiled down the
//   left; 200..208 one copy at its own size: centre, left, right, top,
//   bottom, top left, top right, bottom left, bottom right; 300 stretched
//   over the whole area; 301..309 fitted (proportions kept) in the same
//   nine places. Any other code draws the colour only.
namespace zeph {

// A background ready to draw: the colour realised and the picture decoded
// (once, when the settings are applied; never while painting).
struct TLoadedBackground {
  std::uint32_t color = 0xFFFFFF;
  int style = 0;
  std::shared_ptr<const TRgbPicture> picture;  // null for none
};

// The picture is the background's bare file name in the profile image
// folder, else in the shared one; one that is missing or does not decode
// leaves the colour alone.
TLoadedBackground LoadBackground(const TBackground& background, const TThemeFolders& folders);

struct TRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  bool operator==(const TRect&) const = default;
};

enum class TPictureDrawing {
  None,    // no picture
  Tiled,   // copies at their own size from the rectangle's top left, repeated across and down it
  Single,  // one copy drawn into the rectangle, stretched when its size is not the picture's
};

// How to paint a background over an area of `area_width` × `area_height`
// with a picture of `picture_width` × `picture_height` (0 × 0 for none).
// Positions are relative to the area's top left.
struct TBackgroundPlacement {
  bool fill = true;  // fill the area with the colour first
  TPictureDrawing drawing = TPictureDrawing::None;
  TRect rect;

  bool operator==(const TBackgroundPlacement&) const = default;
};

TBackgroundPlacement PlaceBackground(int style, int area_width, int area_height, int picture_width,
                                     int picture_height);

}  // namespace zeph
