#include "protocol/numeric_text.h"

#include <climits>
#include <ctime>
#include <limits>

#include "engine/irc_text.h"
#include "platform/string_printf.h"

namespace zeph {
namespace {

constexpr int kLastFourDigitYear = 9999;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsPlainNumber(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (!IsDigit(c)) return false;
  }
  return true;
}

}  // namespace

std::string TrimRight(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return std::string(text);
}

std::vector<std::string> SplitWords(std::string_view text) {
  std::vector<std::string> words;
  for (std::string_view word = NextToken(text); !word.empty(); word = NextToken(text)) words.emplace_back(word);
  return words;
}

std::uint64_t ParseDecimal(std::string_view text) {
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
  std::uint64_t value = 0;
  for (char c : text) {
    if (!IsDigit(c)) break;
    std::uint64_t digit = static_cast<std::uint64_t>(c - '0');
    if (value > (kMax - digit) / 10) return kMax;
    value = value * 10 + digit;
  }
  return value;
}

int ParseCount(std::string_view text) {
  std::uint64_t value = ParseDecimal(text);
  return value > static_cast<std::uint64_t>(INT_MAX) ? INT_MAX : static_cast<int>(value);
}

// localtime fails for times beyond its range, and years past 9999 are no
// date a user could read; both show the number the server sent.
std::string FormatReplyTime(std::string_view seconds) {
  std::string raw(seconds);
  if (!IsPlainNumber(seconds)) return raw;
  std::uint64_t value = ParseDecimal(seconds);
  if (value > static_cast<std::uint64_t>(std::numeric_limits<std::time_t>::max())) return raw;
  std::time_t time = static_cast<std::time_t>(value);
  std::tm tm{};
  if (localtime_r(&time, &tm) == nullptr || tm.tm_year > kLastFourDigitYear - 1900) return raw;
  char buffer[32];
  size_t length = std::strftime(buffer, sizeof buffer, "%Y/%m/%d %H:%M:%S", &tm);
  return length == 0 ? raw : std::string(buffer, length);
}

std::string FormatIdleTime(std::uint64_t seconds) {
  return StringPrintf("%llu:%02llu:%02llu", static_cast<unsigned long long>(seconds / 3600),
                      static_cast<unsigned long long>(seconds / 60 % 60),
                      static_cast<unsigned long long>(seconds % 60));
}

}  // namespace zeph
