// A SOCKS proxy answers the handshake with any bytes. The first byte picks
// SOCKS 4 or 5 and whether user authentication is offered; the rest are the
// proxy's answers, each a length byte and that many bytes, each sent once
// the one before has been taken in. Whatever the answers, the owner hears
// of the connection at most once and never after a failure, a failure
// leaves nothing open, and the bytes the owner reads after the connection
// are a tail of what the proxy sent, in order.
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <linux/sockios.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "net/proxy_socket.h"
#include "platform/poll_loop.h"
#include "offline.h"
#include "wire_tap.h"

using namespace zeph;

namespace {

class TOwner : public TSocketListener {
 public:
  std::vector<std::string> events;
  std::string data;  // read as the owner reads: after the connection only

  void OnSocketConnected(TStreamSocket&) override { Note("connected"); }
  void OnSocketClosed(TStreamSocket&) override { Note("closed"); }
  void OnSocketResolved(TStreamSocket&) override {}
  void OnSocketWritable(TStreamSocket&) override {}
  void OnSocketError(TStreamSocket&, int, const std::string&) override { Note("error"); }
  void OnSocketData(TStreamSocket& socket) override {
    if (!Saw("connected")) abort();
    char chunk[4096];
    for (int n; (n = socket.Read(chunk, sizeof chunk)) > 0;) data.append(chunk, static_cast<size_t>(n));
  }
  bool Saw(const std::string& event) const {
    for (const std::string& e : events) {
      if (e == event) return true;
    }
    return false;
  }

 private:
  void Note(const std::string& event) {
    if (event == "connected" && (Saw("connected") || Saw("error") || Saw("closed"))) abort();
    events.push_back(event);
  }
};

// Until the client's side has every byte sent to it, then one more turn of
// the loop so that it has handled them.
void Deliver(TPollLoop& loop, int proxy) {
  loop.RunUntil(
      [&] {
        int unacknowledged = 0;
        return ioctl(proxy, SIOCOUTQ, &unacknowledged) != 0 || unacknowledged == 0;
      },
      1000);
  loop.RunOnce(0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  TPollLoop loop;
  TOwner owner;
  fuzz::TWireTap& tap = fuzz::TWireTap::Instance();
  std::string sent;  // everything the proxy said
  {
    TProxySocket socket(loop);
    socket.SetListener(&owner);
    socket.enable_socks = true;
    socket.socks_version = (data[0] & 1) ? 5 : 4;
    socket.enable_socks_auth = (data[0] & 2) != 0;
    socket.username = "user";
    socket.password = "secret";
    socket.socks_hostname = "127.0.0.1";
    socket.socks_port = tap.Port();
    socket.SetTarget((data[0] & 4) ? "irc.invalid" : "127.0.0.1", 6667);
    socket.Connect();
    int proxy = tap.Accept(loop);
    if (proxy < 0) abort();
    Deliver(loop, proxy);
    std::string_view answers(reinterpret_cast<const char*>(data) + 1, size - 1);
    while (!answers.empty() && !owner.Saw("error") && !owner.Saw("closed")) {
      size_t length = std::min<size_t>(static_cast<unsigned char>(answers.front()), answers.size() - 1);
      std::string_view answer = answers.substr(1, length);
      answers.remove_prefix(1 + length);
      if (send(proxy, answer.data(), answer.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(answer.size())) break;
      sent.append(answer);
      Deliver(loop, proxy);
    }
    if (owner.Saw("error") && (socket.IsConnected() || socket.Step() != TProxySocket::kIdle)) abort();
    if (owner.Saw("connected") && !owner.Saw("closed") && socket.Step() != TProxySocket::kIdle) abort();
    if (sent.size() < owner.data.size() || sent.compare(sent.size() - owner.data.size(), std::string::npos,
                                                         owner.data) != 0)
      abort();
    fuzz::TWireTap::Reset(proxy);
  }
  return 0;
}
