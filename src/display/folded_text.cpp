#include "display/folded_text.h"

#include "platform/sjis.h"

namespace zeph {

void MarkCharacterStarts(std::string_view text, std::vector<std::uint8_t>& starts) {
  starts.assign(text.size() + 1, 0);
  for (size_t pos = 0; pos < text.size(); pos += SjisCharLength(text, pos)) starts[pos] = 1;
  starts[text.size()] = 1;
}

}  // namespace zeph
