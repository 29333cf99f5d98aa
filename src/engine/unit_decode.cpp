// How the unit reads the texts of a received message: each text on its own
// bytes, so a nick in ISO-2022-JP and a message in UTF-8 on one line both
// come out right.
#include "engine/channel_name.h"
#include "engine/unit.h"

namespace zeph {

void TUnit::DecodeReceived(TIrcMessage& m) {
  TWireEncoding wire = Wire();
  m.prefix = wire.Decode(m.prefix);
  m.nick = DecodeName(wire, m.nick);
  m.user = wire.Decode(m.user);
  m.host = wire.Decode(m.host);
  for (size_t i = 0; i < m.params.size(); ++i) {
    std::string& param = m.params[i];
    // The server builds the names list from each member's own nick.
    if (m.numeric == 353 && i + 1 == m.params.size()) {
      param = DecodeNickList(wire, param);
      continue;
    }
    bool foreign = false;
    std::string text = wire.Decode(param, &foreign);
    bool new_nick = m.command == "NICK" && i == 0;
    if (new_nick || IsSingleChannelName(text, kServerChannelPrefixes)) NoteName(text, param, foreign);
    param = std::move(text);
  }
}

std::string TUnit::DecodeName(const TWireEncoding& wire, std::string_view name) {
  bool foreign = false;
  std::string text = wire.Decode(name, &foreign);
  NoteName(text, name, foreign);
  return text;
}

// The server may know two names that read the same, one in each encoding. A
// channel or talk the unit addresses in its own encoding keeps it: seeing
// the other name must not send our lines there.
void TUnit::NoteName(std::string_view name, std::string_view wire, bool foreign) {
  if (foreign && !foreign_names_.Find(name) && FindChannel(name)) return;
  foreign_names_.Note(name, wire, foreign);
}

// Blank-separated nicks, each with at most one "@" or "+" before it.
std::string TUnit::DecodeNickList(const TWireEncoding& wire, std::string_view list) {
  std::string out;
  for (size_t pos = 0; pos < list.size();) {
    if (list[pos] == ' ') {
      out.push_back(list[pos++]);
      continue;
    }
    size_t end = list.find(' ', pos);
    if (end == std::string_view::npos) end = list.size();
    if (list[pos] == '@' || list[pos] == '+') out.push_back(list[pos++]);
    out += DecodeName(wire, list.substr(pos, end - pos));
    pos = end;
  }
  return out;
}

}  // namespace zeph
