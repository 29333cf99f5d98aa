#include "app/first_start.h"

#include <cstring>

#include "platform/sjis.h"
#include "settings/line_list.h"

namespace zeph {
namespace {

// Servers of the first two groups count for the random port.
constexpr int kRandomPortGroups = 2;
constexpr int kExceptedEntry = 3;  // the fourth server of those groups

bool IsUsernameByte(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || std::strchr("[\\]^_{|}~", c) != nullptr;
}

}  // namespace

const std::vector<std::string>& DefaultServerList() {
  static const std::vector<std::string> list = {
      "irc.kasumi.example (KasumiNet)",
      "irc2.kasumi.example (KasumiNet)",
      "irc.tokyo.kasumi.example (KasumiNet)",
      "irc.east.kasumi.example (KasumiNet)",
      "irc.osaka.kasumi.example (KasumiNet)",
      "-",
      "irc.hinode.example (HinodeNet)",
      "irc2.hinode.example (HinodeNet)",
      "irc.sapporo.hinode.example (HinodeNet)",
      "irc.fukuoka.hinode.example (HinodeNet)",
      "-",
      "irc.yuzu.example (YuzuNet)",
      "irc.sakura-chat.example (SakuraChat)",
  };
  return list;
}

std::vector<std::string> LoadServerList(const std::filesystem::path& path) {
  TLineList lines;
  if (!std::filesystem::exists(path)) {
    for (const std::string& entry : DefaultServerList()) lines.Add(entry);
    lines.SaveToFile(path);
    return lines.Lines();
  }
  lines.LoadFromFile(path);
  return lines.Lines();
}

std::string UsernameOfNick(std::string_view nick) {
  std::string name = AsciiLowerText(nick);
  for (char& c : name)
    if (!IsUsernameByte(static_cast<unsigned char>(c))) c = '_';
  return name.empty() ? "_" : name;
}

int WizardPort(std::string_view host_text, const std::function<int()>& random) {
  int group = 0;
  int entry = 0;
  for (const std::string& server : DefaultServerList()) {
    if (server == "-") {
      if (++group == kRandomPortGroups) break;
      continue;
    }
    if (server == host_text && entry != kExceptedEntry) return 6660 + random();
    ++entry;
  }
  return 6667;
}

TServerConfig WizardServer(const TWizardChoice& choice, const std::function<int()>& random) {
  TServerConfig server;
  server.nick = choice.nick;
  server.realname = choice.nick;
  server.username = UsernameOfNick(choice.nick);
  server.hostname = choice.host_text;
  size_t open = choice.host_text.find('(');
  size_t close = choice.host_text.find(')', open == std::string::npos ? 0 : open);
  server.name = open != std::string::npos && close != std::string::npos
                    ? choice.host_text.substr(open + 1, close - open - 1)
                    : choice.nick;
  server.auto_connect = choice.auto_connect;
  server.port = WizardPort(choice.host_text, random);
  for (const std::string& name : choice.channels) {
    if (name.empty()) continue;
    TChannelConfig channel;
    channel.name = name;
    channel.mode = "+sn";
    channel.auto_join = true;
    server.channels.push_back(channel);
  }
  return server;
}

}  // namespace zeph
