#include "platform/qt/qt_text.h"

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

}  // namespace zeph
