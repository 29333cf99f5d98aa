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

using namespace zeph;

namespace {

struct TUnit {
  std::string bytes;
  bool single;  // a single-byte character (not a byte of a double-byte one)
};

std::vector<TUnit> Units(std::string_view text, bool by_char) {
  std::vector<TUnit> units;
  for (size_t pos = 0; pos < text.size();) {
    size_t length = SjisCharLength(text, pos);
    if (by_char || length == 1) {
      units.push_back({std::string(text.substr(pos, length)), length == 1});
    } else {
      units.push_back({std::string(1, text[pos]), false});
      units.push_back({std::string(1, text[pos + 1]), false});
    }
    pos += length;
  }
  return units;
}

enum class TKind { Star, AnyOne, Literal };
struct TElement {
  TKind kind;
  TUnit unit;
};

std::vector<TElement> Elements(std::string_view pattern, bool by_char) {
  std::vector<TUnit> units = Units(pattern, by_char);
  std::vector<TElement> elements;
  for (size_t i = 0; i < units.size(); ++i) {
    const TUnit& unit = units[i];
    if (unit.single && unit.bytes == "*") {
      elements.push_back({TKind::Star, unit});
    } else if (unit.single && unit.bytes == "?") {
      elements.push_back({TKind::AnyOne, unit});
    } else if (unit.single && unit.bytes == "\\" && i + 1 < units.size()) {
      elements.push_back({TKind::Literal, units[++i]});
    } else {
      elements.push_back({TKind::Literal, unit});
    }
  }
  return elements;
}

char Fold(char c) { return c >= 'a' && c <= '}' ? static_cast<char>(c - 0x20) : c; }

bool Same(const TUnit& p, const TUnit& t) {
  if (p.single != t.single) return false;
  return p.single ? Fold(p.bytes[0]) == Fold(t.bytes[0]) : p.bytes == t.bytes;
}

bool Reference(std::string_view pattern, std::string_view text, bool by_char) {
  std::vector<TElement> p = Elements(pattern, by_char);
  std::vector<TUnit> t = Units(text, by_char);
  // next[j]: the elements after the current one match the text from unit j on.
  std::vector<char> next(t.size() + 1, 0);
  next[t.size()] = 1;
  for (size_t i = p.size(); i-- > 0;) {
    std::vector<char> current(t.size() + 1, 0);
    for (size_t j = t.size() + 1; j-- > 0;) {
      if (p[i].kind == TKind::Star) {
        current[j] = next[j] || (j < t.size() && current[j + 1]);
      } else if (j < t.size()) {
        current[j] = next[j + 1] && (p[i].kind == TKind::AnyOne || Same(p[i].unit, t[j]));
      }
    }
    next.swap(current);
  }
  return next[0];
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
