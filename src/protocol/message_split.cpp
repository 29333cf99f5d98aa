#include "protocol/message_split.h"

#include "codec/encoding_kana.h"
#include "engine/irc_message.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

// ":" before the prefix, "!" and "@" inside it, the blanks after the
// prefix and the command, and " :" before the text.
constexpr size_t kRelayPunctuation = 7;
// "\x01ACTION " and the closing "\x01", with a byte to spare.
constexpr size_t kActionFrame = 10;

// Only the full-width kana policy of ISO-2022-JP merges two typed bytes
// into one character on the wire.
bool JoinsVoicedMarks(const TWireEncoding& wire) {
  return wire.session_encoding == kEncodingIso2022Jp && wire.kana_method == 0;
}

size_t EncodedLength(const TWireEncoding& wire, std::string_view text) { return wire.Encode(text).size(); }

}  // namespace

size_t SplitUnitLength(std::string_view text, size_t pos, const TWireEncoding& wire) {
  size_t length = SjisCharLength(text, pos);
  if (length == 1 && pos + 1 < text.size() && JoinsVoicedMarks(wire) &&
      IsHalfWidthKana(static_cast<unsigned char>(text[pos])) && KanaToFullWidth(text.substr(pos, 2)).size() == 2)
    return 2;
  return length;
}

size_t RelayOverhead(const TWireEncoding& wire, std::string_view nick, std::string_view user,
                     std::string_view host, std::string_view command, std::string_view target, bool action) {
  size_t overhead = EncodedLength(wire, nick) + EncodedLength(wire, user) + EncodedLength(wire, host) +
                    command.size() + EncodedLength(wire, target) + kRelayPunctuation;
  return action ? overhead + kActionFrame : overhead;
}

size_t FittingLength(std::string_view text, const TWireEncoding& wire, size_t room) {
  // Every character takes at least one wire byte, so no more than `room`
  // of them can fit.
  std::vector<size_t> ends;
  for (size_t pos = 0; pos < text.size() && ends.size() < room;) {
    pos += SplitUnitLength(text, pos, wire);
    ends.push_back(pos);
  }
  // The encoded length never shrinks as characters are added: search for
  // the largest count of characters that fits.
  size_t fitting = 0, limit = ends.size();
  while (fitting < limit) {
    size_t middle = (fitting + limit + 1) / 2;
    if (EncodedLength(wire, text.substr(0, ends[middle - 1])) <= room) {
      fitting = middle;
    } else {
      limit = middle - 1;
    }
  }
  return fitting == 0 ? 0 : ends[fitting - 1];
}

TMessagePieces SplitMessage(std::string_view text, const TWireEncoding& wire, size_t overhead) {
  size_t room = overhead < TOutgoingMessage::kMaxLine ? TOutgoingMessage::kMaxLine - overhead : 0;
  TMessagePieces result;
  while (!text.empty()) {
    size_t length = FittingLength(text, wire, room);
    if (length == 0) {
      result.unsent = text;
      break;
    }
    result.pieces.emplace_back(text.substr(0, length));
    text.remove_prefix(length);
  }
  return result;
}

}  // namespace zeph
