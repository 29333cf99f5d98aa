#include "net/listen_socket.h"

#include <sys/socket.h>

#include "net/socket_error.h"

namespace zeph {

TListenSocket::~TListenSocket() {
  Close();
  clients_.clear();
}

void TListenSocket::Fail(int kind, int code) {
  Close();
  if (listener_) listener_->OnListenError(*this, kind, SocketErrorText(kind, code));
}

void TListenSocket::Listen() {
  if (listening_) return;
  int error = 0;
  fd_ = net::CreateStreamSocket(AF_INET, &error);
  if (fd_ < 0) {
    if (listener_) listener_->OnListenError(*this, kSocketErrorCreate, SocketErrorText(kSocketErrorCreate, error));
    return;
  }
  int code = reuse_ ? net::EnableAddressReuse(fd_) : 0;
  if (code != 0) return Fail(kSocketErrorOption, code);
  code = net::BindSocket(fd_, net::TNetAddress::FromIpv4(address_), static_cast<uint16_t>(port_));
  if (code != 0) return Fail(kSocketErrorBind, code);
  code = net::ListenSocket(fd_, kBacklog);
  if (code != 0) return Fail(kSocketErrorListen, code);
  net::TNetAddress bound;
  uint16_t bound_port = 0;
  if (net::LocalAddress(fd_, &bound, &bound_port)) port_ = bound_port;
  watch_.Watch(fd_, true, false, [this](bool, bool) { OnReady(); });
  listening_ = true;
  if (listener_) listener_->OnListening(*this);
}

void TListenSocket::Close() {
  listening_ = false;
  watch_.Clear();
  if (fd_ >= 0) {
    net::ShutdownAndClose(fd_);
    fd_ = -1;
  }
}

void TListenSocket::OnReady() {
  if (!listening_) return;
  net::TNetAddress peer;
  uint16_t peer_port = 0;
  int error = 0;
  int fd = net::AcceptConnection(fd_, &peer, &peer_port, &error);
  if (fd < 0) {
    // The listening socket stays open; a connection that vanished before
    // we took it is nothing to report.
    if (!IsTransientSocketError(error) && listener_)
      listener_->OnListenError(*this, kSocketErrorAccept, SocketErrorText(kSocketErrorAccept, error));
    return;
  }
  auto client = std::make_unique<TSocket>(loop_, fd, peer, peer_port);
  client->SetListener(this);
  clients_.push_back(std::move(client));
  if (listener_) listener_->OnAccepted(*this, ClientCount() - 1);
}

int TListenSocket::IndexOf(const TStreamSocket& socket) const {
  for (size_t i = 0; i < clients_.size(); ++i) {
    if (clients_[i].get() == &socket) return static_cast<int>(i);
  }
  return -1;
}

int TListenSocket::Length(int index) const { return clients_[static_cast<size_t>(index)]->Length(); }

int TListenSocket::Read(int index, char* destination, int n) {
  return clients_[static_cast<size_t>(index)]->Read(destination, n);
}

int TListenSocket::Send(int index, const char* bytes, int n) {
  return clients_[static_cast<size_t>(index)]->Send(bytes, n);
}

void TListenSocket::RemoveClient(int index) {
  if (index < 0 || index >= ClientCount()) return;
  // A client may be removed from inside its own report: let the report
  // unwind before the socket is freed.
  std::shared_ptr<TSocket> retired(clients_[static_cast<size_t>(index)].release());
  clients_.erase(clients_.begin() + index);
  retired->SetListener(nullptr);
  retired->Close();
  loop_.Post([retired] {});
}

void TListenSocket::OnSocketClosed(TStreamSocket& socket) {
  int index = IndexOf(socket);
  if (index >= 0 && listener_) listener_->OnClientClosed(*this, index);
}

void TListenSocket::OnSocketData(TStreamSocket& socket) {
  int index = IndexOf(socket);
  if (index >= 0 && listener_) listener_->OnClientData(*this, index);
}

void TListenSocket::OnSocketWritable(TStreamSocket& socket) {
  int index = IndexOf(socket);
  if (index >= 0 && listener_) listener_->OnClientWritable(*this, index);
}

void TListenSocket::OnSocketError(TStreamSocket& socket, int kind, const std::string& text) {
  int index = IndexOf(socket);
  if (index >= 0 && listener_) listener_->OnClientError(*this, index, kind, text);
}

}  // namespace zeph
