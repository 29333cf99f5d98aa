#pragma once

#include <QDate>
#include <QString>
#include <filesystem>
#include <optional>
#include <string>

class QWidget;

// The main window's "ログをファイルに保存(&S)..." and "ログを消去(&K)..." on
// a log view, with their dialogs.
namespace zeph {

class TLogView;

// The questions the two commands ask. The program answers them with
// dialogs; tests answer them directly.
class TLogFileQuestions {
 public:
  virtual ~TLogFileQuestions() = default;
  // The save dialog, proposing a file name; none when cancelled.
  virtual std::optional<std::filesystem::path> AskSavePath(QWidget* parent, const QString& proposed);
  // A yes/no confirmation titled "確認".
  virtual bool Confirm(QWidget* parent, const QString& text);
  // A failure message titled "失敗".
  virtual void Failed(QWidget* parent, const QString& text);
};

// The dialogs of the program.
TLogFileQuestions& LogFileDialogs();

// Saves every line of the view, proposing "<name>-YYYYMMDD.txt" for the
// channel (or unit) `name` (Shift_JIS) and `today`. An existing file is
// overwritten only after "既存のファイルを上書きします"; one that cannot be
// opened gives "ファイルを開けませんでした". Nothing happens for an empty log.
// True when the file was written.
bool SaveLogToFile(TLogView& view, const std::string& name, const QDate& today,
                   TLogFileQuestions& questions = LogFileDialogs());

// Drops every line after "ログを消去します" is confirmed.
bool ClearLog(TLogView& view, TLogFileQuestions& questions = LogFileDialogs());

}  // namespace zeph
