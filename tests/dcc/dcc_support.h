#pragma once

#include <arpa/inet.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "dcc/dcc_manager.h"
#include "platform/poll_loop.h"
#include "settings/preferences.h"
#include "support/loopback_peer.h"

// Two DCC managers on one hand-driven loop whose DCC messages reach each
// other, as two programs on one machine talking through a server would.
namespace zeph::test {

inline constexpr uint64_t kDccUnit = 7;

class TFakePeerLink : public TDccPeerLink {
 public:
  bool HasUnit(uint64_t) const override { return has_unit; }
  uint32_t OwnAddress(uint64_t) const override { return htonl(INADDR_LOOPBACK); }
  void SendCtcpQuery(uint64_t, const std::string& nick, const std::string& text) override {
    sent.push_back(text);
    if (deliver) deliver(nick, text);
  }
  void ReportTransfer(const TTransferReport& report) override { reports.push_back(report); }

  bool has_unit = true;
  std::vector<std::string> sent;
  std::vector<TTransferReport> reports;
  std::function<void(const std::string& nick, const std::string& text)> deliver;
};

// One program: its preferences, its link to the server and its manager.
struct TDccSide {
  TDccSide(TPollLoop& loop, const std::filesystem::path& root, int first_port) : manager(loop, prefs, link) {
    prefs.DCCRootDir = root.string();
    prefs.DCCReceiveAction = 2;
    prefs.DCCReceivePortStart = first_port;
    prefs.DCCReceivePortEnd = first_port + 40;
  }

  TPreferences prefs;
  TFakePeerLink link;
  TDccManager manager;
};

// Lets each side's messages reach the other one turn of the loop later,
// from the nick of its sender.
inline void Pair(TPollLoop& loop, TDccSide& a, const std::string& a_nick, TDccSide& b, const std::string& b_nick) {
  auto to = [&loop](TDccSide& side, const std::string& from) {
    return [&loop, &side, from](const std::string&, const std::string& text) {
      loop.Post([&side, from, text] {
        side.manager.OnQuery(kDccUnit, from, ParseDccQuery(std::string_view(text).substr(4)), {});
      });
    };
  };
  a.link.deliver = to(b, a_nick);
  b.link.deliver = to(a, b_nick);
}

inline std::string Pattern(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
  return bytes;
}

inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace zeph::test
