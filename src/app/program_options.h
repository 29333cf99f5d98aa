#pragma once

#include <string>
#include <vector>

namespace zeph {

// What the program's own switches ask for; the key=value pairs of the
// profile and the servers are kept as one text for ParseStartupArguments.
struct TProgramOptions {
  bool headless = false;
  bool verbose = false;
  bool version = false;
  bool help = false;
  std::string unknown;       // the first switch we do not know, if any
  std::string command_line;  // everything that is not a switch
};

// Words starting with "--" are switches; anything else is a pair (unknown
// keys of pairs are ignored later, as the Windows client did).
TProgramOptions ReadProgramOptions(const std::vector<std::string>& words);

// The usage text, in the terminal's UTF-8; `home` names the application
// folder in use.
std::string ProgramUsage(const std::string& home);

// Whether a window system can be reached: DISPLAY, WAYLAND_DISPLAY, or a
// Qt platform chosen by hand (offscreen for tests and pictures).
bool HasDisplay();

}  // namespace zeph
