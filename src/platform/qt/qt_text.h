#pragma once

#include <QString>
#include <string>
#include <string_view>

// The screen border: Qt speaks Unicode, the program Shift_JIS.
namespace zeph {
QString ToQString(std::string_view sjis);
std::string FromQString(const QString& text);
}  // namespace zeph
