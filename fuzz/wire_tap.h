#pragma once

// A listening socket of the fuzzing process that units connect to, so that
// every byte a unit sends in answer to hostile input can be read back and
// checked: the stream must be whole lines of at most 510 bytes, each ended
// by CR LF, with no CR, LF or NUL inside (peer text that slipped through
// would end a line early and run as a command of its own). Connections
// live for one input only.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/unit.h"
#include "platform/poll_loop.h"

namespace zeph::fuzz {

class TWireTap {
 public:
  static TWireTap& Instance() {
    static TWireTap tap;
    return tap;
  }
  int Port() const { return port_; }

  // Connects the unit here and runs the loop until its registration is on
  // the way; false when that did not happen.
  bool Connect(TUnit& unit, TPollLoop& loop) {
    unit.Config().hostname = "127.0.0.1";
    unit.Config().port = port_;
    unit.Connect();
    return loop.RunUntil([&] { return unit.State() != TUnitState::Connecting; }, 1000) &&
           unit.State() != TUnitState::Idle;
  }

  // Reads what every connection made during the input sent, checks it,
  // and resets the connections so that nothing lingers.
  void CheckAndClose() {
    for (int fd; (fd = accept4(listen_fd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC)) >= 0;) {
      CheckStream(ReadAll(fd));
      Reset(fd);
    }
  }

  // The next connection made here, once the loop has made it; -1 when
  // none comes. The caller talks on it and ends it with Reset.
  int Accept(TPollLoop& loop) {
    int fd = -1;
    loop.RunUntil([&] { return (fd = accept4(listen_fd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC)) >= 0; },
                  1000);
    return fd;
  }
  // Closes with a reset: no side keeps the connection in TIME_WAIT, so
  // millions of inputs do not run out of ports.
  static void Reset(int fd) {
    linger reset{1, 0};
    setsockopt(fd, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
    close(fd);
  }
  static std::string ReadAll(int fd) {
    std::string bytes;
    char chunk[65536];
    for (;;) {
      ssize_t n = recv(fd, chunk, sizeof chunk, 0);
      if (n <= 0) break;
      bytes.append(chunk, static_cast<size_t>(n));
    }
    return bytes;
  }

 private:
  TWireTap() {
    listen_fd_ = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof at;
    if (bind(listen_fd_, reinterpret_cast<sockaddr*>(&at), length) != 0 || listen(listen_fd_, 64) != 0 ||
        getsockname(listen_fd_, reinterpret_cast<sockaddr*>(&at), &length) != 0)
      abort();
    port_ = ntohs(at.sin_port);
  }

  // A line cut short at the end of what arrived counts as far as it goes.
  static void CheckStream(std::string_view bytes) {
    while (!bytes.empty()) {
      size_t end = bytes.find("\r\n");
      std::string_view line = bytes.substr(0, end);
      if (end == std::string_view::npos && !line.empty() && line.back() == '\r') line.remove_suffix(1);
      if (line.size() > 510 || line.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) abort();
      if (end == std::string_view::npos) break;
      bytes.remove_prefix(end + 2);
    }
  }

  int listen_fd_ = -1;
  int port_ = 0;
};

}  // namespace zeph::fuzz
