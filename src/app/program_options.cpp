#include "app/program_options.h"

#include <cstdlib>

namespace zeph {

TProgramOptions ReadProgramOptions(const std::vector<std::string>& words) {
  TProgramOptions options;
  for (const std::string& word : words) {
    if (word == "--headless") {
      options.headless = true;
    } else if (word == "--verbose") {
      options.verbose = true;
    } else if (word == "--version") {
      options.version = true;
    } else if (word == "--help" || word == "-h") {
      options.help = true;
    } else if (word.starts_with("--")) {
      if (options.unknown.empty()) options.unknown = word;
    } else {
      options.command_line += word + " ";
    }
  }
  return options;
}

std::string ProgramUsage(const std::string& home) {
  return "usage: zephlora [--headless] [--verbose] [USER=profile] [SERVER=name ...]\n"
         "\n"
         "  USER=profile   use the profile users/<profile>/ (default: \"default\")\n"
         "  SERVER=name    connect the server entry of that name at start-up instead of\n"
         "                 the AutoConnect entries; may be given several times (PROFILE=\n"
         "                 is the same); other key=value pairs are ignored\n"
         "  --headless     run without any window: connections, auto-join, reconnection\n"
         "                 and log files work; SIGINT or SIGTERM quits\n"
         "  --verbose      with --headless, print the console lines on standard output\n"
         "  --version      print the version and exit\n"
         "  --help         print this text and exit\n"
         "\n"
         "Application folder: " + home + "\n"
         "  (ZEPHLORA_HOME when set, else $XDG_DATA_HOME/zephlora); the settings of a\n"
         "  profile are in users/<profile>/config/ below it.\n";
}

bool HasDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return true;
  }
  return false;
}

}  // namespace zeph
