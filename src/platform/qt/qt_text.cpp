#include "platform/qt/qt_text.h"

#include <algorithm>

#include "platform/cp932.h"

namespace zeph {

QString ToQString(std::string_view sjis) {
  std::string utf8 = cp932::ToUtf8(sjis);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string FromQString(const QString& text) {
  QByteArray utf8 = text.toUtf8();
  return cp932::FromUtf8(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}

int TScreenText::CharAtByte(size_t byte) const {
  if (byte >= byte_of.back()) return static_cast<int>(text.size());
  auto after = std::upper_bound(byte_of.begin(), byte_of.end() - 1, static_cast<std::uint32_t>(byte));
  auto unit = static_cast<int>(after - byte_of.begin()) - 1;
  // The second unit of a surrogate pair starts no character of its own.
  while (unit > 0 && byte_of[static_cast<size_t>(unit - 1)] == byte_of[static_cast<size_t>(unit)]) --unit;
  return unit;
}

void ToScreenText(std::string_view sjis, TScreenText& out) {
  out.text.resize(0);
  out.byte_of.clear();
  out.text.reserve(static_cast<qsizetype>(sjis.size()));
  out.byte_of.reserve(sjis.size() + 1);
  for (size_t pos = 0; pos < sjis.size();) {
    auto start = static_cast<std::uint32_t>(pos);
    char32_t c = cp932::DecodeChar(sjis, &pos);
    if (c >= 0x10000) {
      out.text.append(QChar(QChar::highSurrogate(c)));
      out.text.append(QChar(QChar::lowSurrogate(c)));
      out.byte_of.push_back(start);
    } else {
      out.text.append(QChar(static_cast<char16_t>(c)));
    }
    out.byte_of.push_back(start);
  }
  out.byte_of.push_back(static_cast<std::uint32_t>(sjis.size()));
}

TScreenText ToScreenText(std::string_view sjis) {
  TScreenText out;
  ToScreenText(sjis, out);
  return out;
}

// Qt shows "[*][*]" as a literal "[*]".
QString LiteralWindowTitle(const QString& title) {
  QString shown = title;
  shown.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
  return shown;
}

}  // namespace zeph
