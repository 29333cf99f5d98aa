// Any bytes as a macro file: what is read must be written so that a second
// read gives the same items and a second write the same bytes.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "macro/macro_file.h"

using namespace zeph;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::vector<TMacroItem> items = ParseMacroFile(bytes);
  std::string written = MacroFileText(items);
  std::vector<TMacroItem> back = ParseMacroFile(written);
  if (back != items) abort();
  if (MacroFileText(back) != written) abort();
  return 0;
}
