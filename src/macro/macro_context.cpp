#include "macro/macro_context.h"

#include <random>

#include "settings/preferences.h"
#include "engine/mask.h"

namespace zeph {

int RandomUpTo32767() {
  static std::mt19937 engine{std::random_device{}()};
  return std::uniform_int_distribution<int>(0, 32767)(engine);
}

bool IsSelfUser(const TPreferences& preferences, std::string_view my_nick, std::string_view nick,
                std::string_view user, std::string_view host) {
  return nick == my_nick || MatchesAnyMask(preferences.self_masks, UserAddress(nick, user, host));
}

bool IsGroupMember(const TPreferences& preferences, int group, std::string_view nick, std::string_view user,
                   std::string_view host) {
  if (group < 0 || group >= kUserGroupCount) return false;
  return MatchesAnyMask(preferences.groups[static_cast<size_t>(group)].masks, UserAddress(nick, user, host));
}

}  // namespace zeph
