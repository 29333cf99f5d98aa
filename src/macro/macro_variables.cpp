#include "macro/macro_variables.h"

#include <array>
#include <optional>

#include "engine/irc_text.h"
#include "platform/file_names.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

constexpr size_t kWordCount = 10;

// The first nine words of the message, and the rest as the tenth.
std::array<std::string_view, kWordCount> Words(std::string_view message) {
  std::array<std::string_view, kWordCount> words;
  for (size_t i = 0; i + 1 < kWordCount; ++i) words[i] = NextToken(message);
  words[kWordCount - 1] = message;
  return words;
}

std::string LocalTimeText(std::time_t now, const char* format) {
  std::tm local{};
  char buffer[32];
  if (localtime_r(&now, &local) == nullptr) return {};
  return std::string(buffer, std::strftime(buffer, sizeof buffer, format, &local));
}

bool IsReplyChannel(std::string_view channel) {
  return !channel.empty() && std::string_view("#&+!=").find(channel.front()) != std::string_view::npos;
}

std::optional<std::string> VariableValue(char name, const TMacroContext& context) {
  const TMacroEvent& e = context.event;
  if (name >= '0' && name <= '9') return std::string(Words(e.message)[static_cast<size_t>(name - '0')]);
  switch (name) {
    case '%': return "%";
    case 'a': return context.facts.ActiveChannelName();
    case 'c': return e.channel;
    case 'd': return LocalTimeText(context.now, "%Y%m%d");
    case 'f': return IsReplyChannel(e.channel) ? e.channel : e.nick;
    case 'h': return e.host;
    case 'l': return e.user;
    case 'm': return e.message;
    case 'n': return e.nick;
    case 's': return context.facts.SelectedText();
    case 't': return LocalTimeText(context.now, "%H:%M:%S");
    case 'u': return e.my_nick;
    case 'y': return context.facts.LocalAddress();
    default: return std::nullopt;
  }
}

void AppendOneLine(std::string_view value, std::string& out) {
  for (char c : value) out += (c == '\r' || c == '\n' || c == '\0') ? ' ' : c;
}

void AppendFileNamePart(std::string_view value, std::string& out) { out += FileNamePart(value); }

// Walks the text as the expansion reads it: runs of literal bytes and the
// names of the variables, in order.
template <typename Literal, typename Variable>
void ScanVariables(std::string_view text, Literal literal, Variable variable) {
  for (size_t pos = 0; pos < text.size();) {
    size_t length = SjisCharLength(text, pos);
    if (length > 1 || text[pos] != '%') {
      literal(text.substr(pos, length));
      pos += length;
      continue;
    }
    if (pos + 1 == text.size()) break;
    variable(text[pos + 1]);
    pos += 2;
  }
}

template <typename Append>
std::string Expand(std::string_view text, const TMacroContext& context, Append append) {
  std::string out;
  out.reserve(text.size());
  ScanVariables(
      text, [&](std::string_view literal) { out += literal; },
      [&](char name) {
        if (std::optional<std::string> value = VariableValue(name, context)) {
          append(*value, out);
        } else {
          out += '%';
          out += name;
        }
      });
  return out;
}

}  // namespace

std::string FileNamePart(std::string_view value) {
  if (value == "." || value == "..") return "_";
  std::string part(value);
  ReplaceSingleByteChars(part, [](unsigned char c) { return IsControlByte(c) || c == '/' || c == '\\' || c == ':'; });
  return part;
}

std::string ExpandVariables(std::string_view text, const TMacroContext& context) {
  return Expand(text, context, AppendOneLine);
}

std::string ExpandFileNameVariables(std::string_view text, const TMacroContext& context) {
  return Expand(text, context, AppendFileNamePart);
}

bool UsesVariable(std::string_view text, char name) {
  bool used = false;
  ScanVariables(
      text, [](std::string_view) {}, [&](char found) { used = used || found == name; });
  return used;
}

}  // namespace zeph
