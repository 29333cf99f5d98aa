#include "platform/host_lookup.h"

#include <netdb.h>
#include <sys/socket.h>

#include <atomic>
#include <cstring>
#include <mutex>
#include <thread>

namespace zeph {

// Shared by the loop and the lookup thread. The loop marks it cancelled;
// the thread posts its answer only while it is not, so a late answer never
// reaches an owner that has moved on or gone.
struct THostLookup::TPending {
  std::mutex mutex;
  bool cancelled = false;
  Done done;
};

namespace {

bool SystemLookUp(const std::string& host, net::TNetAddress* address) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* answer = nullptr;
  if (getaddrinfo(host.c_str(), nullptr, &hints, &answer) != 0 || answer == nullptr) return false;
  const addrinfo* chosen = nullptr;
  for (const addrinfo* a = answer; a != nullptr; a = a->ai_next) {
    if (a->ai_family == AF_INET) {
      chosen = a;
      break;
    }
    if (a->ai_family == AF_INET6 && chosen == nullptr) chosen = a;
  }
  bool ok = false;
  if (chosen != nullptr && chosen->ai_family == AF_INET) {
    uint32_t v = reinterpret_cast<const sockaddr_in*>(chosen->ai_addr)->sin_addr.s_addr;
    *address = net::TNetAddress::FromIpv4(v);
    ok = v != 0;
  } else if (chosen != nullptr) {
    address->family = AF_INET6;
    std::memcpy(address->bytes, &reinterpret_cast<const sockaddr_in6*>(chosen->ai_addr)->sin6_addr, 16);
    ok = true;
  }
  freeaddrinfo(answer);
  return ok;
}

std::atomic<THostLookupFunction> look_up{&SystemLookUp};

}  // namespace

void SetHostLookupFunction(THostLookupFunction lookup) { look_up = lookup ? lookup : &SystemLookUp; }

bool THostLookup::Start(const std::string& host, Done done) {
  Cancel();
  auto pending = std::make_shared<TPending>();
  pending->done = std::move(done);
  IEventLoop* loop = &loop_;
  try {
    std::thread([this, pending, host, loop] {
      net::TNetAddress address;
      bool ok = look_up.load()(host, &address);
      std::lock_guard lock(pending->mutex);
      if (pending->cancelled) return;
      // Not cancelled, so the owner is alive until the loop runs this.
      loop->Post([this, pending, ok, address] {
        {
          std::lock_guard lock(pending->mutex);
          if (pending->cancelled) return;
          pending->cancelled = true;  // delivered once
        }
        pending_.reset();
        Done deliver = std::move(pending->done);
        deliver(ok, address);
      });
    }).detach();
  } catch (const std::system_error&) {
    return false;
  }
  pending_ = pending;
  return true;
}

void THostLookup::Cancel() {
  if (!pending_) return;
  {
    std::lock_guard lock(pending_->mutex);
    pending_->cancelled = true;
  }
  pending_.reset();
}

}  // namespace zeph
