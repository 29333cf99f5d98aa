// The user's decoration tags through the converter that runs before every
// sent message. Converting never lengthens a text, and every colour tag the
// program builds converts to the colours it names.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "display/decorated_text.h"
#include "display/decoration_tags.h"

using namespace zeph;

namespace {

void CheckColorTag(int fore, int back) {
  TDecodedText decoded;
  DecodeDecoratedText(TagsToControlCodes(MakeColorTag(fore, back)) + "x", decoded);
  if (decoded.text != "x" || decoded.spans.size() != 1) abort();
  const TDecoration& d = decoded.spans[0].decoration;
  bool has_fore = fore >= 0 && fore < 16;
  if (d.has_fore != has_fore || (has_fore && d.fore != fore)) abort();
  bool has_back = has_fore && back >= 0 && back < 16;
  if (d.has_back != has_back || (has_back && d.back != back)) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::string converted = TagsToControlCodes(text);
  if (converted.size() > text.size()) abort();
  if (size >= 2) CheckColorTag(static_cast<int8_t>(data[0]) % 20, static_cast<int8_t>(data[1]) % 20);
  return 0;
}
