// Any bytes as a JPEG file named by a theme: the decoder must return (never
// end the process), refuse or decode within the pixel cap, and leave a
// whole picture.
#include <cstdint>
#include <string_view>

#include "display/jpeg_reader.h"
#include "picture_checks.h"

using namespace zeph;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CheckPicture(DecodeJpeg(bytes, kFuzzMaxPixels));
  return 0;
}
