#include "net/proxy_socket.h"

#include <algorithm>

#include "net/socket_error.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

constexpr int kHandshakeChunk = 4096;

void PutPort(std::string& out, int port) {
  out.push_back(static_cast<char>((port >> 8) & 0xFF));
  out.push_back(static_cast<char>(port & 0xFF));
}

}  // namespace

TProxySocket::TProxySocket(IEventLoop& loop) : inner_(loop), target_resolver_(loop) {
  inner_.SetListener(this);
  target_resolver_.SetListener(this);
}

TProxySocket::~TProxySocket() { inner_.SetListener(nullptr); }

void TProxySocket::SetTarget(const std::string& host, int port) {
  if (IsConnected()) return;
  target_host_ = host;
  target_port_ = port;
}

void TProxySocket::Connect() {
  if (inner_.IsActive()) inner_.Close();
  target_resolver_.Cancel();
  guard_.Renew();
  first_hop_connected_ = false;
  step_ = kIdle;
  target_address_ = {};
  handshake_.Clear();
  inner_.SetHost(enable_socks ? socks_hostname : target_host_);
  inner_.SetPort(enable_socks ? socks_port : target_port_);
  inner_.Connect();
}

void TProxySocket::Abort() {
  guard_.Renew();
  first_hop_connected_ = false;
  step_ = kIdle;
  target_address_ = {};
  handshake_.Clear();
  target_resolver_.Cancel();
  inner_.Close();
}

int TProxySocket::Length() const { return Handshaking() ? 0 : inner_.Length(); }

int TProxySocket::Read(char* destination, int n) { return Handshaking() ? 0 : inner_.Read(destination, n); }

std::string_view TProxySocket::ReadLine() { return Handshaking() ? std::string_view() : inner_.ReadLine(); }

int TProxySocket::Send(const char* bytes, int n) { return Handshaking() ? 0 : inner_.Send(bytes, n); }

void TProxySocket::OnSocketConnected(TStreamSocket&) {
  first_hop_connected_ = true;
  if (!enable_socks) {
    guard_.Report(listener_, &TSocketListener::OnSocketConnected, *this);
    return;
  }
  step_ = kResolving;
  target_resolver_.SetHost(target_host_);
  target_resolver_.Resolve();
}

void TProxySocket::OnSocketClosed(TStreamSocket&) {
  first_hop_connected_ = false;
  step_ = kIdle;
  guard_.Report(listener_, &TSocketListener::OnSocketClosed, *this);
}

void TProxySocket::OnSocketResolved(TStreamSocket&) {
  if (enable_socks) return;  // that was the proxy's own address
  target_address_ = inner_.NetAddress();
  guard_.Report(listener_, &TSocketListener::OnSocketResolved, *this);
}

void TProxySocket::OnSocketData(TStreamSocket&) {
  if (!Handshaking()) {
    guard_.Report(listener_, &TSocketListener::OnSocketData, *this);
    return;
  }
  char chunk[kHandshakeChunk];
  int moved = inner_.ReceiveBuffer().Read(chunk, kHandshakeChunk);
  if (moved <= 0) return;
  handshake_.Append(chunk, moved);
  RunHandshake();
}

void TProxySocket::OnSocketWritable(TStreamSocket&) {
  if (Handshaking()) return;
  guard_.Report(listener_, &TSocketListener::OnSocketWritable, *this);
}

void TProxySocket::OnSocketError(TStreamSocket&, int kind, const std::string& text) {
  Abort();
  guard_.Report(listener_, &TSocketListener::OnSocketError, *this, kind, text);
}

void TProxySocket::OnResolved(TResolver& resolver) { TargetResolved(resolver.NetAddress()); }

void TProxySocket::OnResolveFailed(TResolver&) { TargetResolved({}); }

void TProxySocket::TargetResolved(const net::TNetAddress& address) {
  target_address_ = address;
  if (!first_hop_connected_) return;
  if (address.IsValid() && !guard_.Report(listener_, &TSocketListener::OnSocketResolved, *this).Holds()) return;
  if (socks_version != 4) {
    SendSocks5Greeting();
  } else if (address.IsIpv4()) {
    SendSocks4Request();
  } else {
    // A SOCKS 4 request always carries an IPv4 address.
    Refuse(kSocketErrorResolve, std::string());
  }
}

void TProxySocket::SendRaw(const std::string& bytes) {
  inner_.Send(bytes.data(), static_cast<int>(bytes.size()));
}

void TProxySocket::SendSocks4Request() {
  std::string request = {0x04, 0x01};
  PutPort(request, target_port_);
  request.append(reinterpret_cast<const char*>(target_address_.bytes), 4);
  request += username.substr(0, 64);
  request.push_back('\0');
  step_ = kAwaitReply;
  SendRaw(request);
}

void TProxySocket::SendSocks5Greeting() {
  bool offer_auth = enable_socks_auth && !username.empty() && !password.empty();
  step_ = kAwaitMethod;
  SendRaw(offer_auth ? std::string("\x05\x02\x00\x02", 4) : std::string("\x05\x01\x00", 3));
}

void TProxySocket::SendSocks5Auth() {
  std::string user = username.substr(0, 255);
  std::string pass = password.substr(0, 255);
  std::string request;
  request.push_back(0x01);
  request.push_back(static_cast<char>(user.size()));
  request += user;
  request.push_back(static_cast<char>(pass.size()));
  request += pass;
  step_ = kAwaitAuth;
  SendRaw(request);
}

void TProxySocket::SendSocks5Connect() {
  std::string request("\x05\x01\x00", 3);
  if (target_address_.IsIpv4()) {
    request.push_back(0x01);
    request.append(reinterpret_cast<const char*>(target_address_.bytes), 4);
  } else if (target_address_.IsValid()) {
    request.push_back(0x04);
    request.append(reinterpret_cast<const char*>(target_address_.bytes), 16);
  } else {
    // Our own lookup failed: let the proxy try the name.
    std::string host = target_host_.substr(0, 255);
    request.push_back(0x03);
    request.push_back(static_cast<char>(host.size()));
    request += host;
  }
  PutPort(request, target_port_);
  step_ = kAwaitReply;
  SendRaw(request);
}

void TProxySocket::RunHandshake() {
  switch (step_) {
    case kAwaitReply:
      if (socks_version == 4) {
        OnSocks4Reply();
      } else {
        OnSocks5Reply();
      }
      break;
    case kAwaitMethod: OnSocks5Method(); break;
    case kAwaitAuth: OnSocks5Auth(); break;
    default: break;
  }
}

void TProxySocket::OnSocks4Reply() {
  unsigned char reply[8];
  if (handshake_.Length() < 8) return;
  handshake_.Read(reinterpret_cast<char*>(reply), 8);
  switch (reply[1]) {
    case 0x5A: Granted(); break;
    case 0x5C: Refuse(kSocketErrorProxy, Sjis("SOCKSサーバがidentdに接続できませんでした")); break;
    case 0x5D:
      Refuse(kSocketErrorProxy, Sjis("SOCKSサーバに送信したユーザ名がidentdのユーザ名と異なります"));
      break;
    default: Refuse(kSocketErrorConnect, std::string()); break;
  }
}

void TProxySocket::OnSocks5Method() {
  unsigned char reply[2];
  if (handshake_.Length() < 2) return;
  handshake_.Read(reinterpret_cast<char*>(reply), 2);
  switch (reply[1]) {
    case 0x00: SendSocks5Connect(); break;
    case 0x02: SendSocks5Auth(); break;
    // 0xFF, or a method we never offered and cannot speak: waiting would
    // hang the connection for good.
    default: Refuse(kSocketErrorProxy, Sjis("SOCKSサーバへの接続方法がありません")); break;
  }
}

void TProxySocket::OnSocks5Auth() {
  unsigned char reply[2];
  if (handshake_.Length() < 2) return;
  handshake_.Read(reinterpret_cast<char*>(reply), 2);
  if (reply[1] == 0) {
    SendSocks5Connect();
  } else {
    Refuse(kSocketErrorProxy, Sjis("SOCKSサーバのユーザ認証に失敗しました"));
  }
}

void TProxySocket::OnSocks5Reply() {
  unsigned char head[5];
  int have = handshake_.Peek(reinterpret_cast<char*>(head), 5);
  if (have < 4) return;
  int tail = 0;
  switch (head[3]) {
    case 0x01: tail = 4 + 2; break;
    case 0x04: tail = 16 + 2; break;
    case 0x03:
      if (have < 5) return;
      tail = 1 + head[4] + 2;
      break;
    default: break;
  }
  if (handshake_.Length() < 4 + tail) return;
  handshake_.Consume(4 + tail);
  switch (head[1]) {
    case 0: Granted(); break;
    case 2: Refuse(kSocketErrorProxy, Sjis("SOCKSサーバのルールセットにより接続が拒否されました")); break;
    case 7: Refuse(kSocketErrorProxy, Sjis("SOCKSサーバがサポートしないコマンドです")); break;
    case 8: Refuse(kSocketErrorProxy, Sjis("SOCKSサーバがサポートしないアドレスタイプです")); break;
    default: Refuse(kSocketErrorConnect, std::string()); break;
  }
}

void TProxySocket::Refuse(int kind, const std::string& text) {
  Abort();
  guard_.Report(listener_, &TSocketListener::OnSocketError, *this, kind, text);
}

// The tunnel is up. Bytes after the final reply are the first bytes of the
// IRC stream: they go back in front of anything received later.
void TProxySocket::Granted() {
  step_ = kIdle;
  if (!guard_.Report(listener_, &TSocketListener::OnSocketConnected, *this).Holds()) return;
  int leftover = handshake_.Length();
  if (leftover > 0) {
    inner_.ReceiveBuffer().Prepend(handshake_.Data(), leftover);
    handshake_.Clear();
  }
  if (inner_.Length() > 0) guard_.Report(listener_, &TSocketListener::OnSocketData, *this);
}

}  // namespace zeph
