#include "platform/shell.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace zeph {
namespace {

// Spawns the program in a grandchild that init adopts, so no zombie is
// left behind and the call returns at once.
bool SpawnDetached(const std::string& program, const std::vector<std::string>& arguments,
                   const std::filesystem::path& folder) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    setsid();
    if (!folder.empty() && chdir(folder.c_str()) != 0) _exit(1);
    pid_t grandchild = 0;
    int error = posix_spawnp(&grandchild, program.c_str(), nullptr, nullptr, argv.data(), environ);
    _exit(error == 0 ? 0 : 1);
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

bool TShell::StartProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                          const std::filesystem::path& folder, bool) {
  if (program.empty()) return false;
  return SpawnDetached(program.string(), arguments, folder);
}

bool TShell::OpenDocument(const std::filesystem::path& file) { return SpawnDetached("xdg-open", {file.string()}, {}); }

bool TShell::OpenUrl(const std::string& url) { return SpawnDetached("xdg-open", {url}, {}); }

TShell& DefaultShell() {
  static TShell shell;
  return shell;
}

std::vector<std::string> SplitArguments(std::string_view parameters) {
  std::vector<std::string> words;
  std::string word;
  bool in_word = false;
  bool quoted = false;
  for (char c : parameters) {
    if (c == '"') {
      quoted = !quoted;
      in_word = true;
    } else if (!quoted && (c == ' ' || c == '\t')) {
      if (in_word) words.push_back(std::move(word));
      word.clear();
      in_word = false;
    } else {
      word += c;
      in_word = true;
    }
  }
  if (in_word) words.push_back(std::move(word));
  return words;
}

}  // namespace zeph
