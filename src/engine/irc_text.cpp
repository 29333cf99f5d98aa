#include "engine/irc_text.h"

#include "engine/mode_letters.h"
#include "platform/sjis.h"

namespace zeph {

std::string_view NextToken(std::string_view& text) {
  size_t begin = text.find_first_not_of(' ');
  if (begin == std::string_view::npos) {
    text = {};
    return {};
  }
  size_t end = text.find(' ', begin);
  if (end == std::string_view::npos) end = text.size();
  std::string_view token = text.substr(begin, end - begin);
  size_t next = text.find_first_not_of(' ', end);
  text = next == std::string_view::npos ? std::string_view() : text.substr(next);
  return token;
}

std::string NextToken(std::string& text) {
  std::string_view rest = text;
  std::string token(NextToken(rest));
  text.erase(0, text.size() - rest.size());
  return token;
}

std::string NextField(std::string& text, char delimiter) {
  size_t pos = 0;
  while (pos < text.size() && text[pos] != delimiter) pos += SjisCharLength(text, pos);
  std::string field = text.substr(0, pos);
  text.erase(0, pos < text.size() ? pos + 1 : text.size());
  return field;
}

TPrefixParts SplitPrefix(std::string_view prefix) {
  TPrefixParts parts;
  size_t bang = prefix.find('!');
  if (bang == std::string_view::npos) {
    parts.nick = prefix;
    return parts;
  }
  parts.nick = prefix.substr(0, bang);
  std::string_view rest = prefix.substr(bang + 1);
  size_t at = rest.find('@');
  if (at != std::string_view::npos) {
    parts.user = rest.substr(0, at);
    parts.host = rest.substr(at + 1);
  }
  return parts;
}

int ModePenalty(std::string_view params) {
  // Each letter a server acts on costs 3; unknown letters cost nothing.
  int result = 1;
  for (const TModeLetter& mode : ModeLetters(params, TModeWords::kAll)) {
    if (std::string_view("IORbekovlaimnpqrst").find(mode.letter) != std::string_view::npos) result += 3;
  }
  return result > 10 ? 10 : result;
}

std::string StripColon(std::string_view text) {
  if (!text.empty() && text.front() == ':') text.remove_prefix(1);
  return std::string(text);
}

std::string SplitLine(std::string& text) {
  size_t end = text.find_first_of("\r\n");
  if (end == std::string::npos) {
    std::string line = std::move(text);
    text.clear();
    return line;
  }
  std::string line = text.substr(0, end);
  size_t skip = (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1;
  text.erase(0, end + skip);
  return line;
}

}  // namespace zeph
