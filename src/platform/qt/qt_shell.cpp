#include "platform/qt/qt_shell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStringList>
#include <QUrl>

namespace zeph {

// Minimised start has no meaning for a detached X11 or Wayland client;
// the program decides how it shows itself.
bool TQtShell::StartProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                            const std::filesystem::path& folder, bool) {
  if (program.empty()) return false;
  QStringList list;
  for (const std::string& argument : arguments) list << QString::fromStdString(argument);
  return QProcess::startDetached(QString::fromStdString(program.string()), list,
                                 QString::fromStdString(folder.string()));
}

bool TQtShell::OpenDocument(const std::filesystem::path& file) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(file.string())));
}

bool TQtShell::OpenUrl(const std::string& url) {
  return QDesktopServices::openUrl(QUrl(QString::fromStdString(url), QUrl::StrictMode));
}

}  // namespace zeph
