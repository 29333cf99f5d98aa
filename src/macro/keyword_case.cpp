#include "macro/keyword_case.h"

#include "display/folded_text.h"
#include "platform/sjis.h"

namespace zeph {

bool StartsWithKeyword(std::string_view text, std::string_view keyword) {
  if (text.size() < keyword.size()) return false;
  for (size_t i = 0; i < keyword.size(); ++i) {
    if (AsciiLower(text[i]) != AsciiLower(keyword[i])) return false;
  }
  return true;
}

bool EqualsKeyword(std::string_view text, std::string_view keyword) {
  return text.size() == keyword.size() && StartsWithKeyword(text, keyword);
}

std::string LowerText(std::string_view text) {
  std::string lower(text);
  for (size_t pos = 0; pos < lower.size();) {
    size_t length = SjisCharLength(lower, pos);
    if (length == 1) lower[pos] = AsciiLower(lower[pos]);
    pos += length;
  }
  return lower;
}

std::string UpperText(std::string_view text) {
  std::string upper;
  FoldAsciiUpper(text, upper);
  return upper;
}

}  // namespace zeph
