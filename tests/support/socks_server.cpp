#include "support/socks_server.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "support/loopback_peer.h"

namespace zeph::test {

bool TSocksServer::EnsureTestAccount(std::string* why) {
  if (getpwnam(kUser) != nullptr) return true;
  if (geteuid() != 0) {
    *why = "user authentication needs the account " + std::string(kUser) + ", which only root can create";
    return false;
  }
  std::string add = "useradd --system --no-create-home --shell /usr/sbin/nologin " + std::string(kUser) +
                    " && echo '" + kUser + ":" + kPassword + "' | chpasswd";
  if (std::system(add.c_str()) != 0 || getpwnam(kUser) == nullptr) {
    *why = "could not create the account " + std::string(kUser);
    return false;
  }
  return true;
}

bool TSocksServer::Start(bool require_auth) {
  std::string danted = FindProgram("danted");
  if (danted.empty()) {
    error_ = "danted is not installed (dante-server)";
    return false;
  }
  if (require_auth && !EnsureTestAccount(&error_)) return false;
  port_ = FreeLoopbackPort();
  std::ostringstream conf;
  conf << "logoutput: stderr\n"
       << "internal: 127.0.0.1 port = " << port_ << "\n"
       << "external: 127.0.0.1\n"
       << "clientmethod: none\n"
       << "socksmethod: " << (require_auth ? "username" : "none") << "\n";
  if (geteuid() == 0) conf << "user.privileged: root\nuser.unprivileged: nobody\n";
  conf << "client pass { from: 127.0.0.0/8 to: 0.0.0.0/0 }\n"
       << "socks pass { from: 127.0.0.0/8 to: 127.0.0.0/8 command: connect }\n";
  std::string conf_file = dir_.File("danted.conf");
  std::ofstream(conf_file) << conf.str();
  if (!process_.Start({danted, "-f", conf_file, "-p", dir_.File("danted.pid"), "-N", "1"}, dir_.File("danted.log")) ||
      !WaitForLoopbackPort(port_)) {
    std::ifstream log(dir_.File("danted.log"));
    error_ = "danted did not start: " + std::string(std::istreambuf_iterator<char>(log), {});
    return false;
  }
  return true;
}

}  // namespace zeph::test
