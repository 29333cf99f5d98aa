#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "net/socket.h"
#include "platform/event_loop.h"

namespace zeph {

class TListenSocket;

// What a listening socket reports. Client events carry the client's current
// index in the accepted list.
class TListenSocketListener {
 public:
  virtual ~TListenSocketListener() = default;
  virtual void OnListening(TListenSocket& socket) {}
  virtual void OnListenClosed(TListenSocket& socket) {}
  virtual void OnListenError(TListenSocket& socket, int kind, const std::string& text) {}
  virtual void OnAccepted(TListenSocket& socket, int index) {}
  virtual void OnClientClosed(TListenSocket& socket, int index) {}
  virtual void OnClientData(TListenSocket& socket, int index) {}
  virtual void OnClientWritable(TListenSocket& socket, int index) {}
  virtual void OnClientError(TListenSocket& socket, int index, int kind, const std::string& text) {}
};

// Accepts inbound TCP connections (DCC) and owns the accepted sockets.
class TListenSocket final : private TSocketListener {
 public:
  static constexpr int kBacklog = 5;

  explicit TListenSocket(IEventLoop& loop) : loop_(loop), watch_(loop) {}
  ~TListenSocket() override;
  TListenSocket(const TListenSocket&) = delete;
  TListenSocket& operator=(const TListenSocket&) = delete;

  void SetListener(TListenSocketListener* listener) { listener_ = listener; }
  // IPv4 in network byte order; 0 binds every address.
  void SetAddress(uint32_t address) { address_ = address; }
  // 0 lets the system choose; Port() then tells the chosen one.
  void SetPort(int port) { port_ = port; }
  void SetReuseAddress(bool reuse) { reuse_ = reuse; }

  void Listen();
  void Close();
  bool IsListening() const { return listening_; }
  int Port() const { return port_; }

  int ClientCount() const { return static_cast<int>(clients_.size()); }
  TSocket& Client(int index) { return *clients_[static_cast<size_t>(index)]; }
  int Length(int index) const;
  int Read(int index, char* destination, int n);
  int Send(int index, const char* bytes, int n);
  void RemoveClient(int index);

 private:
  void Fail(int kind, int code);
  void OnReady();
  int IndexOf(const TStreamSocket& socket) const;

  void OnSocketClosed(TStreamSocket& socket) override;
  void OnSocketData(TStreamSocket& socket) override;
  void OnSocketWritable(TStreamSocket& socket) override;
  void OnSocketError(TStreamSocket& socket, int kind, const std::string& text) override;

  IEventLoop& loop_;
  TListenSocketListener* listener_ = nullptr;
  int fd_ = -1;
  uint32_t address_ = 0;
  int port_ = 0;
  bool reuse_ = false;
  bool listening_ = false;
  std::vector<std::unique_ptr<TSocket>> clients_;
  TFdWatch watch_;
};

}  // namespace zeph
