#include "platform/termination_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace zeph {
namespace {

// One program, one pair of signal handlers.
int signal_pipe[2] = {-1, -1};

void OnSignal(int) {
  int saved = errno;
  char byte = 1;
  [[maybe_unused]] ssize_t n = write(signal_pipe[1], &byte, 1);
  errno = saved;
}

}  // namespace

TTerminationSignals::TTerminationSignals(IEventLoop& loop, std::function<void()> on_signal)
    : on_signal_(std::move(on_signal)), watch_(loop) {
  if (signal_pipe[0] < 0 && pipe2(signal_pipe, O_NONBLOCK | O_CLOEXEC) != 0) return;
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  watch_.Watch(signal_pipe[0], true, false, [this](bool, bool) { Drain(); });
}

TTerminationSignals::~TTerminationSignals() {
  signal(SIGINT, SIG_DFL);
  signal(SIGTERM, SIG_DFL);
}

void TTerminationSignals::Drain() {
  char bytes[16];
  bool any = false;
  while (read(signal_pipe[0], bytes, sizeof bytes) > 0) any = true;
  if (any && on_signal_) on_signal_();
}

}  // namespace zeph
