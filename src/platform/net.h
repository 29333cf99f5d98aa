#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Thin non-blocking POSIX socket calls. Failures come back as the Windows
// Sockets error numbers (10035, 10061, ...) that the program reports and
// prints, so the engine's error texts are the same on every platform.
namespace zeph::net {

inline constexpr int kErrorWouldBlock = 10035;
inline constexpr int kErrorInProgress = 10036;
inline constexpr int kErrorAlready = 10037;
inline constexpr int kErrorNoBuffers = 10055;
inline constexpr int kErrorConnectionReset = 10054;

// An IPv4 or IPv6 address. IPv4 is what the IRC and DCC protocols carry;
// IPv6 is used only where nothing depends on a 32-bit address.
struct TNetAddress {
  int family = 0;  // 0 (none), AF_INET or AF_INET6
  uint8_t bytes[16] = {};

  static TNetAddress FromIpv4(uint32_t network_order);
  bool IsIpv4() const;
  bool IsValid() const { return family != 0; }
  // The IPv4 address in network byte order; 0 when this is not IPv4.
  uint32_t Ipv4() const;
  std::string ToText() const;
};

// Maps an errno value to the Windows Sockets number; -1 when there is none.
int ErrorFromErrno(int err);

// Once at start: a peer that closes while we write must not kill the
// process with SIGPIPE.
bool InitSocketLibrary();

// Each returns a descriptor or -1 and stores the error number in *error.
int CreateStreamSocket(int family, int* error);
int AcceptConnection(int listen_fd, TNetAddress* peer, uint16_t* peer_port, int* error);

// Each returns 0 or the error number.
int StartConnect(int fd, const TNetAddress& address, uint16_t port);
int PendingError(int fd);
int EnableAddressReuse(int fd);
// Sends each write at once instead of holding small ones back for an
// acknowledgement: lines are written whole, and a PONG must not wait.
int DisableSendDelay(int fd);
int BindSocket(int fd, const TNetAddress& address, uint16_t port);
int ListenSocket(int fd, int backlog);

// Bytes moved (> 0), 0 when the peer has closed (receive only), or -1 with
// the error number in *error.
long ReceiveBytes(int fd, char* buffer, size_t size, int* error);
long SendBytes(int fd, const char* data, size_t size, int* error);

void ShutdownAndClose(int fd);
bool LocalAddress(int fd, TNetAddress* address, uint16_t* port);

// A dotted IPv4 text ("127.0.0.1"; also the short forms inet_aton takes).
// False for anything else.
bool ParseIpv4(const std::string& text, uint32_t* network_order);
// An IPv6 text ("::1"). False for anything else.
bool ParseIpv6(const std::string& text, TNetAddress* address);
std::string LocalHostName();

}  // namespace zeph::net
