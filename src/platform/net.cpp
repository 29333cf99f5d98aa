#include "platform/net.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zeph::net {
namespace {

socklen_t FillSockaddr(const TNetAddress& address, uint16_t port, sockaddr_storage* out) {
  std::memset(out, 0, sizeof *out);
  if (address.family == AF_INET6) {
    auto* in6 = reinterpret_cast<sockaddr_in6*>(out);
    in6->sin6_family = AF_INET6;
    in6->sin6_port = htons(port);
    std::memcpy(&in6->sin6_addr, address.bytes, 16);
    return sizeof *in6;
  }
  auto* in4 = reinterpret_cast<sockaddr_in*>(out);
  in4->sin_family = AF_INET;
  in4->sin_port = htons(port);
  in4->sin_addr.s_addr = address.Ipv4();
  return sizeof *in4;
}

void ReadSockaddr(const sockaddr_storage& in, TNetAddress* address, uint16_t* port) {
  if (in.ss_family == AF_INET6) {
    const auto* in6 = reinterpret_cast<const sockaddr_in6*>(&in);
    address->family = AF_INET6;
    std::memcpy(address->bytes, &in6->sin6_addr, 16);
    *port = ntohs(in6->sin6_port);
  } else {
    const auto* in4 = reinterpret_cast<const sockaddr_in*>(&in);
    *address = TNetAddress::FromIpv4(in4->sin_addr.s_addr);
    *port = ntohs(in4->sin_port);
  }
}

int LastError() {
  int code = ErrorFromErrno(errno);
  return code != 0 ? code : -1;
}

}  // namespace

TNetAddress TNetAddress::FromIpv4(uint32_t network_order) {
  TNetAddress a;
  a.family = AF_INET;
  std::memcpy(a.bytes, &network_order, 4);
  return a;
}

bool TNetAddress::IsIpv4() const { return family == AF_INET; }

uint32_t TNetAddress::Ipv4() const {
  if (family != AF_INET) return 0;
  uint32_t v;
  std::memcpy(&v, bytes, 4);
  return v;
}

std::string TNetAddress::ToText() const {
  char text[INET6_ADDRSTRLEN] = "";
  if (family == AF_INET || family == AF_INET6) inet_ntop(family, bytes, text, sizeof text);
  return text;
}

int ErrorFromErrno(int err) {
  switch (err) {
    case EINTR: return 10004;
    case EBADF: return 10009;
    case EACCES: case EPERM: return 10013;
    case EFAULT: return 10014;
    case EINVAL: return 10022;
    case EMFILE: case ENFILE: return 10024;
    case EAGAIN: return kErrorWouldBlock;  // EWOULDBLOCK is the same value
    // A non-blocking connect under way; Windows calls this "would block".
    case EINPROGRESS: return kErrorWouldBlock;
    case EALREADY: return kErrorAlready;
    case ENOTSOCK: return 10038;
    case EDESTADDRREQ: return 10039;
    case EMSGSIZE: return 10040;
    case EPROTOTYPE: return 10041;
    case ENOPROTOOPT: return 10042;
    case EPROTONOSUPPORT: return 10043;
    case ESOCKTNOSUPPORT: return 10044;
    case EOPNOTSUPP: return 10045;
    case EPFNOSUPPORT: return 10046;
    case EAFNOSUPPORT: return 10047;
    case EADDRINUSE: return 10048;
    case EADDRNOTAVAIL: return 10049;
    case ENETDOWN: return 10050;
    case ENETUNREACH: return 10051;
    case ENETRESET: return 10052;
    case ECONNABORTED: return 10053;
    // Writing to a connection the peer has reset: Windows reports a reset.
    case ECONNRESET: case EPIPE: return kErrorConnectionReset;
    case ENOBUFS: case ENOMEM: return kErrorNoBuffers;
    case EISCONN: return 10056;
    case ENOTCONN: return 10057;
    case ESHUTDOWN: return 10058;
    case ETOOMANYREFS: return 10059;
    case ETIMEDOUT: return 10060;
    case ECONNREFUSED: return 10061;
    case ELOOP: return 10062;
    case ENAMETOOLONG: return 10063;
    case EHOSTDOWN: return 10064;
    case EHOSTUNREACH: return 10065;
    default: return -1;
  }
}

bool InitSocketLibrary() {
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  return sigaction(SIGPIPE, &ignore, nullptr) == 0;
}

int CreateStreamSocket(int family, int* error) {
  int fd = socket(family == AF_INET6 ? AF_INET6 : AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) *error = LastError();
  return fd;
}

int AcceptConnection(int listen_fd, TNetAddress* peer, uint16_t* peer_port, int* error) {
  sockaddr_storage from{};
  socklen_t length = sizeof from;
  int fd = accept4(listen_fd, reinterpret_cast<sockaddr*>(&from), &length, SOCK_NONBLOCK | SOCK_CLOEXEC);
  if (fd < 0) {
    *error = LastError();
    return -1;
  }
  ReadSockaddr(from, peer, peer_port);
  return fd;
}

int StartConnect(int fd, const TNetAddress& address, uint16_t port) {
  sockaddr_storage to;
  socklen_t length = FillSockaddr(address, port, &to);
  if (connect(fd, reinterpret_cast<sockaddr*>(&to), length) == 0) return 0;
  return LastError();
}

int PendingError(int fd) {
  int err = 0;
  socklen_t length = sizeof err;
  if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &length) != 0) return LastError();
  if (err == 0) return 0;
  int code = ErrorFromErrno(err);
  return code != 0 ? code : -1;
}

int EnableAddressReuse(int fd) {
  int on = 1;
  return setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) == 0 ? 0 : LastError();
}

int DisableSendDelay(int fd) {
  int on = 1;
  return setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on) == 0 ? 0 : LastError();
}

int BindSocket(int fd, const TNetAddress& address, uint16_t port) {
  sockaddr_storage at;
  socklen_t length = FillSockaddr(address, port, &at);
  return bind(fd, reinterpret_cast<sockaddr*>(&at), length) == 0 ? 0 : LastError();
}

int ListenSocket(int fd, int backlog) { return listen(fd, backlog) == 0 ? 0 : LastError(); }

long ReceiveBytes(int fd, char* buffer, size_t size, int* error) {
  ssize_t n;
  do {
    n = recv(fd, buffer, size, 0);
  } while (n < 0 && errno == EINTR);
  if (n < 0) *error = LastError();
  return n;
}

long SendBytes(int fd, const char* data, size_t size, int* error) {
  ssize_t n;
  do {
    n = send(fd, data, size, MSG_NOSIGNAL);
  } while (n < 0 && errno == EINTR);
  if (n < 0) *error = LastError();
  return n;
}

void ShutdownAndClose(int fd) {
  if (fd < 0) return;
  shutdown(fd, SHUT_RDWR);
  close(fd);
}

bool LocalAddress(int fd, TNetAddress* address, uint16_t* port) {
  sockaddr_storage at{};
  socklen_t length = sizeof at;
  if (getsockname(fd, reinterpret_cast<sockaddr*>(&at), &length) != 0) return false;
  ReadSockaddr(at, address, port);
  return true;
}

bool ParseIpv4(const std::string& text, uint32_t* network_order) {
  in_addr a{};
  if (text.empty() || inet_aton(text.c_str(), &a) == 0) return false;
  *network_order = a.s_addr;
  return true;
}

bool ParseIpv6(const std::string& text, TNetAddress* address) {
  in6_addr a{};
  if (inet_pton(AF_INET6, text.c_str(), &a) != 1) return false;
  address->family = AF_INET6;
  std::memcpy(address->bytes, &a, 16);
  return true;
}

std::string LocalHostName() {
  char name[260] = "";
  if (gethostname(name, sizeof name - 1) != 0) return {};
  return name;
}

}  // namespace zeph::net
