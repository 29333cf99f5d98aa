#include "protocol/ctcp_texts.h"

#include <algorithm>

#include "engine/irc_text.h"
#include "platform/string_printf.h"
#include "platform/version.h"

namespace zeph {
namespace {

constexpr const char* kWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr std::uint64_t kTickRange = std::uint64_t{1} << 32;

// The whole text as an unsigned decimal number; nothing for anything else,
// an overflow included.
std::optional<std::uint64_t> DecimalNumber(std::string_view text) {
  if (text.empty() || text.size() > 20) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    std::uint64_t digit = static_cast<std::uint64_t>(c - '0');
    if (value > (UINT64_MAX - digit) / 10) return std::nullopt;
    value = value * 10 + digit;
  }
  return value;
}

}  // namespace

std::string CtcpVersionText(std::string_view system_name) {
  return StringPrintf("%s %d.%02d (%s)", kProductName, kVersionMajor, kVersionMinor,
                      std::string(system_name).c_str());
}

std::string CtcpTimeText(const std::tm& local) {
  int weekday = std::clamp(local.tm_wday, 0, 6);
  int month = std::clamp(local.tm_mon, 0, 11);
  return StringPrintf("%s %s %2d %02d:%02d:%02d %d", kWeekdays[weekday], kMonths[month], local.tm_mday,
                      local.tm_hour, local.tm_min, local.tm_sec, local.tm_year + 1900);
}

std::string CtcpPingQueryText(std::int64_t now_ms) { return "PING " + std::to_string(now_ms); }

std::optional<std::string> CtcpPingRoundTrip(std::string_view argument, std::int64_t now_ms) {
  std::string stamp_text = StripColon(argument);
  while (!stamp_text.empty() && stamp_text.back() == ' ') stamp_text.pop_back();
  std::optional<std::uint64_t> stamp = DecimalNumber(stamp_text);
  std::uint64_t now = static_cast<std::uint64_t>(std::max<std::int64_t>(now_ms, 0));
  // Our ticks never run ahead of now, and neither does their low half.
  if (!stamp || *stamp > now) return std::nullopt;
  std::uint64_t elapsed = (now - *stamp) % kTickRange;
  return StringPrintf("%llu.%02llu sec", static_cast<unsigned long long>(elapsed / 1000),
                      static_cast<unsigned long long>(elapsed % 1000 / 10));
}

}  // namespace zeph
