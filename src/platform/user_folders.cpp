#include "platform/user_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string_view>
#include <vector>

namespace zeph {
namespace fs = std::filesystem;
namespace {

// The password database entry of the effective user, if there is one.
std::optional<passwd> OwnEntry(std::vector<char>* buffer) {
  long size = sysconf(_SC_GETPW_R_SIZE_MAX);
  buffer->resize(size > 0 ? static_cast<size_t>(size) : 16384);
  passwd entry;
  passwd* found = nullptr;
  if (getpwuid_r(geteuid(), &entry, buffer->data(), buffer->size(), &found) != 0 || !found) return std::nullopt;
  return entry;
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

fs::path UserDirsFile(const fs::path& home) {
  std::string config = Environment("XDG_CONFIG_HOME");
  fs::path base = !config.empty() && config.front() == '/' ? fs::path(config) : home / ".config";
  return base / "user-dirs.dirs";
}

void SkipBlanks(std::string_view* text) {
  while (!text->empty() && (text->front() == ' ' || text->front() == '\t')) text->remove_prefix(1);
}

// One line of user-dirs.dirs: NAME="$HOME/sub" or NAME="/absolute", with
// backslash escapes inside the quotes. Anything else is no entry.
std::optional<fs::path> ParseEntry(std::string_view line, std::string_view name, const fs::path& home) {
  SkipBlanks(&line);
  if (!line.starts_with(name)) return std::nullopt;
  line.remove_prefix(name.size());
  SkipBlanks(&line);
  if (!line.starts_with('=')) return std::nullopt;
  line.remove_prefix(1);
  SkipBlanks(&line);
  if (!line.starts_with('"')) return std::nullopt;
  line.remove_prefix(1);
  bool from_home = line.starts_with("$HOME") && (line.size() == 5 || line[5] == '/' || line[5] == '"');
  if (from_home) {
    line.remove_prefix(5);
  } else if (!line.starts_with('/')) {
    return std::nullopt;
  }
  std::string rest;
  for (size_t i = 0; i < line.size() && line[i] != '"'; ++i) {
    if (line[i] == '\\' && i + 1 < line.size()) ++i;
    rest += line[i];
  }
  if (!from_home) return fs::path(rest);
  if (home.empty()) return std::nullopt;
  return rest.empty() || rest == "/" ? home : fs::path(home.string() + rest);
}

// The last entry for `name` wins, as when the shell sources the file.
fs::path XdgUserFolder(std::string_view name, const char* fallback) {
  fs::path home = HomeFolder();
  fs::path found;
  std::ifstream in(UserDirsFile(home));
  std::string line;
  while (std::getline(in, line)) {
    if (auto entry = ParseEntry(line, name, home)) found = *entry;
  }
  if (!found.empty() || home.empty()) return found;
  return home / fallback;
}

}  // namespace

fs::path HomeFolder() {
  std::string home = Environment("HOME");
  if (!home.empty()) return home;
  std::vector<char> buffer;
  auto entry = OwnEntry(&buffer);
  return entry && entry->pw_dir ? fs::path(entry->pw_dir) : fs::path();
}

fs::path DocumentsFolder() { return XdgUserFolder("XDG_DOCUMENTS_DIR", "Documents"); }

fs::path DesktopFolder() { return XdgUserFolder("XDG_DESKTOP_DIR", "Desktop"); }

std::string UserLoginName() {
  std::vector<char> buffer;
  auto entry = OwnEntry(&buffer);
  if (entry && entry->pw_name && *entry->pw_name) return entry->pw_name;
  std::string name = Environment("USER");
  return name.empty() ? Environment("LOGNAME") : name;
}

}  // namespace zeph
