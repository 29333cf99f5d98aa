// Received message text through the decoration decoder and the log-file
// stripper. Both must agree on what is text, cover the text with ordered
// decoration spans, and never leave a control byte of their own in the text.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "display/decorated_text.h"

using namespace zeph;

namespace {

std::string ExpandTabs(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\t')
      out += "    ";
    else
      out += c;
  }
  return out;
}

bool HasDecorationCode(std::string_view text) {
  return text.find_first_of("\x02\x03\x0f\x16\x1f") != std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::string stripped = StripControlCodes(text);
  if (HasDecorationCode(stripped) || StripControlCodes(stripped) != stripped) abort();

  TDecodedText decoded;
  DecodeDecoratedText(text, decoded);
  if (decoded.text != stripped || decoded.spans.empty() != decoded.text.empty()) abort();
  for (size_t i = 0; i < decoded.spans.size(); ++i) {
    const TDecoration& d = decoded.spans[i].decoration;
    if ((!d.has_fore && d.fore != 0) || (!d.has_back && d.back != 0)) abort();
    bool ordered = i == 0 ? decoded.spans[i].start == 0
                          : decoded.spans[i].start > decoded.spans[i - 1].start &&
                                decoded.spans[i].start < decoded.text.size() &&
                                !(decoded.spans[i - 1].decoration == d);
    if (!ordered) abort();
  }

  DecodeDecoratedText(text, decoded, TTabs::ExpandToFourSpaces);
  if (decoded.text != ExpandTabs(stripped) || decoded.spans.empty() != decoded.text.empty()) abort();
  return 0;
}
