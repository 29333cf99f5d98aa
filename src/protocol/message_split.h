#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/encoding.h"

// Long messages are cut so that each piece still fits in one line as the
// server relays it to the other clients, with our full prefix in front.
namespace zeph {

// The length of the character at text[pos] as a cut may never divide it: a
// double-byte character, or a half-width kana together with the voiced mark
// that the wire encoding joins into one full-width character.
size_t SplitUnitLength(std::string_view text, size_t pos, const TWireEncoding& wire);

// What the server adds around the text when it relays our message:
// ":nick!user@host COMMAND target :" (and the CTCP frame of an ACTION), in
// wire bytes.
size_t RelayOverhead(const TWireEncoding& wire, std::string_view nick, std::string_view user,
                     std::string_view host, std::string_view command, std::string_view target, bool action);

// The byte length of the longest head of the text, in whole characters,
// whose own encoding takes at most `room` bytes; 0 when not even one
// character fits. Each piece is encoded on its own, so a piece that starts
// inside a kanji run pays for its own escape sequences.
size_t FittingLength(std::string_view text, const TWireEncoding& wire, size_t room);

struct TMessagePieces {
  std::vector<std::string> pieces;
  std::string unsent;  // the tail that not even one character of fitted
};

// Cuts the text into pieces that each fit in a relayed line with this
// overhead.
TMessagePieces SplitMessage(std::string_view text, const TWireEncoding& wire, size_t overhead);

}  // namespace zeph
