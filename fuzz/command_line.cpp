// Command lines come from the user and from macros fed by the network. The
// parser must keep the command word a single upper-case word and the
// target a single word; the text of a message, cut for the wire, must come
// back whole from pieces that each fit and never divide a character.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/encoding.h"
#include "platform/cp932.h"
#include "platform/sjis.h"
#include "protocol/command_line_parse.h"
#include "protocol/message_split.h"
#include "offline.h"

using namespace zeph;

namespace {

void CheckParse(std::string_view line) {
  TParsedCommand parsed = ParseCommandLine(line);
  if (parsed.command.find(' ') != std::string::npos) abort();
  if (parsed.target.find(' ') != std::string::npos) abort();
  if (AsciiUpperText(parsed.command) != parsed.command) abort();
  if (parsed.lone_colon && !parsed.rest.empty()) abort();
}

void CheckSplit(std::string_view text, const TWireEncoding& wire, size_t overhead) {
  TMessagePieces split = SplitMessage(text, wire, overhead);
  size_t pos = 0;
  for (const std::string& piece : split.pieces) {
    if (piece.empty() || overhead + wire.Encode(piece).size() > 510) abort();
    if (text.substr(pos, piece.size()) != piece) abort();
    // The cut after the piece is a character boundary of the whole text.
    size_t end = pos + piece.size();
    while (pos < end) pos += SplitUnitLength(text, pos, wire);
    if (pos != end) abort();
  }
  if (text.substr(pos) != split.unsent) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2 || size > 4096) return 0;
  std::string_view text(reinterpret_cast<const char*>(data) + 2, size - 2);
  CheckParse(text);

  size_t overhead = data[0] * 2u;  // 0..510: from roomy to nothing fits
  TWireEncoding wire{kEncodingIso2022Jp, data[1] % 4};
  if (data[1] & 0x80 && cp932::Available()) wire.session_encoding = kEncodingUtf8;
  CheckSplit(text, wire, overhead);
  return 0;
}
