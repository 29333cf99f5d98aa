// Masks come from settings files and the texts they are matched against
// from the network. Both matchers must agree with a plain table-filling
// reference of the same rules, and an escaped text must match itself.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "engine/channel_name.h"
#include "platform/sjis.h"
#include "wild_reference.h"

using namespace zeph;

namespace {

// Positions of WildMatch (bytes; both bytes of a double-byte character of
// one kind) or of WildMatchMultibyte (whole characters).
std::vector<fuzz::TWildUnit> Units(std::string_view text, bool by_char) {
  std::vector<fuzz::TWildUnit> units;
  for (size_t pos = 0; pos < text.size();) {
    size_t length = SjisCharLength(text, pos);
    if (by_char || length == 1) {
      units.push_back({std::string(text.substr(pos, length)), length == 1 ? 0 : 1});
    } else {
      units.push_back({std::string(1, text[pos]), 1});
      units.push_back({std::string(1, text[pos + 1]), 1});
    }
    pos += length;
  }
  return units;
}

bool Reference(std::string_view pattern, std::string_view text, bool by_char) {
  return fuzz::WildReference(Units(pattern, by_char), Units(text, by_char));
}

// A pattern that matches exactly the text. A lone lead byte becomes "?":
// written literally, the "\" after it would join it into a character.
std::string EscapeAll(std::string_view text) {
  std::string escaped;
  for (size_t pos = 0; pos < text.size();) {
    size_t length = SjisCharLength(text, pos);
    if (length == 1 && IsSjisLead(static_cast<unsigned char>(text[pos]))) {
      escaped += '?';
    } else {
      if (length == 1) escaped += '\\';
      escaped += text.substr(pos, length);
    }
    pos += length;
  }
  return escaped;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > 2048) return 0;
  std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  size_t split = data[0] % (input.size() + 1);
  std::string_view pattern = input.substr(0, split);
  std::string_view text = input.substr(split);

  if (WildMatch(pattern, text) != Reference(pattern, text, false)) abort();
  if (WildMatchMultibyte(pattern, text) != Reference(pattern, text, true)) abort();
  std::string escaped = EscapeAll(text);
  if (!WildMatch(escaped, text) || !WildMatchMultibyte(escaped, text)) abort();
  if (!WildMatch("*", text) || !WildMatchMultibyte("*", text)) abort();
  return 0;
}
