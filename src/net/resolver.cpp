#include "net/resolver.h"

namespace zeph {

uint32_t TResolver::Address() const { return address_.IsIpv4() ? address_.Ipv4() : kNone; }

void TResolver::Deliver(bool ok, const net::TNetAddress& address) {
  address_ = ok ? address : net::TNetAddress{};
  if (listener_ == nullptr) return;
  if (ok) {
    listener_->OnResolved(*this);
  } else {
    listener_->OnResolveFailed(*this);
  }
}

void TResolver::Resolve() {
  lookup_.Cancel();
  uint32_t dotted;
  if (host_.empty() || net::ParseIpv4(host_, &dotted)) {
    // An empty text and 0.0.0.0 are no place to connect to.
    bool ok = !host_.empty() && dotted != 0;
    Deliver(ok, ok ? net::TNetAddress::FromIpv4(dotted) : net::TNetAddress{});
    return;
  }
  net::TNetAddress literal;
  if (net::ParseIpv6(host_, &literal)) {
    Deliver(true, literal);
    return;
  }
  address_ = {};
  bool started = lookup_.Start(host_, [this](bool ok, const net::TNetAddress& address) { Deliver(ok, address); });
  if (!started) Deliver(false, {});
}

void TResolver::ResolveLocalHost() {
  std::string name = net::LocalHostName();
  if (name.empty()) {
    Deliver(false, {});
    return;
  }
  host_ = name;
  Resolve();
}

}  // namespace zeph
