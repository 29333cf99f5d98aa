#include "engine/mask.h"

#include <algorithm>

#include "settings/preferences.h"
#include "engine/channel_name.h"
#include "platform/sjis.h"

namespace zeph {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The nick without its trailing digits and underscores, which change
// between a user's sessions (foo_12 gives foo*). Scanned forwards: "_" can
// be the second byte of a double-byte character.
std::string NickPiece(std::string_view nick, const TMaskOptions& options) {
  if (options.MaskWholeNick || nick.empty()) return "*";
  size_t stem_end = 0;
  for (size_t pos = 0; pos < nick.size();) {
    size_t length = SjisCharLength(nick, pos);
    if (length > 1 || (!IsDigit(nick[pos]) && nick[pos] != '_')) stem_end = pos + length;
    pos += length;
  }
  return std::string(nick.substr(0, stem_end)) + "*";
}

// Servers mark user names they could not verify with a leading "~" (or one
// of the others); the mask accepts either form.
std::string UserPiece(std::string_view user, const TMaskOptions& options) {
  if (options.MaskWholeUsername || user.empty()) return "*";
  if (std::string_view("~-+=^").find(user.front()) != std::string_view::npos) user.remove_prefix(1);
  return "*" + std::string(user);
}

// "." never is the second byte of a double-byte character.
long CountDots(std::string_view host) { return std::count(host.begin(), host.end(), '.'); }

// Every run of digits becomes one "*" up to the last two labels, which name
// the provider and stay as they are.
std::string MaskDigitRuns(std::string_view host) {
  long dots = CountDots(host);
  if (dots < 2) return std::string(host);
  std::string masked;
  long passed = 0;
  size_t pos = 0;
  while (pos < host.size() && passed < dots - 1) {
    size_t length = SjisCharLength(host, pos);
    if (length == 1 && IsDigit(host[pos])) {
      masked += '*';
      while (pos < host.size() && IsDigit(host[pos])) ++pos;
      continue;
    }
    if (length == 1 && host[pos] == '.') ++passed;
    masked += host.substr(pos, length);
    pos += length;
  }
  masked += host.substr(pos);
  return masked;
}

// A dotted IPv4 address: four decimal numbers up to 255.
bool IsDottedIpv4(std::string_view host) {
  int parts = 0;
  for (size_t begin = 0;;) {
    size_t end = std::min(host.find('.', begin), host.size());
    std::string_view number = host.substr(begin, end - begin);
    if (number.empty() || number.size() > 3 || !std::all_of(number.begin(), number.end(), IsDigit)) return false;
    int value = 0;
    for (char digit : number) value = value * 10 + (digit - '0');
    if (value > 255 || ++parts > 4) return false;
    if (end == host.size()) return parts == 4;
    begin = end + 1;
  }
}

// The address with its last number masked. The host's own text is kept: a
// re-written form («010.1.1.7» as «10.1.1.7») would not match the host the
// mask was made from.
std::string Ipv4HostPiece(std::string_view host) {
  return std::string(host.substr(0, host.rfind('.') + 1)) + "*";
}

std::string HostPiece(std::string_view host, const TMaskOptions& options) {
  if (host.empty()) return "*";
  if (IsDottedIpv4(host)) return Ipv4HostPiece(host);
  std::string piece(host);
  if (options.MaskFirstAddressToken && CountDots(piece) >= 2) piece = "*" + piece.substr(piece.find('.'));
  if (options.MaskAllAddressDigits) piece = MaskDigitRuns(piece);
  return piece;
}

std::string OrStar(std::string_view text) { return text.empty() ? "*" : std::string(text); }

// A backslash in a name would make the byte after it literal in the mask
// (or escape the "!" or "@" that follows), so the mask would miss the user
// it was made for; it is written as two. The second byte of a double-byte
// character stays as it is.
std::string EscapeBackslashes(std::string_view text) {
  std::string escaped;
  for (size_t pos = 0; pos < text.size();) {
    size_t length = SjisCharLength(text, pos);
    if (length == 1 && text[pos] == '\\') escaped += '\\';
    escaped += text.substr(pos, length);
    pos += length;
  }
  return escaped;
}

}  // namespace

std::string UserAddress(std::string_view nick, std::string_view user, std::string_view host) {
  std::string address;
  address.reserve(nick.size() + user.size() + host.size() + 2);
  address.append(nick).append("!").append(user).append("@").append(host);
  return address;
}

bool MatchesAnyMask(const std::vector<std::string>& masks, std::string_view address) {
  return std::any_of(masks.begin(), masks.end(), [&](const std::string& mask) { return WildMatch(mask, address); });
}

bool IsIgnored(const std::vector<std::string>& ignore_masks, std::string_view nick, std::string_view user,
               std::string_view host) {
  return !ignore_masks.empty() && MatchesAnyMask(ignore_masks, UserAddress(nick, user, host));
}

TMaskOptions MaskOptionsOf(const TPreferences& preferences) {
  return {preferences.AutoMask, preferences.MaskWholeNick, preferences.MaskWholeUsername,
          preferences.MaskAllAddressDigits, preferences.MaskFirstAddressToken};
}

std::string BuildMask(std::string_view raw_nick, std::string_view raw_user, std::string_view raw_host,
                      const TMaskOptions& options) {
  std::string nick = EscapeBackslashes(raw_nick);
  std::string user = EscapeBackslashes(raw_user);
  std::string host = EscapeBackslashes(raw_host);
  if (!options.AutoMask) return UserAddress(OrStar(nick), OrStar(user), OrStar(host));
  return UserAddress(NickPiece(nick, options), UserPiece(user, options), HostPiece(host, options));
}

}  // namespace zeph
