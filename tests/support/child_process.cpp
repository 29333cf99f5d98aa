#include "support/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <thread>

#include "support/loopback_peer.h"

namespace zeph::test {
namespace {

constexpr int kGraceMs = 2000;
constexpr int kListenTimeoutMs = 10000;
constexpr int kPortAttempts = 5;

using Clock = std::chrono::steady_clock;

void Pause() { std::this_thread::sleep_for(std::chrono::milliseconds(10)); }

// The inodes of the TCP sockets that listen on 127.0.0.1:port.
std::set<std::string> ListeningInodes(int port) {
  char local[32];
  std::snprintf(local, sizeof local, "0100007F:%04X", port);
  std::set<std::string> inodes;
  std::ifstream table("/proc/net/tcp");
  std::string line;
  std::getline(table, line);  // the heading
  while (std::getline(table, line)) {
    std::istringstream fields(line);
    std::string slot, address, remote, state, queues, timer, retransmits, uid, timeout, inode;
    fields >> slot >> address >> remote >> state >> queues >> timer >> retransmits >> uid >> timeout >> inode;
    if (address == local && state == "0A") inodes.insert("socket:[" + inode + "]");
  }
  return inodes;
}

// The processes of a group, from /proc.
std::vector<pid_t> GroupMembers(pid_t group) {
  std::vector<pid_t> members;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator("/proc", ec)) {
    std::ifstream stat(entry.path() / "stat");
    std::string text;
    if (!std::getline(stat, text)) continue;
    size_t name_end = text.rfind(')');
    if (name_end == std::string::npos) continue;
    std::istringstream fields(text.substr(name_end + 1));
    std::string state;
    pid_t parent = 0, pgrp = 0;
    fields >> state >> parent >> pgrp;
    if (pgrp == group) members.push_back(std::atoi(entry.path().filename().c_str()));
  }
  return members;
}

// The child of the test: it starts the program in a process group of its
// own and stays with it as the group's guard. The guard keeps the
// parent-death signal (the program may drop it by changing its user), and
// when the test process dies it kills the whole group. Signals for the
// program go to the group; the guard ignores them and ends with the
// program, with its exit status (128 + the signal when one killed it).
[[noreturn]] void RunGuard(pid_t test, char** args, const char* log_file, const std::function<bool()>& prepare) {
  setpgid(0, 0);
  sigset_t watched;
  sigemptyset(&watched);
  sigaddset(&watched, SIGUSR1);
  sigaddset(&watched, SIGCHLD);
  sigset_t previous;
  sigprocmask(SIG_BLOCK, &watched, &previous);
  prctl(PR_SET_PDEATHSIG, SIGUSR1);
  if (getppid() != test) _exit(127);  // the test died before the line above
  struct sigaction noted = {};
  noted.sa_handler = [](int) {};
  sigaction(SIGCHLD, &noted, nullptr);
  signal(SIGTERM, SIG_IGN);
  signal(SIGINT, SIG_IGN);
  pid_t program = fork();
  if (program < 0) _exit(127);
  if (program == 0) {
    signal(SIGTERM, SIG_DFL);
    signal(SIGINT, SIG_DFL);
    signal(SIGCHLD, SIG_DFL);
    sigprocmask(SIG_SETMASK, &previous, nullptr);
    int log = open(log_file, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (log >= 0) {
      dup2(log, STDOUT_FILENO);
      dup2(log, STDERR_FILENO);
    }
    if (prepare && !prepare()) _exit(126);
    execv(args[0], args);
    _exit(127);
  }
  for (;;) {
    int signal_number = 0;
    sigwait(&watched, &signal_number);
    if (signal_number == SIGUSR1) kill(0, SIGKILL);
    int status = 0;
    if (waitpid(program, &status, WNOHANG) == program)
      _exit(WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
  }
}

}  // namespace

bool TChildProcess::Start(const std::vector<std::string>& argv, const std::string& log_file,
                          const std::function<bool()>& prepare) {
  Stop();
  // Children of the program that outlive it come back to us, so that
  // stopping the group can reap them too.
  prctl(PR_SET_CHILD_SUBREAPER, 1);
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  log_file_ = log_file;
  pid_t test = getpid();
  pid_t pid = fork();
  if (pid < 0) return false;
  if (pid == 0) RunGuard(test, args.data(), log_file.c_str(), prepare);
  setpgid(pid, pid);  // also here: a Stop right after the fork must reach the group
  pid_ = pid;
  return true;
}

bool TChildProcess::StartListening(const std::function<std::vector<std::string>(int port)>& command,
                                   const std::string& log_file, int* port, const std::function<bool()>& prepare) {
  for (int attempt = 0; attempt < kPortAttempts; ++attempt) {
    *port = FreeLoopbackPort();
    if (!Start(command(*port), log_file, prepare)) return false;
    if (WaitUntilListening(*port, kListenTimeoutMs)) return true;
    Stop();
  }
  return false;
}

bool TChildProcess::Listens(int port) const {
  std::set<std::string> inodes = ListeningInodes(port);
  if (inodes.empty()) return false;
  for (pid_t member : GroupMembers(pid_)) {
    std::error_code ec;
    for (const auto& fd : std::filesystem::directory_iterator("/proc/" + std::to_string(member) + "/fd", ec)) {
      std::error_code link_ec;
      if (inodes.count(std::filesystem::read_symlink(fd.path(), link_ec).string())) return true;
    }
  }
  return false;
}

bool TChildProcess::WaitUntilListening(int port, int timeout_ms) {
  auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  while (Clock::now() < deadline) {
    if (Listens(port)) return true;
    if (waitpid(pid_, nullptr, WNOHANG) == pid_) return false;  // it could not bind, or failed otherwise
    Pause();
  }
  return false;
}

bool TChildProcess::ReapGroup(int timeout_ms) {
  auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  for (;;) {
    while (waitpid(-pid_, nullptr, WNOHANG) > 0) {
    }
    if (kill(-pid_, 0) != 0 && errno == ESRCH) return true;
    if (timeout_ms >= 0 && Clock::now() >= deadline) return false;
    Pause();
  }
}

void TChildProcess::Stop() {
  if (pid_ <= 0) return;
  kill(-pid_, SIGTERM);
  if (!ReapGroup(kGraceMs)) {
    kill(-pid_, SIGKILL);
    ReapGroup(-1);
  }
  pid_ = -1;
}

int TChildProcess::Signal(int signal, int timeout_ms) {
  if (pid_ <= 0) return -1;
  kill(-pid_, signal);
  auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  int status = 0;
  while (Clock::now() < deadline) {
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      Stop();  // whatever is left of the group
      return WIFEXITED(status) ? WEXITSTATUS(status) : -1;  // the guard itself was killed
    }
    Pause();
  }
  Stop();
  return -1;
}

std::string TChildProcess::Output() const {
  std::ifstream log(log_file_, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(log), {});
}

std::string FindProgram(const std::string& name) {
  for (const char* dir : {"/usr/sbin", "/usr/bin", "/sbin", "/bin", "/usr/local/sbin", "/usr/local/bin"}) {
    std::filesystem::path p = std::filesystem::path(dir) / name;
    if (access(p.c_str(), X_OK) == 0) return p.string();
  }
  return {};
}

}  // namespace zeph::test
