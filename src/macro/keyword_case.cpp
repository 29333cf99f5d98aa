#include "macro/keyword_case.h"

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

}  // namespace zeph
