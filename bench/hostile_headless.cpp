// What a hostile server costs `zephlora --headless`: a fake server sends
// one burst and then a PING, and the figure is the time from the first
// burst byte to the PONG, with the client's peak memory, CPU time and the
// number of files it holds open at that moment. The bursts:
//   talkers   private messages from as many different nicks (talk, channel
//             and unit logs on)
//   channels  our own JOIN echoes for as many different channels
//   pings     as many PINGs; the figure is the time to the answer of a
//             last, different PING
//
// usage: bench_hostile_headless [path to zephlora] [count] [burst ...]
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "headless_harness.h"

namespace {

using namespace zeph::bench;

constexpr int kAnswerTimeoutMs = 120000;

std::string Burst(const std::string& kind, int count) {
  std::string burst;
  char line[160];
  for (int i = 0; i < count; ++i) {
    int n = 0;
    if (kind == "talkers") {
      n = std::snprintf(line, sizeof line, ":t%06d!u%d@h%d.example.jp PRIVMSG me :hello %d\r\n", i, i, i, i);
    } else if (kind == "channels") {
      n = std::snprintf(line, sizeof line, ":me!u@h.example.jp JOIN :#c%06d\r\n", i);
    } else {
      n = std::snprintf(line, sizeof line, "PING :p%d\r\n", i);
    }
    burst.append(line, static_cast<size_t>(n));
  }
  // A line for a channel after the burst: it must still reach its log.
  burst += ":friend!f@h.example.jp PRIVMSG #room :after the burst\r\n";
  return burst;
}

int OpenFiles(pid_t pid) {
  std::error_code ec;
  int count = 0;
  for (auto it = std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/fd", ec);
       !ec && it != std::filesystem::directory_iterator(); it.increment(ec))
    ++count;
  return count;
}

struct TRun {
  TResult result;
  int open_files = 0;
};

TRun Run(const std::string& binary, const std::string& kind, int count) {
  std::filesystem::path home = TempHome();
  int port = 0;
  int listen_fd = ListenLoopback(&port);
  WriteProfile(home, port, {zeph::NewChannelConfig("#room", true)}, [](zeph::TPreferences& prefs) {
    prefs.EnableChannelLog = true;
    prefs.EnableTalkLog = true;
    prefs.EnableUnitLog = true;
  });
  pid_t child = StartHeadless(binary, home);
  TRun run;
  int fd = AcceptClient(listen_fd, 20000);
  std::string seen;
  if (fd >= 0 && ReadUntil(fd, seen, "USER ", 20000)) {
    SendAll(fd, ":irc.test 001 me :Welcome\r\n:irc.test 376 me :End of MOTD\r\n");
    if (ReadUntil(fd, seen, "JOIN #room", 20000)) {
      SendAll(fd, ":me!u@h.example.jp JOIN :#room\r\n");
      std::string burst = Burst(kind, count);
      auto start = Clock::now();
      SendAll(fd, burst + "PING :burst-done\r\n");
      seen.clear();
      run.result.ok = ReadUntil(fd, seen, "PONG :burst-done", kAnswerTimeoutMs);
      run.result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
      run.open_files = OpenFiles(child);
    }
  }
  if (fd >= 0) close(fd);
  close(listen_fd);
  TResult figures = Finish(child, run.result.seconds, run.result.ok);
  run.result = figures;
  std::filesystem::remove_all(home);
  return run;
}

}  // namespace

int main(int argc, char** argv) {
  std::string binary = argc > 1 ? argv[1] : (std::filesystem::path(argv[0]).parent_path() / "zephlora").string();
  int count = argc > 2 ? std::atoi(argv[2]) : 10000;
  std::vector<std::string> kinds;
  for (int i = 3; i < argc; ++i) kinds.push_back(argv[i]);
  if (kinds.empty()) kinds = {"talkers", "channels", "pings"};
  bool all_ok = true;
  for (const std::string& kind : kinds) {
    TRun run = Run(binary, kind, count);
    if (!run.result.ok) {
      std::printf("%-8s %7d: no PONG within %d s\n", kind.c_str(), count, kAnswerTimeoutMs / 1000);
      all_ok = false;
      continue;
    }
    std::printf("%-8s %7d: %.3f s to the PONG, peak memory %.1f MiB, CPU %.2f s (user %.2f s), %d open files\n",
                kind.c_str(), count, run.result.seconds, run.result.max_rss_kib / 1024.0, run.result.cpu_seconds,
                run.result.user_cpu_seconds, run.open_files);
  }
  return all_ok ? 0 : 1;
}
