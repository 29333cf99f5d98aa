// Received bytes through both units' decoding, which picks the encoding per
// text. Malformed UTF-8 is never read as UTF-8, the other encoding is only
// chosen on its own evidence, what the unit itself sends always reads back
// in the unit's encoding, and a name kept for addressing in its server
// bytes can never split a command.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/encoding.h"
#include "engine/encoding_foreign_names.h"
#include "codec/encoding_jis.h"
#include "codec/encoding_utf8.h"
#include "platform/cp932.h"

using namespace zeph;

namespace {

bool HasEightBit(std::string_view text) {
  for (unsigned char c : text) {
    if (c >= 0x80) return true;
  }
  return false;
}

bool HasDesignation(std::string_view text) {
  return text.find("\x1B(") != std::string_view::npos || text.find("\x1B$") != std::string_view::npos;
}

// Well-formed UTF-8, told without the detector: every character read must
// be a Unicode scalar value and write back to exactly the bytes it came
// from, so overlong, cut-off and out-of-range forms all fail.
bool IsWellFormedUtf8(std::string_view text) {
  std::string again;
  for (size_t pos = 0; pos < text.size();) {
    char32_t c = cp932::NextUtf8(text, &pos);
    if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return false;
    cp932::AppendUtf8(c, &again);
  }
  return again == text;
}

void CheckReading(std::string_view wire, int session) {
  bool foreign = false;
  std::string text = TWireEncoding{session, 0}.Decode(wire, &foreign);
  bool read_as_utf8 = (session == kEncodingUtf8) != foreign;
  bool utf8_evidence = HasEightBit(wire) && IsWellFormedUtf8(wire) && !HasDesignation(wire);
  bool jis_evidence = HasDesignation(wire) && !HasEightBit(wire);
  if (session == kEncodingIso2022Jp && foreign != utf8_evidence) abort();
  if (session == kEncodingUtf8 && foreign != jis_evidence) abort();
  if (text != (read_as_utf8 ? DecodeUtf8(wire) : DecodeJis(wire))) abort();
}

// The server echoes our own JOIN in the bytes we sent: they must read back
// as the unit's encoding, or a configured channel would go unrecognised.
// (A UTF-8 unit sends an ESC the user typed unchanged, so only texts
// without one are held to this there.)
void CheckOwnTextsReadBack(const std::string& sjis) {
  for (int kana = 0; kana < 4; ++kana) {
    TWireEncoding jis{kEncodingIso2022Jp, kana};
    bool foreign = true;
    jis.Decode(jis.Encode(sjis), &foreign);
    if (foreign) abort();
  }
  if (sjis.find('\x1B') != std::string::npos) return;
  TWireEncoding utf8{kEncodingUtf8, 0};
  bool foreign = true;
  utf8.Decode(utf8.Encode(sjis), &foreign);
  if (foreign) abort();
}

void CheckKeptNamesStayOneParameter(std::string_view wire) {
  for (int session : {kEncodingIso2022Jp, kEncodingUtf8}) {
    TForeignNames names;
    TWireEncoding encoding{session, 0, &names};
    bool foreign = false;
    std::string name = encoding.Decode(wire, &foreign);
    names.Note(name, wire, foreign);
    if (const std::string* kept = names.Find(name)) {
      if (!foreign || *kept != wire) abort();
      if (kept->find_first_of(std::string_view(" ,\r\n\0", 5)) != std::string::npos) abort();
      if (encoding.EncodeParams(name) != wire) abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view wire(reinterpret_cast<const char*>(data), size);
  CheckReading(wire, kEncodingIso2022Jp);
  CheckReading(wire, kEncodingUtf8);
  CheckOwnTextsReadBack(DecodeJis(wire));
  CheckKeptNamesStayOneParameter(wire);
  return 0;
}
