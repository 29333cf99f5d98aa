#pragma once

// A plain table-filling matcher of the wildcard rules ("*" any run, "?" one
// position, "\" makes the next position literal), for fuzz targets to
// check the real matchers against. The caller cuts the texts into
// positions: each has its bytes and a kind, and only positions of kind 0
// (single-byte characters) are wildcards or fold their letter case.
#include <string>
#include <string_view>
#include <vector>

namespace zeph::fuzz {

struct TWildUnit {
  std::string bytes;
  int kind;  // 0 a single-byte character; other kinds compare their bytes exactly
};

inline bool SameWildUnit(const TWildUnit& p, const TWildUnit& t) {
  auto fold = [](char c) { return c >= 'a' && c <= '}' ? static_cast<char>(c - 0x20) : c; };
  if (p.kind != t.kind) return false;
  return p.kind == 0 ? fold(p.bytes[0]) == fold(t.bytes[0]) : p.bytes == t.bytes;
}

inline bool WildReference(const std::vector<TWildUnit>& pattern, const std::vector<TWildUnit>& text) {
  enum class TKind { Star, AnyOne, Literal };
  struct TElement {
    TKind kind;
    TWildUnit unit;
  };
  std::vector<TElement> p;
  for (size_t i = 0; i < pattern.size(); ++i) {
    const TWildUnit& unit = pattern[i];
    bool single = unit.kind == 0;
    if (single && unit.bytes == "*") {
      p.push_back({TKind::Star, unit});
    } else if (single && unit.bytes == "?") {
      p.push_back({TKind::AnyOne, unit});
    } else if (single && unit.bytes == "\\" && i + 1 < pattern.size()) {
      p.push_back({TKind::Literal, pattern[++i]});
    } else {
      p.push_back({TKind::Literal, unit});
    }
  }
  const std::vector<TWildUnit>& t = text;
  // next[j]: the elements after the current one match the text from unit j on.
  std::vector<char> next(t.size() + 1, 0);
  next[t.size()] = 1;
  for (size_t i = p.size(); i-- > 0;) {
    std::vector<char> current(t.size() + 1, 0);
    for (size_t j = t.size() + 1; j-- > 0;) {
      if (p[i].kind == TKind::Star) {
        current[j] = next[j] || (j < t.size() && current[j + 1]);
      } else if (j < t.size()) {
        current[j] = next[j + 1] && (p[i].kind == TKind::AnyOne || SameWildUnit(p[i].unit, t[j]));
      }
    }
    next.swap(current);
  }
  return next[0];
}

}  // namespace zeph::fuzz
