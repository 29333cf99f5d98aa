#include "dcc/dcc_message.h"

#include <arpa/inet.h>

#include <charconv>

#include "platform/file_names.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

// The blank and the double quote lie below every second byte of a
// double-byte character, so plain searches for them never stop inside one.
constexpr char kBlank = ' ';
constexpr char kQuote = '"';

// The words of a query, taken one by one from the front.
class TWords {
 public:
  explicit TWords(std::string_view text) : rest_(text) {}

  std::string_view Next() {
    SkipBlanks();
    size_t end = rest_.find(kBlank);
    std::string_view word = rest_.substr(0, end);
    rest_.remove_prefix(word.size());
    return word;
  }

  // A name: a word, or the text between a double quote that starts a word
  // and the next one, blanks and all. A quote that is never closed is an
  // ordinary character.
  std::string_view NextName() {
    SkipBlanks();
    if (!rest_.empty() && rest_.front() == kQuote) {
      size_t close = rest_.find(kQuote, 1);
      if (close != std::string_view::npos) {
        std::string_view name = rest_.substr(1, close - 1);
        rest_.remove_prefix(close + 1);
        return name;
      }
    }
    return Next();
  }

  // Everything after the words taken so far and the blanks behind them.
  std::string_view Rest() {
    SkipBlanks();
    return rest_;
  }

 private:
  void SkipBlanks() {
    size_t start = rest_.find_first_not_of(kBlank);
    rest_.remove_prefix(start == std::string_view::npos ? rest_.size() : start);
  }

  std::string_view rest_;
};

template <typename T>
T ReadNumber(std::string_view word) {
  T value{};
  auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size()) return 0;
  return value;
}

bool IsUnsafeOnWire(unsigned char c) { return IsControlByte(c) || c == kQuote; }

// A name with what must not travel (control bytes, which could end the
// CTCP message or the line, and quotes, which would open a quoted name)
// as "_", and without trailing blanks, which no file name keeps.
std::string WireName(std::string_view name) {
  std::string out(name);
  ReplaceSingleByteChars(out, IsUnsafeOnWire);
  out.erase(out.find_last_not_of(kBlank) + 1);
  return out;
}

// A name as one word: blanks become "_" as well.
std::string NameToken(std::string_view name) {
  std::string token = WireName(name);
  for (char& c : token) {
    if (c == kBlank) c = '_';
  }
  return token;
}

// A name made safe by WireName as a field of the query: quoted when it has
// blanks or is empty, so it is still one field.
std::string NameField(std::string name) {
  if (!name.empty() && name.find(kBlank) == std::string::npos) return name;
  return kQuote + name + kQuote;
}

TDccSend ParseSend(TWords& words) {
  TDccSend send;
  send.file_name = WireName(words.NextName());
  send.address = ReadNumber<uint32_t>(words.Next());
  send.port = ReadNumber<int>(words.Next());
  send.size = ReadNumber<int64_t>(words.Next());
  send.protocol = ReadNumber<int>(words.Next());
  if (send.protocol == kDccExtendedProtocol) {
    std::string_view exact = words.Rest();
    if (!exact.empty() && exact.front() == ':') exact.remove_prefix(1);
    std::string exact_name = WireName(exact);
    if (!exact_name.empty()) send.file_name = exact_name;
  }
  return send;
}

TDccChat ParseChat(TWords& words) {
  words.Next();  // the protocol word, "chat"
  TDccChat chat;
  chat.address = ReadNumber<uint32_t>(words.Next());
  chat.port = ReadNumber<int>(words.Next());
  return chat;
}

template <typename T>
T ParsePosition(TWords& words) {
  T message;
  message.file_name = WireName(words.NextName());
  message.port = ReadNumber<int>(words.Next());
  message.position = ReadNumber<int64_t>(words.Next());
  return message;
}

std::string Text(const TDccSend& send) {
  bool extended = send.protocol == kDccExtendedProtocol;
  std::string text = "DCC SEND " + NameField(extended ? NameToken(send.file_name) : WireName(send.file_name));
  text += ' ' + std::to_string(send.address) + ' ' + std::to_string(send.port) + ' ' + std::to_string(send.size);
  if (extended) {
    text += " 2 :" + WireName(send.file_name);
  } else if (send.protocol != 0) {
    text += ' ' + std::to_string(send.protocol);
  }
  return text;
}

std::string Text(const TDccChat& chat) {
  return "DCC CHAT chat " + std::to_string(chat.address) + ' ' + std::to_string(chat.port);
}

std::string PositionText(std::string_view command, std::string_view name, int port, int64_t position) {
  std::string text = "DCC ";
  text += command;
  text += ' ' + NameField(WireName(name)) + ' ' + std::to_string(port) + ' ' + std::to_string(position);
  return text;
}

std::string Text(const TDccResume& resume) {
  return PositionText("RESUME", resume.file_name, resume.port, resume.position);
}
std::string Text(const TDccAccept& accept) {
  return PositionText("ACCEPT", accept.file_name, accept.port, accept.position);
}

std::string Text(const TDccOther& other) {
  std::string command = AsciiUpperText(WireName(other.command));
  return command.empty() ? "DCC" : "DCC " + command;
}

}  // namespace

TDccQuery ParseDccQuery(std::string_view argument) {
  TWords words(argument);
  std::string command = AsciiUpperText(WireName(words.Next()));
  if (command == "SEND") return ParseSend(words);
  if (command == "CHAT") return ParseChat(words);
  if (command == "RESUME") return ParsePosition<TDccResume>(words);
  if (command == "ACCEPT") return ParsePosition<TDccAccept>(words);
  return TDccOther{command};
}

std::string DccQueryText(const TDccQuery& query) {
  return std::visit([](const auto& message) { return Text(message); }, query);
}

TDccSend FileOffer(std::string_view file_name, uint32_t own_address, int port, int64_t size, bool extended) {
  TDccSend send;
  send.file_name = extended ? WireName(file_name) : NameToken(file_name);
  send.address = WireAddress(own_address);
  send.port = port;
  send.size = size;
  send.protocol = extended ? kDccExtendedProtocol : 0;
  return send;
}

TDccChat ChatOffer(uint32_t own_address, int port) { return TDccChat{WireAddress(own_address), port}; }

TDccResume ResumeRequest(int port, int64_t position) { return TDccResume{"file.ext", port, position}; }

TDccAccept AcceptReply(const TDccResume& request) {
  return TDccAccept{request.file_name, request.port, request.position};
}

uint32_t WireAddress(uint32_t network_order) { return ntohl(network_order); }
uint32_t NetworkAddress(uint32_t wire_address) { return htonl(wire_address); }

}  // namespace zeph
