#include "platform/user_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string_view>
#include <vector>

namespace zeph {
namespace fs = std::filesystem;
namespace {

std::optional<TAccount> SystemAccount() {
  long size = sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) : 16384);
  passwd entry;
  passwd* found = nullptr;
  if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found) return std::nullopt;
  return TAccount{entry.pw_name ? entry.pw_name : "", entry.pw_dir ? entry.pw_dir : ""};
}

std::atomic<TAccountLookup> account_lookup{&SystemAccount};

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// Empty when there is neither a configuration folder nor a home: a
// relative path would read a file of the working folder.
fs::path UserDirsFile(const fs::path& home) {
  std::string config = Environment("XDG_CONFIG_HOME");
  if (!config.empty() && config.front() == '/') return fs::path(config) / "user-dirs.dirs";
  return home.empty() ? fs::path() : home / ".config" / "user-dirs.dirs";
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
  auto account = account_lookup.load()();
  return account ? account->home : fs::path();
}

fs::path DocumentsFolder() { return XdgUserFolder("XDG_DOCUMENTS_DIR", "Documents"); }

fs::path DesktopFolder() { return XdgUserFolder("XDG_DESKTOP_DIR", "Desktop"); }

std::string UserLoginName() {
  auto account = account_lookup.load()();
  if (account && !account->login_name.empty()) return account->login_name;
  std::string name = Environment("USER");
  return name.empty() ? Environment("LOGNAME") : name;
}

TAccountLookup SetAccountLookup(TAccountLookup lookup) {
  return account_lookup.exchange(lookup ? lookup : &SystemAccount);
}

}  // namespace zeph
