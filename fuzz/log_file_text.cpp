// A received line as the log file writer makes it file text, against a
// plain byte-by-byte reference: strip the control codes of the joined line,
// then keep each byte or valid code page 932 character, blank a line break,
// drop a control byte and write "〓" for any other byte. The reference asks
// iconv itself whether two bytes are a character. The first four bytes
// choose the lengths of the time, place and nick pieces and how many lines
// the batch holds already; the rest is the line.
#include <iconv.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "display/decoration.h"
#include "display/log_file_text.h"
#include "display/log_line.h"

using namespace zeph;

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Bytes after a colour code that belong to its number.
size_t ColorNumberLength(std::string_view text, size_t pos) {
  size_t p = pos;
  if (p >= text.size() || !IsDigit(text[p])) return 0;
  ++p;
  if (p < text.size() && IsDigit(text[p])) ++p;
  if (p + 1 < text.size() && text[p] == ',' && IsDigit(text[p + 1])) {
    p += 2;
    if (p < text.size() && IsDigit(text[p])) ++p;
  }
  return p - pos;
}

std::string ReferenceStrip(std::string_view text) {
  std::string out;
  for (size_t pos = 0; pos < text.size();) {
    char c = text[pos++];
    if (c == kBoldCode || c == kUnderlineCode || c == kReverseCode || c == kStopCode) continue;
    if (c == kColorCode) {
      pos += ColorNumberLength(text, pos);
      continue;
    }
    out.push_back(c);
  }
  return out;
}

bool IsCp932Pair(unsigned char lead, unsigned char trail) {
  static std::array<signed char, 0x10000> known{};  // 0 unknown, 1 yes, -1 no
  signed char& answer = known[(lead << 8) | trail];
  if (answer == 0) {
    static iconv_t cd = iconv_open("UTF-32LE", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) abort();
    char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    char out[16];
    char* ip = in;
    char* op = out;
    size_t il = 2, ol = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    bool one = iconv(cd, &ip, &il, &op, &ol) != static_cast<size_t>(-1) && il == 0 && sizeof out - ol == 4;
    answer = one ? 1 : -1;
  }
  return answer > 0;
}

bool IsLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
bool IsTrail(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

std::string ReferenceFileText(std::string_view text) {
  std::string out;
  for (size_t pos = 0; pos < text.size(); ++pos) {
    auto c = static_cast<unsigned char>(text[pos]);
    if (c == '\r' || c == '\n') {
      out.push_back(' ');
    } else if (c == '\t' || (c >= 0x20 && c < 0x7F) || (c >= 0xA1 && c <= 0xDF)) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x20 || c == 0x7F) {
      // dropped
    } else if (pos + 1 < text.size() && IsLead(c) && IsTrail(text[pos + 1]) && IsCp932Pair(c, text[pos + 1])) {
      out.append(text.substr(pos, 2));
      ++pos;
    } else {
      out.append("\x81\xAC");  // 〓
    }
  }
  return out;
}

std::string_view TakePiece(std::string_view& rest, unsigned char length) {
  std::string_view piece = rest.substr(0, length % (rest.size() + 1));
  rest.remove_prefix(piece.size());
  return piece;
}

void Check(const std::string& held, const std::string& line, const std::string& expected) {
  if (line.compare(0, held.size(), held) != 0 || line.substr(held.size()) != expected) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  std::string_view rest(reinterpret_cast<const char*>(data) + 4, size - 4);
  TLogLineSource source;
  source.time = TakePiece(rest, data[0]);
  source.place = TakePiece(rest, data[1]);
  source.nick_piece = TakePiece(rest, data[2]);
  source.body = rest;
  std::string joined = source.time + source.place + source.nick_piece + source.body;
  std::string held;
  for (int n = data[3] % 4; n > 0; --n) held += "[00:00] <nick> \x82\xA0\r\n";

  std::string expected = ReferenceFileText(ReferenceStrip(joined));
  std::string spare = "left over";
  std::string line = held;
  AppendLogFileLine(source, line, spare);
  Check(held, line, expected);
  line = held;
  AppendLogFileLine(joined, line, spare);
  Check(held, line, expected);
  line = held;
  AppendStrippedLogFileLine(joined, line, spare);
  Check(held, line, ReferenceFileText(joined));
  return 0;
}
