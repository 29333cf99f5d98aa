#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/event_loop.h"
#include "platform/net.h"

namespace zeph {

// Looks a host name up on a thread of its own (getaddrinfo blocks) and
// delivers the answer on the loop's thread. A cancelled or superseded
// lookup delivers nothing. IPv4 answers are preferred.
class THostLookup {
 public:
  // ok is false when the name is unknown or has no usable address.
  using Done = std::function<void(bool ok, const net::TNetAddress& address)>;

  explicit THostLookup(IEventLoop& loop) : loop_(loop) {}
  ~THostLookup() { Cancel(); }
  THostLookup(const THostLookup&) = delete;
  THostLookup& operator=(const THostLookup&) = delete;

  // Starts a lookup, cancelling one still pending. Returns false when no
  // thread could be started; nothing is delivered then.
  bool Start(const std::string& host, Done done);
  void Cancel();
  bool IsPending() const { return pending_ != nullptr; }

 private:
  struct TPending;

  IEventLoop& loop_;
  std::shared_ptr<TPending> pending_;
};

// Replaces the system's lookup, for tests that must not send a query off the
// machine; nullptr restores getaddrinfo. Set it before any lookup starts.
using THostLookupFunction = bool (*)(const std::string& host, net::TNetAddress* address);
void SetHostLookupFunction(THostLookupFunction lookup);

}  // namespace zeph
