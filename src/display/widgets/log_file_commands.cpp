#include "display/widgets/log_file_commands.h"

#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

#include "display/saved_log.h"
#include "display/widgets/log_view.h"
#include "platform/qt/qt_text.h"

namespace zeph {
namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace

std::optional<std::filesystem::path> TLogFileQuestions::AskSavePath(QWidget* parent, const QString& proposed) {
  QFileDialog dialog(parent, LiteralWindowTitle(Text("ログをファイルに保存")));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(QStringLiteral("txt"));
  dialog.setNameFilters({Text("テキストファイル (*.txt)"), Text("すべてのファイル (*.*)")});
  // The overwrite question is ours, in the program's words.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.selectFile(proposed);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return std::filesystem::path(QFile::encodeName(dialog.selectedFiles().first()).toStdString());
}

bool TLogFileQuestions::Confirm(QWidget* parent, const QString& text) {
  return QMessageBox::question(parent, Text("確認"), text, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

void TLogFileQuestions::Failed(QWidget* parent, const QString& text) {
  QMessageBox::warning(parent, Text("失敗"), text);
}

TLogFileQuestions& LogFileDialogs() {
  static TLogFileQuestions dialogs;
  return dialogs;
}

bool SaveLogToFile(TLogView& view, const std::string& name, const QDate& today, TLogFileQuestions& questions) {
  if (view.Store().Count() == 0) return false;
  QString proposed = ToQString(SavedLogFileName(name, today.year(), today.month(), today.day()));
  auto path = questions.AskSavePath(&view, proposed);
  if (!path) return false;
  std::error_code error;
  if (std::filesystem::exists(*path, error) && !questions.Confirm(&view, Text("既存のファイルを上書きします")))
    return false;
  if (!WriteSavedLog(*path, view.Store())) {
    questions.Failed(&view, Text("ファイルを開けませんでした"));
    return false;
  }
  return true;
}

bool ClearLog(TLogView& view, TLogFileQuestions& questions) {
  if (!questions.Confirm(&view, Text("ログを消去します"))) return false;
  view.Store().Clear();
  return true;
}

}  // namespace zeph
