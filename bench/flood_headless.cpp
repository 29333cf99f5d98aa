// The flood benchmark: a fake IRC server floods `zephlora --headless` with
// channel messages (ISO-2022-JP Japanese with colour codes, rotating nicks,
// a URL per line, the channel's log file on), then sends a PING. A run's
// figure is the time from the first flood byte to the PONG, with the
// client's peak memory and CPU time. The same flood into a bare socket
// reader is the baseline. The client runs twice: with the default
// scrollback, and keeping every line (ChannelLogMaxLines = the flood's
// length); the difference of their peak memory is what kept lines cost.
//
// usage: bench_flood_headless [path to zephlora] [lines]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "headless_harness.h"

namespace {

using namespace zeph::bench;

std::string Flood(int lines) {
  const char* jis = "\x1b$B$3$s$K$A$O!\"F|K\\8l$N%F%9%H$G$9\x1b(B";  // こんにちは、日本語のテストです
  std::string flood;
  flood.reserve(static_cast<size_t>(lines) * 110);
  char line[256];
  for (int i = 0; i < lines; ++i) {
    int n = std::snprintf(line, sizeof line, ":nick%02d!user%02d@host%02d.example.jp PRIVMSG #flood :\x03%d,%d%s\x0f \x02#%d\x02 http://example.jp/%d\r\n",
                          i % 50, i % 50, i % 50, i % 16, (i + 5) % 16, jis, i, i % 100);
    flood.append(line, static_cast<size_t>(n));
  }
  return flood;
}

// Plays the server: registration, the join, the flood, the PING. Returns
// the seconds from the first flood byte to the PONG.
double Serve(int listen_fd, const std::string& joins, const std::string& flood, bool* ok) {
  *ok = false;
  int fd = AcceptClient(listen_fd, 20000);
  if (fd < 0) return 0;
  std::string seen;
  if (!ReadUntil(fd, seen, "USER ", 20000)) return 0;
  SendAll(fd, ":irc.test 001 me :Welcome\r\n:irc.test 376 me :End of MOTD\r\n");
  if (!ReadUntil(fd, seen, "JOIN #flood", 20000)) return 0;
  SendAll(fd, ":me!u@h JOIN :#flood\r\n" + joins);
  auto start = Clock::now();
  SendAll(fd, flood);
  SendAll(fd, "PING :flood-done\r\n");
  seen.clear();
  if (!ReadUntil(fd, seen, "PONG :flood-done", 600000)) return 0;
  double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  SendAll(fd, "ERROR :Closing link\r\n");
  close(fd);
  *ok = true;
  return seconds;
}

TResult RunClient(const std::string& binary, const std::filesystem::path& home, const std::string& joins,
                  const std::string& flood, int max_lines) {
  int port = 0;
  int listen_fd = ListenLoopback(&port);
  WriteProfile(home, port, {zeph::NewChannelConfig("#flood", true)}, [max_lines](zeph::TPreferences& prefs) {
    prefs.EnableChannelLog = true;
    prefs.ChannelLogMaxLines = max_lines;
  });
  pid_t child = StartHeadless(binary, home);
  bool ok = false;
  double seconds = Serve(listen_fd, joins, flood, &ok);
  close(listen_fd);
  return Finish(child, seconds, ok);
}

// The baseline: a process that only reads the socket and answers the PING.
TResult RunBareReader(const std::string& joins, const std::string& flood) {
  int port = 0;
  int listen_fd = ListenLoopback(&port);
  pid_t child = fork();
  if (child == 0) {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    at.sin_port = htons(static_cast<uint16_t>(port));
    if (connect(fd, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0) _exit(1);
    SendAll(fd, "NICK me\r\nUSER me 0 * :me\r\n");
    std::string seen;
    ReadUntil(fd, seen, "376", 20000);
    SendAll(fd, "JOIN #flood\r\n");
    seen.clear();
    ReadUntil(fd, seen, "PING :flood-done", 600000);
    SendAll(fd, "PONG :flood-done\r\n");
    pause();
    _exit(0);
  }
  bool ok = false;
  double seconds = Serve(listen_fd, joins, flood, &ok);
  close(listen_fd);
  return Finish(child, seconds, ok);
}

std::uintmax_t FolderBytes(const std::filesystem::path& folder) {
  std::uintmax_t bytes = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) bytes += entry.file_size();
  }
  return bytes;
}

// One client run in a fresh profile; the size of the logs it wrote.
TResult RunClientOnce(const std::string& binary, const std::string& joins, const std::string& flood, int max_lines,
                      std::uintmax_t* log_bytes) {
  std::filesystem::path home = TempHome();
  TResult result = RunClient(binary, home, joins, flood, max_lines);
  *log_bytes = FolderBytes(home / "logs");
  std::filesystem::remove_all(home);
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  std::string binary = argc > 1 ? argv[1] : (std::filesystem::path(argv[0]).parent_path() / "zephlora").string();
  int lines = argc > 2 ? std::atoi(argv[2]) : 200000;
  std::string joins;
  for (int i = 0; i < 50; ++i) {
    char line[128];
    std::snprintf(line, sizeof line, ":nick%02d!user%02d@host%02d.example.jp JOIN :#flood\r\n", i, i, i);
    joins += line;
  }
  std::string flood = Flood(lines);
  const int default_lines = zeph::DefaultPreferences().ChannelLogMaxLines;

  TResult bare = RunBareReader(joins, flood);
  std::uintmax_t log_bytes = 0;
  TResult scrollback = RunClientOnce(binary, joins, flood, default_lines, &log_bytes);
  std::uintmax_t kept_log_bytes = 0;
  TResult kept = RunClientOnce(binary, joins, flood, lines, &kept_log_bytes);
  if (!bare.ok || !scrollback.ok || !kept.ok) {
    std::fprintf(stderr, "flood benchmark failed (baseline %s, client %s, client keeping all %s)\n",
                 bare.ok ? "ok" : "failed", scrollback.ok ? "ok" : "failed", kept.ok ? "ok" : "failed");
    return 1;
  }
  auto rate = [lines](const TResult& r) { return lines / r.seconds; };
  double mib_per_100k = (kept.max_rss_kib - scrollback.max_rss_kib) / 1024.0 / (lines - default_lines) * 100000;
  std::printf("flood: %d channel lines, %.1f MB on the wire, channel log %.1f MB\n", lines, flood.size() / 1e6,
              log_bytes / 1e6);
  std::printf("baseline (bare socket reader):        %.3f s, %.0f lines/s\n", bare.seconds, rate(bare));
  std::printf("1. default scrollback (%d lines):   %.3f s, %.0f lines/s, %.2f of the baseline's rate; "
              "peak memory %.1f MiB, CPU %.2f s\n",
              default_lines, scrollback.seconds, rate(scrollback), rate(scrollback) / rate(bare),
              scrollback.max_rss_kib / 1024.0, scrollback.cpu_seconds);
  std::printf("2. ChannelLogMaxLines=%d:          %.3f s, %.0f lines/s; peak memory %.1f MiB, CPU %.2f s\n", lines,
              kept.seconds, rate(kept), kept.max_rss_kib / 1024.0, kept.cpu_seconds);
  std::printf("3. memory per 100,000 kept lines:     %.1f MiB\n", mib_per_100k);
  return 0;
}
