#pragma once

#include <cstdint>
#include <string>

#include "platform/event_loop.h"
#include "platform/host_lookup.h"
#include "platform/net.h"

namespace zeph {

class TResolver;

class TResolverListener {
 public:
  virtual ~TResolverListener() = default;
  virtual void OnResolved(TResolver& resolver) = 0;
  virtual void OnResolveFailed(TResolver& resolver) = 0;
};

// Resolves a host name to an address without blocking. A dotted address is
// known at once and reported before Resolve returns.
class TResolver {
 public:
  static constexpr uint32_t kNone = 0xFFFFFFFF;

  explicit TResolver(IEventLoop& loop) : lookup_(loop) {}

  void SetListener(TResolverListener* listener) { listener_ = listener; }
  void SetHost(std::string host) { host_ = std::move(host); }
  const std::string& Host() const { return host_; }

  void Resolve();
  // Resolves this machine's own host name.
  void ResolveLocalHost();
  // A pending lookup reports nothing.
  void Cancel() { lookup_.Cancel(); }
  bool IsPending() const { return lookup_.IsPending(); }

  // IPv4 in network byte order; kNone until resolved and for IPv6 answers.
  uint32_t Address() const;
  const net::TNetAddress& NetAddress() const { return address_; }

 private:
  void Deliver(bool ok, const net::TNetAddress& address);

  TResolverListener* listener_ = nullptr;
  std::string host_;
  net::TNetAddress address_;
  THostLookup lookup_;
};

}  // namespace zeph
