#pragma once

#include <QLineEdit>
#include <functional>

#include "app/input_history.h"
#include "app/widgets/key_table.h"

// The input line: sends what is typed, keeps the history for Up and Down
// and hands the navigation keys of the main window to their owner.
namespace zeph {

class TInputBox final : public QLineEdit {
  Q_OBJECT

 public:
  explicit TInputBox(QWidget* parent = nullptr);

  // Sends the text; false when it was refused (the box keeps it).
  std::function<bool(const QString& text, bool as_notice, bool as_action)> submit;
  // Every other key of the table; true when handled.
  std::function<bool(const TKeyCommand& command)> command;

  TInputHistory& History() { return history_; }
  // The caret to the end and the key typed elsewhere delivered here.
  void TakeStrayKey(QKeyEvent* event);

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Submit(int key, Qt::KeyboardModifiers modifiers);
  void ShowText(const std::string& text);

  TInputHistory history_;
};

}  // namespace zeph
