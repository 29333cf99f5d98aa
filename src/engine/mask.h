#pragma once

#include <string>
#include <string_view>
#include <vector>

// Masks of the form nick!user@host: matching users against mask lists and
// proposing a mask for a user.
namespace zeph {

struct TPreferences;

// "nick!user@host", the text every mask is matched against.
std::string UserAddress(std::string_view nick, std::string_view user, std::string_view host);

// Whether any mask of the list matches the address (WildMatch).
bool MatchesAnyMask(const std::vector<std::string>& masks, std::string_view address);

// Whether the user's messages are to be dropped by the ignore list.
bool IsIgnored(const std::vector<std::string>& ignore_masks, std::string_view nick, std::string_view user,
               std::string_view host);

// How much of a user BuildMask replaces with wildcards; the fields carry
// the names of the preferences they come from.
struct TMaskOptions {
  bool AutoMask = true;
  bool MaskWholeNick = false;
  bool MaskWholeUsername = false;
  bool MaskAllAddressDigits = true;
  bool MaskFirstAddressToken = false;
};
TMaskOptions MaskOptionsOf(const TPreferences& preferences);

// The mask proposed when a user is added to a mask list: «foo_12»,
// «~bar», «p123-45.abc.example.net» give «foo*!*bar@p*-*.abc.example.net»
// with the default options.
std::string BuildMask(std::string_view nick, std::string_view user, std::string_view host,
                      const TMaskOptions& options);

}  // namespace zeph
