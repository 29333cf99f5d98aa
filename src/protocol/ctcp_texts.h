#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

// The texts of our CTCP answers, and the round trip our PING query measures.
namespace zeph {

// The queries we answer, as CLIENTINFO lists them.
inline constexpr std::string_view kCtcpClientInfo = "DCC VERSION CLIENTINFO USERINFO PING TIME";

// "Zephlora 2.18 (Linux)": the product, its version and the system it runs on.
std::string CtcpVersionText(std::string_view system_name);

// "Wed Mar  5 21:05:09 2008": English names whatever the locale, the day of
// the month padded with a blank, no line end.
std::string CtcpTimeText(const std::tm& local);

// The text of our PING query: the millisecond tick it leaves at.
std::string CtcpPingQueryText(std::int64_t now_ms);

// The round trip a PING reply tells, "1.23 sec", from the stamp it carries
// back (one leading ":" allowed). Ticks are compared modulo 2^32, so a stamp
// survives a peer that keeps only 32 bits of it. Nothing when the argument is
// no stamp we could have sent: not a decimal number, or later than now.
std::optional<std::string> CtcpPingRoundTrip(std::string_view argument, std::int64_t now_ms);

}  // namespace zeph
