#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "engine/encoding.h"

// The text of a DCC chat on the wire. With DCCChatAdaptiveEncodingSelection
// on, a chat answers in the encoding the peer writes (ISO-2022-JP or
// UTF-8); otherwise, and until the peer's lines tell, the unit's encoding
// is used both ways.
namespace zeph {

// The longest line a chat sends or takes, as for a server's lines; a
// longer received line is dropped by the line reader.
inline constexpr size_t kMaxChatLineBytes = 64 * 1024;

enum class TPeerEncoding { Unknown, Iso2022Jp, Utf8 };

class TChatCodec {
 public:
  // A received line (without its LF) as internal text. Only a line that
  // shows its encoding sets the peer's: an escape sequence means
  // ISO-2022-JP, 8-bit bytes that are all well-formed UTF-8 mean UTF-8,
  // other 8-bit bytes (raw Shift_JIS from older clients, which is copied
  // through) mean ISO-2022-JP. A 7-bit line reads the same either way and
  // changes nothing.
  std::string DecodeLine(std::string_view wire, bool adaptive, const TWireEncoding& unit);
  // An own line as it goes out, LF included; a text whose encoded form
  // would exceed kMaxChatLineBytes is cut before a whole character.
  std::string EncodeLine(std::string_view text, bool adaptive, const TWireEncoding& unit) const;

  TPeerEncoding Peer() const { return peer_; }

 private:
  std::string Encode(std::string_view text, bool adaptive, const TWireEncoding& unit) const;

  TPeerEncoding peer_ = TPeerEncoding::Unknown;
};

}  // namespace zeph
