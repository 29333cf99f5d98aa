#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zeph {

// What the command line asks of a start: key=value pairs separated by
// blanks or tabs. Keys are case-insensitive; unknown keys are ignored.
struct TStartupArguments {
  std::string user;                       // USER: the profile (the last one wins)
  std::vector<std::string> server_names;  // SERVER and PROFILE, in order
};

// A quoted value ("a b" cannot hold a blank: the value ends at the first
// blank first) loses its quotes.
TStartupArguments ParseStartupArguments(std::string_view command_line);

}  // namespace zeph
