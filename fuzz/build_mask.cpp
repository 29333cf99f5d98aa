// The mask proposed for a user whose nick, user name and host came from the
// server. The first byte picks the mask options; the rest holds nick, user
// and host, separated by LF. Whatever the options, the mask must match the
// user it was made for (texts of single-byte characters; the byte-wise
// wildcard match reads the second byte of a double-byte character alone).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/channel_name.h"
#include "engine/mask.h"

using namespace zeph;

namespace {

std::string_view NextField(std::string_view* rest) {
  size_t end = rest->find('\n');
  std::string_view field = rest->substr(0, end);
  rest->remove_prefix(end == std::string_view::npos ? rest->size() : end + 1);
  return field;
}

bool SingleByte(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  TMaskOptions options;
  options.AutoMask = (data[0] & 1) != 0;
  options.MaskWholeNick = (data[0] & 2) != 0;
  options.MaskWholeUsername = (data[0] & 4) != 0;
  options.MaskAllAddressDigits = (data[0] & 8) != 0;
  options.MaskFirstAddressToken = (data[0] & 16) != 0;
  std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  std::string_view nick = NextField(&rest);
  std::string_view user = NextField(&rest);
  std::string_view host = rest;
  std::string mask = BuildMask(nick, user, host, options);
  if (mask.find('!') == std::string::npos || mask.find('@') == std::string::npos) abort();
  std::string address = UserAddress(nick, user, host);
  if (SingleByte(address) && !WildMatch(mask, address)) abort();
  return 0;
}
