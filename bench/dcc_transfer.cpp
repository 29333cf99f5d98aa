// The DCC transfer benchmark: a 1 GiB file sent over loopback between two
// of our transfer endpoints (a send in this process, a receive in a forked
// child, as two programs on one machine), beside socat moving the same
// file over loopback in the same run. Then a send under a bandwidth limit,
// whose rate the receiving side measures.
//
// usage: bench_dcc_transfer [MiB]
#include <arpa/inet.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "dcc/dcc_manager.h"
#include "platform/net.h"
#include "platform/poll_loop.h"
#include "settings/preferences.h"

namespace {

namespace fs = std::filesystem;
using namespace zeph;
using Clock = std::chrono::steady_clock;

constexpr uint64_t kUnit = 1;
constexpr int64_t kMiB = 1024 * 1024;

double Seconds(Clock::time_point from) {
  return std::chrono::duration<double>(Clock::now() - from).count();
}

class TTempRoot {
 public:
  TTempRoot() {
    std::string pattern = (fs::temp_directory_path() / "zephlora-dcc-bench-XXXXXX").string();
    path_ = mkdtemp(pattern.data()) ? pattern : std::string();
  }
  ~TTempRoot() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

bool MakeFile(const fs::path& path, int64_t size) {
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return false;
  std::vector<char> block(static_cast<size_t>(kMiB));
  for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>(i * 31 + i / 4099);
  for (int64_t done = 0; done < size; done += kMiB) {
    block[0] = static_cast<char>(done / kMiB);
    if (write(fd, block.data(), block.size()) != static_cast<ssize_t>(block.size())) {
      close(fd);
      return false;
    }
  }
  return close(fd) == 0;
}

bool SameContents(const fs::path& a, const fs::path& b) {
  std::error_code error;
  if (fs::file_size(a, error) != fs::file_size(b, error) || error) return false;
  FILE* fa = std::fopen(a.c_str(), "rb");
  FILE* fb = std::fopen(b.c_str(), "rb");
  bool same = fa != nullptr && fb != nullptr;
  std::vector<char> ba(static_cast<size_t>(kMiB));
  std::vector<char> bb(static_cast<size_t>(kMiB));
  while (same) {
    size_t na = std::fread(ba.data(), 1, ba.size(), fa);
    size_t nb = std::fread(bb.data(), 1, bb.size(), fb);
    same = na == nb && std::equal(ba.begin(), ba.begin() + static_cast<long>(na), bb.begin());
    if (na == 0) break;
  }
  if (fa != nullptr) std::fclose(fa);
  if (fb != nullptr) std::fclose(fb);
  return same;
}

int FreePort() {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in at{};
  at.sin_family = AF_INET;
  at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(fd, reinterpret_cast<sockaddr*>(&at), sizeof at);
  socklen_t length = sizeof at;
  getsockname(fd, reinterpret_cast<sockaddr*>(&at), &length);
  close(fd);
  return ntohs(at.sin_port);
}

pid_t Spawn(const std::vector<std::string>& args) {
  pid_t pid = fork();
  if (pid == 0) {
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  return pid;
}

bool Waited(pid_t pid) {
  int status = 0;
  return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// socat moves the file from one process to another over loopback.
double SocatSeconds(const fs::path& source, const fs::path& target, int buffer) {
  int port = FreePort();
  std::string size = std::to_string(buffer);
  pid_t receiver = Spawn({"socat", "-b", size, "-u",
                          "TCP-LISTEN:" + std::to_string(port) + ",bind=127.0.0.1,reuseaddr",
                          "OPEN:" + target.string() + ",creat,trunc"});
  usleep(200000);  // until it listens
  Clock::time_point start = Clock::now();
  pid_t sender =
      Spawn({"socat", "-b", size, "-u", "OPEN:" + source.string(), "TCP:127.0.0.1:" + std::to_string(port)});
  bool ok = Waited(sender) && Waited(receiver);
  double seconds = Seconds(start);
  return ok && fs::file_size(target) == fs::file_size(source) ? seconds : -1;
}

// The manager's side of the server: our offers go down a pipe to the
// receiving program.
class TPipeLink : public TDccPeerLink {
 public:
  explicit TPipeLink(int fd) : fd_(fd) {}
  bool HasUnit(uint64_t) const override { return true; }
  uint32_t OwnAddress(uint64_t) const override { return htonl(INADDR_LOOPBACK); }
  void SendCtcpQuery(uint64_t, const std::string&, const std::string& text) override {
    std::string line = text + "\n";
    if (write(fd_, line.data(), line.size()) < 0) std::perror("pipe");
  }

 private:
  int fd_;
};

// The receiving program: takes the offer from the pipe, receives it into
// `folder`, and writes back "<seconds> <bytes>" once complete: the time
// and bytes from the first arrival after the first second's budget to the
// first arrival after the sixth, five whole periods of the limit.
class TReceiver : public TDccObserver {
 public:
  TReceiver(TPollLoop& loop, const fs::path& folder, int64_t first_burst) : link_(-1), manager_(loop, prefs_, link_),
        loop_(loop), first_burst_(first_burst) {
    prefs_.DCCRootDir = folder.string();
    prefs_.DCCReceiveAction = 2;
    manager_.AddObserver(this);
  }

  void Offer(const std::string& query) {
    manager_.OnQuery(kUnit, "sender", ParseDccQuery(std::string_view(query).substr(4)), {});
  }

  void TransferChanged(TTransferKind, size_t row) override {
    const TReceiveTransfer& receive = manager_.Receive(row);
    // The first bytes of the second second, and of the seventh.
    if (!burst_done_ && receive.Position() > first_burst_) {
      burst_done_ = true;
      burst_at_ = Clock::now();
      burst_position_ = receive.Position();
    }
    if (!steady_done_ && receive.Position() > kSteadySeconds * first_burst_) {
      steady_done_ = true;
      steady_at_ = Clock::now();
      steady_position_ = receive.Position();
    }
    if (receive.State() == TTransferState::Complete || receive.State() == TTransferState::Failed) {
      ok_ = receive.State() == TTransferState::Complete;
      loop_.Quit();
    }
  }

  static constexpr int64_t kSteadySeconds = 6;
  bool ok_ = false;
  Clock::time_point burst_at_;
  int64_t burst_position_ = 0;
  Clock::time_point steady_at_;
  int64_t steady_position_ = 0;

 private:
  TPreferences prefs_;
  TPipeLink link_;
  TDccManager manager_;
  TPollLoop& loop_;
  int64_t first_burst_;
  bool burst_done_ = false;
  bool steady_done_ = false;
};

[[noreturn]] void RunReceiver(int offers, int results, const fs::path& folder, int64_t first_burst) {
  TPollLoop loop(TPollLoop::Clock::Real);
  TReceiver receiver(loop, folder, first_burst);
  std::string query;
  char c;
  while (read(offers, &c, 1) == 1 && c != '\n') query += c;
  receiver.Offer(query);
  loop.Run();
  double seconds = std::chrono::duration<double>(receiver.steady_at_ - receiver.burst_at_).count();
  std::string result = std::to_string(seconds) + " " + std::to_string(receiver.steady_position_ - receiver.burst_position_);
  if (write(results, result.data(), result.size()) < 0) _exit(2);
  _exit(receiver.ok_ ? 0 : 1);
}

struct TRun {
  double seconds = -1;          // from the start of the send to the received file's completion
  double steady_seconds = 0;    // from the end of the first burst to the completion
  int64_t steady_bytes = 0;
};

// Sends `source` from this process to a receiving child process.
TRun SendToChild(const fs::path& source, const fs::path& folder, const TPreferences& prefs, int64_t first_burst) {
  int offers[2];
  int results[2];
  if (pipe(offers) != 0 || pipe(results) != 0) return {};
  pid_t child = fork();
  if (child == 0) {
    close(offers[1]);
    close(results[0]);
    RunReceiver(offers[0], results[1], folder, first_burst);
  }
  close(offers[0]);
  close(results[1]);

  TPollLoop loop(TPollLoop::Clock::Real);
  TPipeLink link(offers[1]);
  TDccManager manager(loop, prefs, link);
  Clock::time_point start = Clock::now();
  uint64_t id = manager.AddSend(kUnit, "receiver", source);
  manager.Start(TTransferKind::Send, std::vector<uint64_t>{id});
  // The send is done once the receiving program reports.
  int watch = loop.AddWatch(results[0], true, false, [&loop](bool, bool) { loop.Quit(); });
  loop.Run();
  loop.RemoveWatch(watch);
  TRun run;
  bool ok = Waited(child);
  run.seconds = Seconds(start);
  char text[128] = {};
  ssize_t n = read(results[0], text, sizeof text - 1);
  if (n > 0) std::sscanf(text, "%lf %ld", &run.steady_seconds, &run.steady_bytes);
  close(offers[1]);
  close(results[0]);
  if (!ok) run.seconds = -1;
  return run;
}

}  // namespace

// Moves the file once with socat and once with our endpoints; the
// throughput of each in MiB/s, or nothing when a transfer failed.
bool Compare(const fs::path& root, const fs::path& source, int64_t mib, int buffer_kb) {
  double socat = SocatSeconds(source, root / "socat.bin", buffer_kb * 1024);
  fs::remove(root / "socat.bin");
  TPreferences prefs;
  prefs.DCCReceivePortStart = FreePort();
  prefs.DCCReceivePortEnd = prefs.DCCReceivePortStart + 20;
  prefs.EnableSendBufferSize = true;
  prefs.SendBufferSize = buffer_kb;
  TRun ours = SendToChild(source, root / "received", prefs, 0);
  bool same = SameContents(root / "received" / source.filename(), source);
  fs::remove_all(root / "received");
  if (socat <= 0 || ours.seconds <= 0 || !same) {
    std::fprintf(stderr, "a transfer failed (socat %.2f s, ours %.2f s)\n", socat, ours.seconds);
    return false;
  }
  double socat_rate = static_cast<double>(mib) / socat;
  double our_rate = static_cast<double>(mib) / ours.seconds;
  std::printf("pieces of %2d KiB: socat %7.1f MiB/s (%5.2f s), DCC send/receive %7.1f MiB/s (%5.2f s), ratio %.2f\n",
              buffer_kb, socat_rate, socat, our_rate, ours.seconds, our_rate / socat_rate);
  return true;
}

int main(int argc, char** argv) {
  int64_t mib = argc > 1 ? std::atoll(argv[1]) : 1024;
  net::InitSocketLibrary();
  TTempRoot root;
  fs::path source = root.Path() / "source.bin";
  if (root.Path().empty() || !MakeFile(source, mib * kMiB)) {
    std::fprintf(stderr, "cannot create the %ld MiB file\n", mib);
    return 1;
  }
  std::printf("file: %ld MiB over 127.0.0.1\n", mib);

  // socat's own default buffer is 8 KiB; both sides move pieces of the same
  // size each time (SendBufferSize for ours).
  for (int buffer_kb : {8, 64}) {
    if (!Compare(root.Path(), source, mib, buffer_kb)) return 1;
  }
  std::printf("(target: ratio >= 0.80)\n");

  // Under a limit each second lets its budget go at once; the rate is
  // measured from the second second to the seventh.
  constexpr int kLimitKb = 20 * 1024;
  constexpr int64_t kBudget = kLimitKb * 1024LL;
  fs::path limited = root.Path() / "limited.bin";
  MakeFile(limited, 7 * kBudget);
  TPreferences prefs;
  prefs.DCCReceivePortStart = FreePort();
  prefs.DCCReceivePortEnd = prefs.DCCReceivePortStart + 20;
  prefs.EnableMaxOutgoingBandwidth = true;
  prefs.MaxOutgoingBandwidth = kLimitKb;
  TRun paced = SendToChild(limited, root.Path() / "received", prefs, kBudget);
  if (paced.seconds <= 0 || paced.steady_seconds <= 0) {
    std::fprintf(stderr, "the limited transfer failed\n");
    return 1;
  }
  double paced_rate = static_cast<double>(paced.steady_bytes) / paced.steady_seconds / 1024.0;
  double deviation = (paced_rate - kLimitKb) / kLimitKb * 100.0;
  std::printf("limit %d KB/s:  %8.1f KB/s measured by the receiver (%+.2f %%, target within 2 %%)\n", kLimitKb,
              paced_rate, deviation);
  return 0;
}
