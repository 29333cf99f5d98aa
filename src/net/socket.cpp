#include "net/socket.h"

#include "net/socket_error.h"

namespace zeph {

TSocket::TSocket(IEventLoop& loop) : loop_(loop), resolver_(loop), watch_(loop) {
  resolver_.SetListener(this);
}

TSocket::TSocket(IEventLoop& loop, int accepted_fd, const net::TNetAddress& peer, uint16_t peer_port)
    : TSocket(loop) {
  fd_ = accepted_fd;
  address_ = peer;
  host_ = peer.ToText();
  port_ = peer_port;
  active_ = true;
  net::DisableSendDelay(fd_);
  WatchEvents();
}

TSocket::~TSocket() { Close(); }

void TSocket::Connect() {
  if (active_) return;
  Close();
  resolver_.SetHost(host_);
  resolver_.Resolve();  // a dotted address reports before this returns
}

void TSocket::Close() {
  active_ = false;
  connecting_ = false;
  want_write_ = false;
  buffer_.Clear();
  resolver_.Cancel();
  watch_.Clear();
  if (fd_ >= 0) {
    net::ShutdownAndClose(fd_);
    fd_ = -1;
  }
  guard_.Renew();
}

void TSocket::OnResolved(TResolver& resolver) {
  address_ = resolver.NetAddress();
  if (!guard_.Report(listener_, &TSocketListener::OnSocketResolved, *this).Holds()) return;
  int error = 0;
  fd_ = net::CreateStreamSocket(address_.family, &error);
  if (fd_ < 0) {
    Fail(kSocketErrorCreate, error);
    return;
  }
  net::DisableSendDelay(fd_);  // failing only costs latency
  int code = net::StartConnect(fd_, address_, static_cast<uint16_t>(port_));
  if (code != 0 && !IsTransientSocketError(code)) {
    Fail(kSocketErrorConnect, code);
    return;
  }
  active_ = true;
  connecting_ = true;  // even an immediate success is reported by the loop, as an event
  WatchEvents();
}

void TSocket::OnResolveFailed(TResolver&) { Fail(kSocketErrorResolve, -1); }

void TSocket::WatchEvents() {
  if (fd_ < 0) return;
  bool write = connecting_ || want_write_;
  if (!watch_.IsActive()) {
    watch_.Watch(fd_, true, write, [this](bool r, bool w) { OnReady(r, w); });
  } else {
    watch_.Update(true, write);
  }
}

void TSocket::OnReady(bool readable, bool writable) {
  if (!active_ || fd_ < 0) return;
  if (connecting_) {
    FinishConnect();
    return;  // data that came with the connection is read on the next event
  }
  if (readable) {
    TLifeGuard::TStamp stamp = guard_.Stamp();
    Receive();
    if (!stamp.Holds()) return;
  }
  if (writable && want_write_) {
    want_write_ = false;
    WatchEvents();
    guard_.Report(listener_, &TSocketListener::OnSocketWritable, *this);
  }
}

void TSocket::FinishConnect() {
  int code = net::PendingError(fd_);
  if (code != 0) {
    Fail(kSocketErrorConnect, code);
    return;
  }
  connecting_ = false;
  WatchEvents();
  guard_.Report(listener_, &TSocketListener::OnSocketConnected, *this);
}

void TSocket::Receive() {
  static char chunk[kReadChunk];
  long total = 0;
  long n = -1;
  int error = 0;
  for (int i = 0; i < kReadsPerEvent; ++i) {
    n = net::ReceiveBytes(fd_, chunk, sizeof chunk, &error);
    if (n <= 0) break;
    buffer_.Append(chunk, static_cast<int>(n));
    total += n;
  }
  // What the peer sent before closing is delivered before the close.
  if (total > 0 && !guard_.Report(listener_, &TSocketListener::OnSocketData, *this).Holds()) return;
  if (n == 0) {
    Close();
    guard_.Report(listener_, &TSocketListener::OnSocketClosed, *this);
  } else if (n < 0 && !IsTransientSocketError(error)) {
    Fail(kSocketErrorReceive, error);
  }
}

int TSocket::Send(const char* bytes, int n) {
  if (n <= 0 || !active_ || connecting_ || fd_ < 0) return 0;
  int error = 0;
  long sent = net::SendBytes(fd_, bytes, static_cast<size_t>(n), &error);
  if (sent >= 0) {
    if (sent < n) {
      want_write_ = true;
      WatchEvents();
    }
    return static_cast<int>(sent);
  }
  if (IsTransientSocketError(error)) {
    want_write_ = true;
    WatchEvents();
  } else {
    FailLater(kSocketErrorSend, error);
  }
  return 0;
}

void TSocket::Fail(int kind, int code) {
  Close();
  std::string text = SocketErrorText(kind, code);
  guard_.Report(listener_, &TSocketListener::OnSocketError, *this, kind, text);
}

void TSocket::FailLater(int kind, int code) {
  Close();
  loop_.Post([this, stamp = guard_.Stamp(), kind, code] {
    if (!stamp.Holds()) return;  // gone or connecting again
    std::string text = SocketErrorText(kind, code);
    guard_.Report(listener_, &TSocketListener::OnSocketError, *this, kind, text);
  });
}

}  // namespace zeph
