#pragma once

#include <string>

#include "support/child_process.h"
#include "support/temp_dir.h"

namespace zeph::test {

// A real IRC server (Debian's ngircd) on 127.0.0.1 and a free port.
class TIrcServer {
 public:
  // False when ngircd is missing or did not come up; Error() says why.
  bool Start();
  int Port() const { return port_; }
  const std::string& Error() const { return error_; }
  void Stop() { process_.Stop(); }

 private:
  TTempDir dir_;
  TChildProcess process_;
  int port_ = 0;
  std::string error_;
};

}  // namespace zeph::test
