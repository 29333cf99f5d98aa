#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/server_config.h"

namespace zeph {

// The servers offered by the first-start wizard and the server property
// sheet: "host (network)" entries in groups parted by "-".
const std::vector<std::string>& DefaultServerList();

// servers.txt in the configuration folder, written from the default list
// when it is missing; its lines.
std::vector<std::string> LoadServerList(const std::filesystem::path& path);

// The login name made from a nickname: lower case, and every byte that is
// not a letter, a digit or one of [ \ ] ^ _ { | } ~ (both bytes of a
// double-byte character too) becomes "_"; nothing gives "_".
std::string UsernameOfNick(std::string_view nick);

// The port for a chosen server text: the servers of the first two groups
// of the default list (except the fourth entry) spread their users over
// 6660-6666; every other one is asked on 6667. `random` gives 0..6.
int WizardPort(std::string_view host_text, const std::function<int()>& random);

// The one server entry of the beginner's choice.
struct TWizardChoice {
  std::string nick;       // internal text
  std::string host_text;  // as chosen or typed: "host (network)"
  bool auto_connect = true;
  std::vector<std::string> channels;
};
TServerConfig WizardServer(const TWizardChoice& choice, const std::function<int()>& random);

}  // namespace zeph
