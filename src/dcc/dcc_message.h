#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

// The four DCC messages (SEND, CHAT, RESUME, ACCEPT) as they travel inside
// a CTCP query: "DCC SEND name address port size", and so on. Fields are
// words separated by blanks; addresses are IPv4 addresses written as one
// unsigned decimal number in host byte order; sizes and positions are
// 64-bit.
//
// Texts are internal text (Shift_JIS). A peer writes what it likes, so
// every parsed field is only what the words say: whether an offer can be
// taken up is for offer_rules.h to decide.
namespace zeph {

// The protocol number of the extended SEND, which carries the exact file
// name after the size and sends no acknowledgements.
inline constexpr int kDccExtendedProtocol = 2;

// A file offer.
struct TDccSend {
  // As offered: a quoted name ("a b.txt") is one name without its quotes,
  // and the extended form's exact name replaces the name word. Control
  // bytes and double quotes become "_", and trailing blanks go, so that
  // the name survives a further round through the wire unchanged.
  std::string file_name;
  uint32_t address = 0;  // host byte order, as on the wire
  int port = 0;
  int64_t size = 0;
  int protocol = 0;  // 0 when absent

  bool operator==(const TDccSend&) const = default;
};

// A chat offer. The protocol word is always "chat".
struct TDccChat {
  uint32_t address = 0;
  int port = 0;

  bool operator==(const TDccChat&) const = default;
};

// A request to go on with a transfer from a position, and its answer.
// The name is a token the sender echoes: we request with "file.ext", and
// answer with the requester's own word.
struct TDccResume {
  std::string file_name;
  int port = 0;
  int64_t position = 0;

  bool operator==(const TDccResume&) const = default;
};
struct TDccAccept {
  std::string file_name;
  int port = 0;
  int64_t position = 0;

  bool operator==(const TDccAccept&) const = default;
};

// Any other DCC command: only its first word, upper-cased, is kept, to be
// shown as "DCC <command>".
struct TDccOther {
  std::string command;

  bool operator==(const TDccOther&) const = default;
};

using TDccQuery = std::variant<TDccSend, TDccChat, TDccResume, TDccAccept, TDccOther>;

// Reads the argument of a CTCP query DCC (the text after the word DCC).
// The command word is matched without regard to case. A number that is
// not a whole decimal number of its type (a word such as "12a", "+5", a
// negative address or port, an overflow) reads as 0, as does a missing
// word.
TDccQuery ParseDccQuery(std::string_view argument);

// The CTCP query text that carries a message: "DCC SEND …". Names are
// written so that ParseDccQuery reads them back: a SEND name with blanks
// is quoted, or, in the extended form, written as a token (blanks, quotes
// and control bytes as "_") followed by the exact name; no control byte
// reaches the wire.
std::string DccQueryText(const TDccQuery& query);

// Our own file offer: with the extended protocol the exact name follows a
// token, otherwise the name goes as a token with every blank as "_".
// The address is in network byte order, as sockets keep it.
TDccSend FileOffer(std::string_view file_name, uint32_t own_address, int port, int64_t size, bool extended);
TDccChat ChatOffer(uint32_t own_address, int port);

// Our request to resume an offer on `port` from `position`, under the
// literal name "file.ext", and our answer to a peer's request.
TDccResume ResumeRequest(int port, int64_t position);
TDccAccept AcceptReply(const TDccResume& request);

// An IPv4 address between network byte order (as sockets keep it) and the
// host byte order of the wire.
uint32_t WireAddress(uint32_t network_order);
uint32_t NetworkAddress(uint32_t wire_address);

}  // namespace zeph
