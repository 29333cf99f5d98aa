#pragma once

#include <cstdio>
#include <string>

namespace zeph {

// snprintf into a std::string. The format is always the program's own
// text (never peer text); values are only ever arguments.
template <typename... Args>
std::string StringPrintf(const std::string& format, Args... args) {
  int size = std::snprintf(nullptr, 0, format.c_str(), args...);
  if (size <= 0) return {};
  std::string out(static_cast<size_t>(size) + 1, '\0');
  std::snprintf(out.data(), out.size(), format.c_str(), args...);
  out.resize(static_cast<size_t>(size));
  return out;
}

}  // namespace zeph
