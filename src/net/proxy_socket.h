#pragma once

#include <string>

#include "net/byte_buffer.h"
#include "net/resolver.h"
#include "net/socket.h"
#include "net/stream_socket.h"
#include "platform/life_guard.h"

namespace zeph {

// The socket a unit's IRC connection talks through: a plain TCP connection,
// or one tunnelled through a SOCKS 4 or SOCKS 5 proxy. Either way it reports
// to its listener as a plain socket would; the handshake is invisible.
class TProxySocket final : public TStreamSocket, private TSocketListener, private TResolverListener {
 public:
  enum TStep {
    kIdle = 0,          // no handshake running
    kResolving = 1,     // connected to the proxy, resolving the target
    kAwaitReply = 2,    // SOCKS 4 request or SOCKS 5 connect request sent
    kAwaitMethod = 3,   // SOCKS 5 greeting sent
    kAwaitAuth = 4,     // SOCKS 5 user name and password sent
  };

  explicit TProxySocket(IEventLoop& loop);
  ~TProxySocket() override;

  void SetListener(TSocketListener* listener) { listener_ = listener; }
  void SetTarget(const std::string& host, int port);

  // Proxy settings, filled by the unit before every connection.
  bool enable_socks = false;
  int socks_version = 4;  // 4, or anything else for SOCKS 5
  std::string socks_hostname;
  int socks_port = 1080;
  bool enable_socks_auth = false;
  std::string username;
  std::string password;

  void Connect();
  // Closes without a report.
  void Abort();

  int Length() const override;
  int Read(char* destination, int n) override;
  std::string_view ReadLine() override;
  bool TakeDroppedLine() override { return inner_.TakeDroppedLine(); }
  int Send(const char* bytes, int n) override;

  // The TCP connection to the first hop is up; already true during a
  // proxy handshake.
  bool IsConnected() const { return first_hop_connected_; }
  TStep Step() const { return step_; }
  const std::string& TargetHost() const { return target_host_; }
  int TargetPort() const { return target_port_; }
  TSocket& Inner() { return inner_; }

 private:
  bool Handshaking() const { return enable_socks && step_ != kIdle; }

  void OnSocketConnected(TStreamSocket&) override;
  void OnSocketClosed(TStreamSocket&) override;
  void OnSocketResolved(TStreamSocket&) override;
  void OnSocketData(TStreamSocket&) override;
  void OnSocketWritable(TStreamSocket&) override;
  void OnSocketError(TStreamSocket&, int kind, const std::string& text) override;
  void OnResolved(TResolver& resolver) override;
  void OnResolveFailed(TResolver& resolver) override;
  void TargetResolved(const net::TNetAddress& address);

  void RunHandshake();
  void SendSocks4Request();
  void SendSocks5Greeting();
  void SendSocks5Connect();
  void SendSocks5Auth();
  void OnSocks4Reply();
  void OnSocks5Method();
  void OnSocks5Auth();
  void OnSocks5Reply();
  void SendRaw(const std::string& bytes);
  void Refuse(int kind, const std::string& text);
  void Granted();

  TSocketListener* listener_ = nullptr;
  TSocket inner_;
  TResolver target_resolver_;
  TByteBuffer handshake_;
  TStep step_ = kIdle;
  bool first_hop_connected_ = false;
  std::string target_host_;
  int target_port_ = 0;
  net::TNetAddress target_address_;  // none until resolved
  // Renewed by Connect and Abort, so a report that started one connection
  // never continues into the next.
  TLifeGuard guard_;
};

}  // namespace zeph
