#include "engine/irc_message.h"

#include <climits>

#include "engine/irc_text.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

// The decimal value of the leading digits, saturating instead of
// overflowing on a hostile "99999999999".
int LeadingNumber(std::string_view digits) {
  long long value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') break;
    value = value * 10 + (c - '0');
    if (value > INT_MAX) return INT_MAX;
  }
  return static_cast<int>(value);
}

// Stores the parameter at index count, into the string already there when
// there is one.
void SetParam(std::vector<std::string>& params, size_t& count, std::string_view param) {
  if (count < params.size()) params[count].assign(param);
  else params.emplace_back(param);
  ++count;
}

// Fills the fields after raw from it; returns the number of parameters
// stored, leaving those beyond them as they were.
size_t ParseFields(TIrcMessage& m) {
  size_t count = 0;
  std::string_view rest = m.raw;
  std::string_view token = NextToken(rest);
  if (token.empty()) return count;
  if (token.front() == ':') {
    m.prefix.assign(token.substr(1));
    TPrefixParts parts = SplitPrefix(m.prefix);
    m.nick.assign(parts.nick);
    m.user.assign(parts.user);
    m.host.assign(parts.host);
    token = NextToken(rest);
    if (token.empty()) return count;
  }
  m.command.assign(token);
  if (token.front() >= '0' && token.front() <= '9') {
    m.numeric = LeadingNumber(token);
  } else {
    for (char& c : m.command) c = AsciiUpper(c);
  }
  while (!rest.empty()) {
    if (rest.front() == ':') {
      rest.remove_prefix(1);
      if (!rest.empty()) SetParam(m.params, count, rest);
      return count;
    }
    std::string_view p = NextToken(rest);
    if (p.empty()) return count;
    SetParam(m.params, count, p);
    if (count == TIrcMessage::kMaxMiddleParams) return count;
  }
  return count;
}

}  // namespace

// A connection parses every line into the same message, so the fields keep
// their buffers: a line costs no allocation once the first lines were seen.
void TIrcMessage::Parse(std::string_view line) {
  raw.assign(line);
  prefix.clear();
  nick.clear();
  user.clear();
  host.clear();
  command.clear();
  numeric = 0;
  params.resize(ParseFields(*this));
}

const std::string& TIrcMessage::Param(int index) const {
  static const std::string empty;
  if (index < 0 || index >= ParamCount()) return empty;
  return params[static_cast<size_t>(index)];
}

std::string TIrcMessage::JoinParams(int from) const {
  std::string joined;
  int first = from < 0 ? 0 : from;
  for (int i = first; i < ParamCount(); ++i) {
    if (i > first) joined += ' ';
    joined += params[static_cast<size_t>(i)];
  }
  return joined;
}

void TOutgoingMessage::Compose() {
  if (composed) return;
  line = command;
  if (!middle.empty()) line.append(" ").append(middle);
  if (!trailing.empty()) line.append(" ").append(trailing);
  // A CR, LF or NUL from peer text would end the line early and let the
  // rest run as a command of its own.
  for (char& c : line) {
    if (c == '\r' || c == '\n' || c == '\0') c = ' ';
  }
  if (line.size() > kMaxLine) line.resize(kMaxLine);
  line += "\r\n";
  std::string upper = command;
  for (char& c : upper) c = AsciiUpper(c);
  if (upper == "PRIVMSG" || upper == "NOTICE") penalty += static_cast<int>(line.size() / 100);
  if (penalty > kMaxPenalty) penalty = kMaxPenalty;
  composed = true;
}

}  // namespace zeph
