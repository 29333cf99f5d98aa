#pragma once

#include <string>

#include "support/child_process.h"
#include "support/temp_dir.h"

namespace zeph::test {

// A real SOCKS 4/5 server (Debian's dante) on 127.0.0.1 that tunnels to
// loopback only. With user authentication it checks the system's password
// database; the server then runs in a mount namespace of its own in which
// that database holds the test account, so the machine gets no account
// (this needs root).
class TSocksServer {
 public:
  static constexpr const char* kUser = "zephproxy";
  static constexpr const char* kPassword = "zeph-secret";

  // False when dante is missing or did not come up; Error() says why.
  bool Start(bool require_auth);
  int Port() const { return port_; }
  const std::string& Error() const { return error_; }

 private:
  TTempDir dir_;
  TChildProcess process_;
  int port_ = 0;
  std::string error_;
};

}  // namespace zeph::test
