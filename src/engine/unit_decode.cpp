// How the unit reads the texts of a received message: each text on its own
// bytes, so a nick in ISO-2022-JP and a message in UTF-8 on one line both
// come out right.
#include <algorithm>

#include "engine/channel_name.h"
#include "engine/unit.h"
#include "platform/word_scan.h"

namespace zeph {
namespace {

// Plain ASCII comes back from either encoder byte for byte. Taken a word
// at a time: every field of every received line is asked.
bool IsPlainAscii(std::string_view raw) {
  for (size_t pos = 0; pos < raw.size();) {
    size_t end = std::min(pos + kWordBytes, raw.size());
    if (end - pos == kWordBytes) {
      std::uint64_t word = LoadWord(raw, pos);
      if (!HasByteAbove(word, 0x7F) && !HasByteBelow(word, 0x20)) {
        pos = end;
        continue;
      }
    }
    for (; pos < end; ++pos) {
      auto c = static_cast<unsigned char>(raw[pos]);
      if (c >= 0x80 || c == 0x1B || c == 0x0E || c == 0x0F) return false;
    }
  }
  return true;
}

}  // namespace

// Plain ASCII reads the same in either encoding and names nothing foreign,
// so most fields of most messages are left as they came. A decoded field
// trades buffers with decoded_, whose buffer is then the raw field's: the
// message parses the next line into it, and a flood of Japanese lines
// decodes without allocating.
void TUnit::DecodeReceived(TIrcMessage& m) {
  TWireEncoding wire = Wire();
  auto decode = [this, &wire](std::string& field) {
    if (IsPlainAscii(field)) return;
    wire.DecodeInto(field, decoded_);
    field.swap(decoded_);
  };
  // The nick, user and host are pieces of the prefix, plain when it is; a
  // message built without a prefix may still carry them.
  if (m.prefix.empty() || !IsPlainAscii(m.prefix)) {
    decode(m.prefix);
    if (!IsPlainAscii(m.nick)) m.nick = DecodeName(wire, m.nick);
    decode(m.user);
    decode(m.host);
  }
  for (size_t i = 0; i < m.params.size(); ++i) {
    std::string& param = m.params[i];
    // The server builds the names list from each member's own nick.
    if (m.numeric == 353 && i + 1 == m.params.size()) {
      param = DecodeNickList(wire, param);
      continue;
    }
    if (IsPlainAscii(param)) continue;
    bool foreign = false;
    wire.DecodeInto(param, decoded_, &foreign);
    bool new_nick = m.command == "NICK" && i == 0;
    if (new_nick || IsSingleChannelName(decoded_, kServerChannelPrefixes)) NoteName(wire, decoded_, param, foreign);
    param.swap(decoded_);
  }
}

std::string TUnit::DecodeName(const TWireEncoding& wire, std::string_view name) {
  bool foreign = false;
  std::string text = wire.Decode(name, &foreign);
  NoteName(wire, text, name, foreign);
  return text;
}

// A name is addressed by the server's bytes whenever the unit's encoding
// would not write them back: it came in the other encoding, or in a form of
// our own the encoder does not produce (another JIS set, bytes that are no
// character). The server may know two names that read the same; a channel
// or talk the unit addresses in its own encoding keeps it: seeing the other
// name must not send our lines there.
void TUnit::NoteName(const TWireEncoding& wire, std::string_view name, std::string_view raw, bool foreign) {
  bool keep_bytes = foreign || (!IsPlainAscii(raw) && wire.Encode(name) != raw);
  if (keep_bytes && !foreign_names_.Find(name) && FindChannel(name)) return;
  foreign_names_.Note(name, raw, keep_bytes);
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
