// Any bytes as a bitmap file named by a theme: the reader must refuse or
// decode without reading or writing out of bounds, and a decoded picture
// must be whole and within the pixel cap.
#include <cstdint>
#include <string_view>

#include "display/bmp_reader.h"
#include "picture_checks.h"

using namespace zeph;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CheckPicture(DecodeBmp(bytes, kFuzzMaxPixels));
  return 0;
}
