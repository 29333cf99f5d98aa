#include "app/startup_arguments.h"

#include "platform/sjis.h"

namespace zeph {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = AsciiUpper(c);
  return out;
}

}  // namespace

TStartupArguments ParseStartupArguments(std::string_view rest) {
  TStartupArguments result;
  for (;;) {
    size_t start = 0;
    while (start < rest.size() && IsBlank(rest[start])) ++start;
    rest.remove_prefix(start);
    size_t equals = rest.find('=');
    if (rest.empty() || equals == std::string_view::npos) break;
    std::string_view key = rest.substr(0, equals);
    rest.remove_prefix(equals + 1);
    size_t end = 0;
    while (end < rest.size() && !IsBlank(rest[end])) ++end;
    std::string_view value = rest.substr(0, end);
    rest.remove_prefix(end);
    if (value.size() >= 2 && value.front() == '"') {
      size_t close = value.find('"', 1);
      if (close != std::string_view::npos) value = value.substr(1, close - 1);
    }
    if (key.empty() && value.empty()) continue;
    std::string upper = Upper(key);
    if (upper == "USER") {
      result.user = value;
    } else if (upper == "SERVER" || upper == "PROFILE") {
      result.server_names.emplace_back(value);
    }
  }
  return result;
}

}  // namespace zeph
