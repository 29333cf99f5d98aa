// What the headless benchmarks share: a fake server on loopback that the
// real `zephlora --headless` connects to, a profile written for it, and the
// client's figures (time, peak memory, CPU time) once it has been stopped.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "settings/preference_file.h"
#include "settings/preferences.h"
#include "settings/server_config.h"
#include "settings/tree_file.h"

namespace zeph::bench {

using Clock = std::chrono::steady_clock;

struct TResult {
  double seconds = 0;
  long max_rss_kib = 0;
  double cpu_seconds = 0;
  double user_cpu_seconds = 0;  // the program's own work, without the kernel's
  bool ok = false;
};

inline int ListenLoopback(int* port) {
  int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in at{};
  at.sin_family = AF_INET;
  at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(fd, reinterpret_cast<sockaddr*>(&at), sizeof at);
  listen(fd, 1);
  socklen_t length = sizeof at;
  getsockname(fd, reinterpret_cast<sockaddr*>(&at), &length);
  *port = ntohs(at.sin_port);
  return fd;
}

inline int AcceptClient(int listen_fd, int timeout_ms) {
  pollfd p{listen_fd, POLLIN, 0};
  if (poll(&p, 1, timeout_ms) <= 0) return -1;
  return accept4(listen_fd, nullptr, nullptr, SOCK_CLOEXEC);
}

inline bool SendAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// Reads until `text` has arrived; false on close or after the timeout.
inline bool ReadUntil(int fd, std::string& seen, const std::string& text, int timeout_ms) {
  auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  char chunk[65536];
  // Only the bytes that came since the last look (and a match that may
  // straddle them) are searched: the bare reader reads the whole flood
  // through here, and searching all of it again per chunk would slow it.
  size_t from = 0;
  while (seen.find(text, from) == std::string::npos) {
    from = seen.size() >= text.size() ? seen.size() - text.size() + 1 : 0;
    int left = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count());
    if (left <= 0) return false;
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, left) <= 0) continue;
    ssize_t n = recv(fd, chunk, sizeof chunk, 0);
    if (n <= 0) return false;
    seen.append(chunk, static_cast<size_t>(n));
  }
  return true;
}

// A profile under `home` with one auto-connecting server entry "me" on
// 127.0.0.1:port; `adjust` changes the preferences before they are saved.
template <typename Adjust>
void WriteProfile(const std::filesystem::path& home, int port, const std::vector<TChannelConfig>& channels,
                  Adjust adjust) {
  TWorldConfig tree;
  TServerConfig unit;
  unit.name = "bench";
  unit.hostname = "127.0.0.1";
  unit.port = port;
  unit.nick = "me";
  unit.username = "me";
  unit.auto_connect = true;
  unit.channels = channels;
  tree.units = {unit};
  std::filesystem::path config = home / "users" / "default" / "config";
  std::filesystem::create_directories(config);
  SaveTree(config / "tree.ini", tree);
  TPreferences prefs = DefaultPreferences();
  prefs.LogRootDir = (home / "logs").string() + "/";
  prefs.Installed = true;
  adjust(prefs);
  SavePreferences(config / "preference.ini", prefs);
}

inline pid_t StartHeadless(const std::string& binary, const std::filesystem::path& home) {
  pid_t child = fork();
  if (child == 0) {
    setenv("ZEPHLORA_HOME", home.c_str(), 1);
    execl(binary.c_str(), binary.c_str(), "--headless", static_cast<char*>(nullptr));
    _exit(127);
  }
  return child;
}

// Stops the child and collects its figures.
inline TResult Finish(pid_t child, double seconds, bool ok) {
  kill(child, SIGTERM);
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  TResult r;
  r.seconds = seconds;
  r.ok = ok;
  r.max_rss_kib = usage.ru_maxrss;
  r.cpu_seconds = usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
                  (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  r.user_cpu_seconds = usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6;
  return r;
}

inline std::filesystem::path TempHome() {
  char home_template[] = "/tmp/zephlora-bench-XXXXXX";
  return mkdtemp(home_template);
}

}  // namespace zeph::bench
