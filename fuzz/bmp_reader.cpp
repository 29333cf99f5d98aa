// Any bytes as a bitmap file named by a theme: the reader must refuse or
// decode without reading or writing out of bounds, and a decoded picture
// must be whole and within the pixel cap.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "display/bmp_reader.h"

using namespace zeph;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::optional<TRgbPicture> picture = DecodeBmp(bytes);
  if (picture) {
    if (!IsAcceptedPictureSize(picture->width, picture->height)) abort();
    if (picture->rgb.size() != static_cast<size_t>(picture->width) * picture->height * 3) abort();
  }
  return 0;
}
