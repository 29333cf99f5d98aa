#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/poll_loop.h"

namespace zeph::test {

// A scripted TCP peer on 127.0.0.1, run by the test's own loop and written
// with plain POSIX calls so that it shares no code with what it tests. It
// accepts one client at a time, records what it receives and sends what
// the test tells it to.
class TLoopbackPeer {
 public:
  explicit TLoopbackPeer(TPollLoop& loop);
  ~TLoopbackPeer();
  TLoopbackPeer(const TLoopbackPeer&) = delete;
  TLoopbackPeer& operator=(const TLoopbackPeer&) = delete;

  int Port() const { return port_; }
  bool HasClient() const { return client_ >= 0; }
  int Accepted() const { return accepted_; }
  const std::string& Received() const { return received_; }
  void ClearReceived() { received_.clear(); }
  // Runs the loop until `text` has arrived (anywhere in what was received).
  bool WaitFor(std::string_view text, int timeout_ms = 5000);
  bool WaitForClient(int timeout_ms = 5000);
  // Runs the loop until a waiting connection is accepted, the client has
  // read every byte sent to it and this peer every byte the client wrote;
  // after CloseClient, until the client has closed its end too. The barrier before a check that nothing was
  // sent or done: unlike a protocol round trip it changes no state of the
  // client. The client must be a socket of this process.
  bool Sync(int timeout_ms = 5000);

  void Send(std::string_view bytes);
  void CloseClient();
  // A peer that stops reading lets the client's send buffer fill up.
  void SetReading(bool reading);
  // Called after each receipt; may Send or CloseClient.
  std::function<void(TLoopbackPeer&)> on_data;

 private:
  void Accept();
  void Read();
  // The client's end of the current connection; -1 when it is closed.
  int FindClientSocket() const;
  bool Drained() const;

  TPollLoop& loop_;
  int listen_fd_ = -1;
  int listen_watch_ = 0;
  int client_ = -1;
  int client_watch_ = 0;
  int port_ = 0;
  int accepted_ = 0;
  bool reading_ = true;
  std::string received_;
  // Of the current connection: the client's port and the bytes each way.
  int client_port_ = 0;
  uint64_t sent_total_ = 0;
  uint64_t received_total_ = 0;
};

// A port of 127.0.0.1 that was free a moment ago: where nothing listens (a
// refused connection), or a first choice for a server that checks it got
// the port (TChildProcess::StartListening).
int FreeLoopbackPort();

// Name lookup without any query leaving the machine: "localhost" and names
// ending in ".test" are 127.0.0.1, everything else is unknown.
void UseFakeHostLookup();

}  // namespace zeph::test
