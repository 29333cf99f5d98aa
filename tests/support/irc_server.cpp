#include "support/irc_server.h"

#include <fstream>
#include <sstream>

namespace zeph::test {

bool TIrcServer::Start() {
  std::string ngircd = FindProgram("ngircd");
  if (ngircd.empty()) {
    error_ = "ngircd is not installed";
    return false;
  }
  std::string conf_file = dir_.File("ngircd.conf");
  auto command = [&](int port) {
    std::ostringstream conf;
    conf << "[Global]\nName = irc.test\nInfo = Zephlora test server\nListen = 127.0.0.1\n"
         << "Ports = " << port << "\nMotdPhrase = welcome\n"
         << "AdminInfo1 = test\nAdminInfo2 = test\nAdminEMail = test@irc.test\n"
         << "[Limits]\nMaxNickLength = 30\nPingTimeout = 600\nPongTimeout = 60\nMaxJoins = 50\n"
         << "[Options]\nPAM = no\nDNS = no\nIdent = no\n";
    std::ofstream(conf_file) << conf.str();
    return std::vector<std::string>{ngircd, "-n", "-f", conf_file};
  };
  if (!process_.StartListening(command, dir_.File("ngircd.log"), &port_)) {
    error_ = "ngircd did not start: " + process_.Output();
    return false;
  }
  return true;
}

TServerConfig TIrcServer::UnitConfig(const std::string& nick) const {
  TServerConfig config;
  config.name = nick;
  config.hostname = "127.0.0.1";
  config.port = port_;
  config.nick = nick;
  config.username = nick;
  config.realname = "Test " + nick;
  return config;
}

}  // namespace zeph::test
