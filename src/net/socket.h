#pragma once

#include <cstdint>
#include <string>

#include "net/byte_buffer.h"
#include "net/resolver.h"
#include "net/stream_socket.h"
#include "platform/event_loop.h"
#include "platform/life_guard.h"
#include "platform/net.h"

namespace zeph {

// An event-driven TCP client socket: resolve, connect, receive into a
// buffer, send what the operating system takes. Failures close the socket
// and report an operation kind and a Japanese text.
class TSocket final : public TStreamSocket, private TResolverListener {
 public:
  // Bytes read per readiness event at most, so one flooding peer cannot
  // hold the loop; the rest is read on the next event.
  static constexpr int kReadChunk = 65536;
  static constexpr int kReadsPerEvent = 4;

  explicit TSocket(IEventLoop& loop);
  // A socket accepted by a listening socket: already connected and watched.
  TSocket(IEventLoop& loop, int accepted_fd, const net::TNetAddress& peer, uint16_t peer_port);
  ~TSocket() override;
  TSocket(const TSocket&) = delete;
  TSocket& operator=(const TSocket&) = delete;

  void SetListener(TSocketListener* listener) { listener_ = listener; }
  void SetHost(std::string host) { host_ = std::move(host); }
  void SetPort(int port) { port_ = port; }

  void Connect();
  void Close();

  int Length() const override { return buffer_.Length(); }
  int Read(char* destination, int n) override { return buffer_.Read(destination, n); }
  std::string_view ReadLine() override { return buffer_.ReadLine(); }
  bool TakeDroppedLine() override { return buffer_.TakeDroppedLine(); }
  int Send(const char* bytes, int n) override;

  bool IsActive() const { return active_; }
  const std::string& Host() const { return host_; }
  int Port() const { return port_; }
  // IPv4 in network byte order; TResolver::kNone when not known.
  uint32_t Address() const { return address_.IsIpv4() ? address_.Ipv4() : TResolver::kNone; }
  const net::TNetAddress& NetAddress() const { return address_; }
  TByteBuffer& ReceiveBuffer() { return buffer_; }

 private:
  void OnResolved(TResolver& resolver) override;
  void OnResolveFailed(TResolver& resolver) override;
  void OnReady(bool readable, bool writable);
  void FinishConnect();
  void Receive();
  void WatchEvents();
  // Closes, then reports the failure.
  void Fail(int kind, int code);
  // Closes now and reports on the next turn of the loop: used where the
  // caller is still inside its own call into us (Send).
  void FailLater(int kind, int code);

  IEventLoop& loop_;
  TSocketListener* listener_ = nullptr;
  int fd_ = -1;
  bool active_ = false;
  bool connecting_ = false;
  bool want_write_ = false;
  std::string host_;
  int port_ = 0;
  net::TNetAddress address_;
  TByteBuffer buffer_;
  TResolver resolver_;
  TFdWatch watch_;
  // Renewed at every close, so a report for an earlier connection is never
  // delivered.
  TLifeGuard guard_;
};

}  // namespace zeph
