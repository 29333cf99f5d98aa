#pragma once

#include <QString>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The screen border: Qt speaks Unicode, the program Shift_JIS.
namespace zeph {
// The windows' own texts are written in the source as UTF-8.
inline QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

QString ToQString(std::string_view sjis);
std::string FromQString(const QString& text);

// A Shift_JIS text as the screen shows it, with the byte where each UTF-16
// unit's character starts, so that hit tests and selections can go from
// pixels to characters to bytes and back.
struct TScreenText {
  QString text;
  // One entry per UTF-16 unit of text and one more for the end (the byte
  // count). Both units of a surrogate pair point at their character's start.
  std::vector<std::uint32_t> byte_of;

  // The unit whose character holds the byte: a byte inside a double-byte
  // character maps to that character; a byte at or past the end to the end.
  int CharAtByte(size_t byte) const;
  size_t ByteAtChar(int index) const { return byte_of[static_cast<size_t>(index)]; }
};

TScreenText ToScreenText(std::string_view sjis);
// The same into out, whose buffers are reused.
void ToScreenText(std::string_view sjis, TScreenText& out);

// A title shown exactly as given: Qt takes "[*]" in a window title for the
// place of the modified mark, so a channel or file name holding it would
// lose those three characters.
QString LiteralWindowTitle(const QString& title);
}  // namespace zeph
