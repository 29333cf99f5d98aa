#include "support/socks_server.h"

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace zeph::test {
namespace {

// The password database the server sees with user authentication: the two
// accounts it runs as, and ours. The hash is kPassword's SHA-512 crypt.
constexpr const char* kPasswd =
    "root:x:0:0:root:/root:/bin/sh\n"
    "nobody:x:65534:65534:nobody:/nonexistent:/usr/sbin/nologin\n"
    "zephproxy:x:64990:65534:Zephlora test:/nonexistent:/usr/sbin/nologin\n";
constexpr const char* kShadow =
    "zephproxy:$6$zephlora$mzYHtR7dBV9ytDaN/KUTFfIr0hgailx2SeKfcII4cbToA7BXaDxeyBzapudrcQ9AObytZSlbxqkbz4mkkZ5ky1"
    ":19000:0:99999:7:::\n";

// In the server's process: a private view of the file system in which the
// two database files are ours.
bool UseOwnAccounts(const std::string& passwd, const std::string& shadow) {
  if (unshare(CLONE_NEWNS) == 0 && mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
      mount(passwd.c_str(), "/etc/passwd", nullptr, MS_BIND, nullptr) == 0 &&
      mount(shadow.c_str(), "/etc/shadow", nullptr, MS_BIND, nullptr) == 0)
    return true;
  dprintf(STDERR_FILENO, "no private view of the password database: %s\n", strerror(errno));
  return false;
}

}  // namespace

bool TSocksServer::Start(bool require_auth) {
  std::string danted = FindProgram("danted");
  if (danted.empty()) {
    error_ = "danted is not installed (dante-server)";
    return false;
  }
  if (require_auth && geteuid() != 0) {
    error_ = "user authentication needs a test account in the server's view of the system, which only root can give";
    return false;
  }
  std::string passwd = dir_.File("passwd");
  std::string shadow = dir_.File("shadow");
  std::ofstream(passwd) << kPasswd;
  std::ofstream(shadow) << kShadow;
  std::string conf_file = dir_.File("danted.conf");
  auto command = [&](int port) {
    std::ostringstream conf;
    conf << "logoutput: stderr\n"
         << "internal: 127.0.0.1 port = " << port << "\n"
         << "external: 127.0.0.1\n"
         << "clientmethod: none\n"
         << "socksmethod: " << (require_auth ? "username" : "none") << "\n";
    if (geteuid() == 0) conf << "user.privileged: root\nuser.unprivileged: nobody\n";
    conf << "client pass { from: 127.0.0.0/8 to: 0.0.0.0/0 }\n"
         << "socks pass { from: 127.0.0.0/8 to: 127.0.0.0/8 command: connect }\n";
    std::ofstream(conf_file) << conf.str();
    return std::vector<std::string>{danted, "-f", conf_file, "-p", dir_.File("danted.pid"), "-N", "1"};
  };
  std::function<bool()> prepare;
  if (require_auth) prepare = [&] { return UseOwnAccounts(passwd, shadow); };
  if (!process_.StartListening(command, dir_.File("danted.log"), &port_, prepare)) {
    error_ = "danted did not start: " + process_.Output();
    return false;
  }
  return true;
}

}  // namespace zeph::test
