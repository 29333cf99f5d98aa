#include "support/loopback_peer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <linux/sockios.h>
#include <linux/tcp.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "platform/host_lookup.h"

namespace zeph::test {
namespace {

int BindLoopback(int port) {
  int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  int on = 1;
  setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in at{};
  at.sin_family = AF_INET;
  at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  at.sin_port = htons(static_cast<uint16_t>(port));
  if (bind(fd, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

int BoundPort(int fd) {
  sockaddr_in at{};
  socklen_t length = sizeof at;
  getsockname(fd, reinterpret_cast<sockaddr*>(&at), &length);
  return ntohs(at.sin_port);
}

// The port at the other end of an IPv4 socket; 0 for anything else.
int PeerPort(int fd) {
  sockaddr_in at{};
  socklen_t length = sizeof at;
  if (getpeername(fd, reinterpret_cast<sockaddr*>(&at), &length) != 0 || at.sin_family != AF_INET) return 0;
  return ntohs(at.sin_port);
}

// Bytes the application at this end has read from the socket, and bytes it
// has written to it (sent or still queued). The SYN of a connection we
// opened counts as one acknowledged byte.
uint64_t BytesRead(int fd) {
  tcp_info info{};
  socklen_t length = sizeof info;
  int unread = 0;
  if (getsockopt(fd, IPPROTO_TCP, TCP_INFO, &info, &length) != 0 || ioctl(fd, SIOCINQ, &unread) != 0) return 0;
  return info.tcpi_bytes_received - static_cast<uint64_t>(unread);
}

uint64_t BytesWrittenByConnector(int fd) {
  tcp_info info{};
  socklen_t length = sizeof info;
  int unacknowledged = 0;
  if (getsockopt(fd, IPPROTO_TCP, TCP_INFO, &info, &length) != 0 || ioctl(fd, SIOCOUTQ, &unacknowledged) != 0)
    return 0;
  return info.tcpi_bytes_acked + static_cast<uint64_t>(unacknowledged) - 1;
}

bool FakeLookUp(const std::string& host, net::TNetAddress* address) {
  bool local = host == "localhost" || (host.size() > 5 && host.compare(host.size() - 5, 5, ".test") == 0);
  if (!local) return false;
  *address = net::TNetAddress::FromIpv4(htonl(INADDR_LOOPBACK));
  return true;
}

}  // namespace

TLoopbackPeer::TLoopbackPeer(TPollLoop& loop) : loop_(loop) {
  listen_fd_ = BindLoopback(0);
  listen(listen_fd_, 8);
  port_ = BoundPort(listen_fd_);
  listen_watch_ = loop_.AddWatch(listen_fd_, true, false, [this](bool, bool) { Accept(); });
}

TLoopbackPeer::~TLoopbackPeer() {
  CloseClient();
  loop_.RemoveWatch(listen_watch_);
  close(listen_fd_);
}

void TLoopbackPeer::Accept() {
  sockaddr_in from{};
  socklen_t length = sizeof from;
  int fd = accept4(listen_fd_, reinterpret_cast<sockaddr*>(&from), &length, SOCK_NONBLOCK | SOCK_CLOEXEC);
  if (fd < 0) return;
  CloseClient();
  client_port_ = ntohs(from.sin_port);
  sent_total_ = 0;
  received_total_ = 0;
  // Each scripted line goes out at once: a small write must not wait for
  // the acknowledgement of the one before, or the unit sees it late.
  int on = 1;
  setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  client_ = fd;
  ++accepted_;
  client_watch_ = loop_.AddWatch(client_, reading_, false, [this](bool, bool) { Read(); });
}

void TLoopbackPeer::Read() {
  char chunk[65536];
  for (;;) {
    ssize_t n = recv(client_, chunk, sizeof chunk, 0);
    if (n > 0) {
      received_.append(chunk, static_cast<size_t>(n));
      received_total_ += static_cast<uint64_t>(n);
      continue;
    }
    if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
      CloseClient();
      return;
    }
    break;
  }
  if (on_data) on_data(*this);
}

bool TLoopbackPeer::WaitFor(std::string_view text, int timeout_ms) {
  return loop_.RunUntil([&] { return received_.find(text) != std::string::npos; }, timeout_ms);
}

bool TLoopbackPeer::WaitForClient(int timeout_ms) {
  return loop_.RunUntil([&] { return HasClient(); }, timeout_ms);
}

int TLoopbackPeer::FindClientSocket() const {
  if (client_port_ == 0) return -1;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", ec)) {
    int fd = std::atoi(entry.path().filename().c_str());
    sockaddr_in at{};
    socklen_t length = sizeof at;
    if (getsockname(fd, reinterpret_cast<sockaddr*>(&at), &length) != 0 || at.sin_family != AF_INET) continue;
    if (ntohs(at.sin_port) == client_port_ && PeerPort(fd) == port_) return fd;
  }
  return -1;
}

// Checked in the order the bytes travel, so that nothing can move from a
// place not yet looked at to one already looked at.
bool TLoopbackPeer::Drained() const {
  pollfd waiting{listen_fd_, POLLIN, 0};
  if (poll(&waiting, 1, 0) > 0) return false;  // a connection to accept first
  int client = FindClientSocket();
  if (client_ < 0) return client < 0;
  if (client < 0) return false;  // closed there: we have yet to read the end
  if (BytesRead(client) != sent_total_) return false;
  return !reading_ || BytesWrittenByConnector(client) == received_total_;
}

bool TLoopbackPeer::Sync(int timeout_ms) {
  loop_.RunOnce(0);
  return loop_.RunUntil([&] { return Drained(); }, timeout_ms);
}

void TLoopbackPeer::Send(std::string_view bytes) {
  size_t done = 0;
  while (client_ >= 0 && done < bytes.size()) {
    ssize_t n = send(client_, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
    if (n > 0) {
      done += static_cast<size_t>(n);
      sent_total_ += static_cast<uint64_t>(n);
    } else if (n < 0 && errno == EAGAIN) {
      pollfd p{client_, POLLOUT, 0};
      poll(&p, 1, 100);
    } else {
      break;
    }
  }
}

void TLoopbackPeer::CloseClient() {
  if (client_ < 0) return;
  loop_.RemoveWatch(client_watch_);
  close(client_);
  client_ = -1;
}

void TLoopbackPeer::SetReading(bool reading) {
  reading_ = reading;
  if (client_ >= 0) loop_.UpdateWatch(client_watch_, reading, false);
}

int FreeLoopbackPort() {
  int fd = BindLoopback(0);
  int port = BoundPort(fd);
  close(fd);
  return port;
}

void UseFakeHostLookup() { SetHostLookupFunction(&FakeLookUp); }

}  // namespace zeph::test
