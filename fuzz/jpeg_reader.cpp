// Any bytes as a JPEG file named by a theme: the decoder must return (never
// end the process), refuse or decode within the pixel cap, and leave a
// whole picture.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "display/jpeg_reader.h"

using namespace zeph;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::optional<TRgbPicture> picture = DecodeJpeg(bytes);
  if (picture) {
    if (!IsAcceptedPictureSize(picture->width, picture->height)) abort();
    if (picture->rgb.size() != static_cast<size_t>(picture->width) * picture->height * 3) abort();
  }
  return 0;
}
