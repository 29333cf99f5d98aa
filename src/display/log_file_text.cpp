#include "display/log_file_text.h"

#include <cstdint>

#include "display/decorated_text.h"
#include "display/log_line.h"
#include "platform/cp932.h"
#include "platform/sjis.h"
#include "platform/word_scan.h"

namespace zeph {
namespace {

bool IsPrintableSingleByte(unsigned char c) {
  return (c >= 0x20 && c < 0x7F) || (c >= 0xA1 && c <= 0xDF);  // ASCII, half-width katakana
}

bool IsKeptAsItIs(unsigned char c) { return c == '\t' || IsPrintableSingleByte(c); }

bool IsPrintableAscii(std::uint64_t word) { return !HasByteBelow(word, 0x20) && !HasByteAbove(word, 0x7E); }

// The end of the run from pos of bytes and characters a log file holds as
// they are. Lines are mostly printable ASCII, taken a word at a time, and
// runs of double-byte characters.
size_t KeptRunEnd(std::string_view text, size_t pos) {
  while (pos < text.size()) {
    while (pos + kWordBytes <= text.size() && IsPrintableAscii(LoadWord(text, pos))) pos += kWordBytes;
    if (pos == text.size()) break;
    if (IsKeptAsItIs(static_cast<unsigned char>(text[pos]))) {
      ++pos;
      continue;
    }
    size_t end = cp932::DoubleByteRunEnd(text, pos);
    if (end == pos) break;
    pos = end;
  }
  return pos;
}

void AppendFileText(std::string_view text, std::string* out) {
  static const std::string& geta = Sjis("〓");
  for (size_t pos = 0; pos < text.size();) {
    size_t end = KeptRunEnd(text, pos);
    if (end > pos) {
      out->append(text.substr(pos, end - pos));
      pos = end;
      continue;
    }
    auto c = static_cast<unsigned char>(text[pos]);
    if (c == '\r' || c == '\n') {
      out->push_back(' ');
    } else if (c < 0x20 || c == 0x7F) {
      // dropped
    } else {
      // Only this byte: a byte after it that reads as something stays.
      out->append(geta);
    }
    ++pos;
  }
}

// Makes the end of text from start file text, in place. Nearly every line
// is kept as it is: it is only scanned, and spare is used only for the rest
// of a line that needs a change.
void MakeFileText(std::string& text, size_t start, std::string& spare) {
  size_t end = KeptRunEnd(text, start);
  if (end == text.size()) return;
  spare.assign(text, end);
  text.resize(end);
  AppendFileText(spare, &text);
}

bool HasColorCode(std::string_view piece) { return piece.find(kColorCode) != std::string_view::npos; }

// Appends the line stripped of its control codes. The pieces are stripped
// one by one unless a colour code before the body could take digits from
// the piece after it; that rare line is joined first.
void AppendStrippedPieces(const TLogLineSource& source, std::string& joined, std::string& out) {
  if (HasColorCode(source.time) || HasColorCode(source.place) || HasColorCode(source.nick_piece)) {
    joined.assign(source.time).append(source.place).append(source.nick_piece).append(source.body);
    AppendWithoutControlCodes(joined, out);
    return;
  }
  for (const std::string* piece : {&source.time, &source.place, &source.nick_piece, &source.body})
    AppendWithoutControlCodes(*piece, out);
}

}  // namespace

void AppendLogFileLine(std::string_view text, std::string& out, std::string& spare) {
  size_t start = out.size();
  AppendWithoutControlCodes(text, out);
  MakeFileText(out, start, spare);
}

void AppendLogFileLine(const TLogLineSource& source, std::string& out, std::string& spare) {
  size_t start = out.size();
  AppendStrippedPieces(source, spare, out);
  MakeFileText(out, start, spare);
}

void AppendStrippedLogFileLine(std::string_view text, std::string& out, std::string& spare) {
  size_t start = out.size();
  out.append(text);
  MakeFileText(out, start, spare);
}

}  // namespace zeph
