#include "display/address_pattern.h"

#include <array>
#include <string_view>

namespace zeph {
namespace {

// The top-level names an address may end with, in the order the alternation
// tries them.
constexpr std::array<std::string_view, 262> kTopLevelNames = {
    "com", "net", "org", "edu", "gov", "mil", "int", "biz", "pro", "info", "coop", "name", "aero",
    "museum", "ac", "ad", "ae", "af", "ag", "ai", "al", "am", "an", "ao", "aq", "ar", "as", "at",
    "au", "aw", "az", "ba", "bb", "bd", "be", "bf", "bg", "bh", "bi", "bj", "bm", "bn", "bo", "br",
    "bs", "bt", "bv", "bw", "by", "bz", "ca", "cc", "cd", "cf", "cg", "ch", "ci", "ck", "cl", "cm",
    "cn", "co", "cr", "cs", "cu", "cv", "cx", "cy", "cz", "de", "dj", "dk", "dm", "do", "dz", "ec",
    "ee", "eg", "eh", "er", "es", "et", "fi", "fj", "fk", "fm", "fo", "fr", "fx", "ga", "gb", "gd",
    "ge", "gf", "gg", "gh", "gi", "gl", "gm", "gn", "gp", "gq", "gr", "gs", "gt", "gu", "gw", "gy",
    "hk", "hm", "hn", "hr", "ht", "hu", "id", "ie", "il", "im", "in", "io", "iq", "ir", "is", "it",
    "je", "jm", "jo", "jp", "ke", "kg", "kh", "ki", "km", "kn", "kp", "kr", "kw", "ky", "kz", "la",
    "lb", "lc", "li", "lk", "lr", "ls", "lt", "lu", "lv", "ly", "ma", "mc", "md", "mg", "mh", "mk",
    "ml", "mm", "mn", "mo", "mp", "mq", "mr", "ms", "mt", "mu", "mv", "mw", "mx", "my", "mz", "na",
    "ne", "nf", "ng", "ni", "nl", "no", "np", "nr", "nt", "nu", "nz", "om", "pa", "pe", "pf", "pg",
    "ph", "pk", "pl", "pm", "pn", "pr", "ps", "pt", "pw", "py", "qa", "re", "ro", "ru", "rw", "sa",
    "sb", "sc", "sd", "se", "sg", "sh", "si", "sj", "sk", "sl", "sm", "sn", "so", "sr", "st", "su",
    "sv", "sy", "sz", "tc", "td", "tf", "tg", "th", "tj", "tk", "tm", "tn", "to", "tp", "tr", "tt",
    "tv", "tw", "tz", "ua", "ug", "uk", "um", "us", "uy", "uz", "va", "vc", "ve", "vg", "vi", "vn",
    "wf", "wg", "ws", "ye", "yt", "yu", "za", "zm", "zr", "zw",
};

std::string BuildAddressPattern() {
  std::string pattern = R"re((([a-zA-Z0-9]([a-zA-Z0-9\-]*[a-zA-Z0-9])?\.)([a-zA-Z0-9]([a-zA-Z0-9\-]*[a-zA-Z0-9])?\.)+()re";
  for (size_t i = 0; i < kTopLevelNames.size(); ++i) {
    if (i > 0) pattern += '|';
    pattern += kTopLevelNames[i];
  }
  pattern += R"re())|(([0-9]{1,3}\.){3}[0-9]{1,3}))re";
  return pattern;
}

}  // namespace

const std::string& AddressPattern() {
  static const std::string pattern = BuildAddressPattern();
  return pattern;
}

}  // namespace zeph
