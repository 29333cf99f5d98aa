#pragma once

#include <string>

#include "settings/server_config.h"

#include "support/child_process.h"
#include "support/temp_dir.h"

namespace zeph::test {

// A real IRC server (Debian's ngircd) on 127.0.0.1 and a port of its own.
class TIrcServer {
 public:
  // False when ngircd is missing or did not come up; Error() says why.
  bool Start();
  int Port() const { return port_; }
  const std::string& Error() const { return error_; }
  void Stop() { process_.Stop(); }
  // A server entry that logs in here as nick, with nick as user name and
  // "Test " and the nick as real name.
  TServerConfig UnitConfig(const std::string& nick) const;

 private:
  TTempDir dir_;
  TChildProcess process_;
  int port_ = 0;
  std::string error_;
};

}  // namespace zeph::test
