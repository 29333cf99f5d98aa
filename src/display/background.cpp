#include "display/background.h"

#include <algorithm>
#include <climits>

#include "display/view_realise.h"

namespace zeph {
namespace {

enum class TAlign { Start, Middle, End };

struct TPlace {
  TAlign horizontal;
  TAlign vertical;
};

// Codes 200..208 and 301..309 name the same places in this order.
constexpr TPlace kPlaces[] = {
    {TAlign::Middle, TAlign::Middle}, {TAlign::Start, TAlign::Middle}, {TAlign::End, TAlign::Middle},
    {TAlign::Middle, TAlign::Start},  {TAlign::Middle, TAlign::End},   {TAlign::Start, TAlign::Start},
    {TAlign::End, TAlign::Start},     {TAlign::Start, TAlign::End},    {TAlign::End, TAlign::End},
};

int Aligned(TAlign align, int area, int size) {
  switch (align) {
    case TAlign::Start: return 0;
    case TAlign::Middle: return area / 2 - size / 2;
    case TAlign::End: return area - size;
  }
  return 0;
}

int Truncated(double value) { return static_cast<int>(std::clamp(value, double{INT_MIN}, double{INT_MAX})); }

// Fitted with its proportions kept: the full height when the area is
// relatively wider than the picture, else the full width. Only the
// placement along the free direction applies.
TRect Fitted(TPlace place, int area_width, int area_height, int width, int height) {
  double picture_ratio = height > 0 ? static_cast<double>(width) / height : width;
  double area_ratio = area_height > 0 ? static_cast<double>(area_width) / area_height : area_width;
  if (area_ratio > picture_ratio) {
    int fitted = Truncated(picture_ratio * area_height);
    int x = place.horizontal == TAlign::Middle ? (area_width - fitted) / 2 : Aligned(place.horizontal, area_width, fitted);
    return {x, 0, fitted, area_height};
  }
  int fitted = picture_ratio == 0 ? 1 : Truncated(area_width / picture_ratio);
  int y = place.vertical == TAlign::Middle ? (area_height - fitted) / 2 : Aligned(place.vertical, area_height, fitted);
  return {0, y, area_width, fitted};
}

}  // namespace

TLoadedBackground LoadBackground(const TBackground& background, const TThemeFolders& folders) {
  TLoadedBackground loaded{RealisedColor(background.color), background.style, nullptr};
  if (background.image_file.empty()) return loaded;
  if (auto path = FindThemePicture(folders, background.image_file)) {
    if (auto picture = LoadImageFile(*path)) loaded.picture = std::make_shared<const TRgbPicture>(std::move(*picture));
  }
  return loaded;
}

TBackgroundPlacement PlaceBackground(int style, int area_width, int area_height, int picture_width,
                                     int picture_height) {
  const int w = picture_width, h = picture_height;
  if (w <= 0 || h <= 0) return {};
  switch (style) {
    case 100: return {false, TPictureDrawing::Tiled, {0, 0, area_width, area_height}};
    case 101: return {true, TPictureDrawing::Tiled, {0, 0, area_width, h}};
    case 102: return {true, TPictureDrawing::Tiled, {0, 0, w, area_height}};
    case 300: return {false, TPictureDrawing::Single, {0, 0, area_width, area_height}};
    default: break;
  }
  if (style >= 200 && style <= 208) {
    TPlace place = kPlaces[style - 200];
    return {true, TPictureDrawing::Single,
            {Aligned(place.horizontal, area_width, w), Aligned(place.vertical, area_height, h), w, h}};
  }
  if (style >= 301 && style <= 309)
    return {true, TPictureDrawing::Single, Fitted(kPlaces[style - 301], area_width, area_height, w, h)};
  return {};
}

}  // namespace zeph
