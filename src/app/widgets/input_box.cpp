#include "app/widgets/input_box.h"

#include <QKeyEvent>

#include "platform/qt/qt_text.h"

namespace zeph {

TInputBox::TInputBox(QWidget* parent) : QLineEdit(parent) { setObjectName(QStringLiteral("Zephlora2Input")); }

bool TInputBox::event(QEvent* event) {
  // Tab belongs to the focus cycle of the main window, not to Qt's order.
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
      keyPressEvent(key);
      return true;
    }
  }
  return QLineEdit::event(event);
}

void TInputBox::keyPressEvent(QKeyEvent* event) {
  const TKeyCommand key = InputKeyCommand(event->key(), event->modifiers());
  switch (key.action) {
    case TKeyAction::Submit:
      Submit(event->key(), event->modifiers());
      return;
    case TKeyAction::HistoryUp:
      ShowText(history_.Up(FromQString(text())));
      return;
    case TKeyAction::HistoryDown:
      ShowText(history_.Down(FromQString(text())));
      return;
    case TKeyAction::SelectAll:
      selectAll();
      return;
    case TKeyAction::None:
      QLineEdit::keyPressEvent(event);
      return;
    default:
      if (!command || !command(key)) QLineEdit::keyPressEvent(event);
      return;
  }
}

void TInputBox::TakeStrayKey(QKeyEvent* event) {
  setFocus(Qt::OtherFocusReason);
  end(false);
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return;
  keyPressEvent(event);
}

void TInputBox::Submit(int key, Qt::KeyboardModifiers modifiers) {
  // Ctrl+M is a message, as Enter is; only Ctrl with Enter makes a notice
  // or, with Shift too, an action.
  const bool ctrl_enter = (modifiers & Qt::ControlModifier) && key != Qt::Key_M;
  const bool shift = modifiers & Qt::ShiftModifier;
  const QString line = text();
  if (!submit || !submit(line, ctrl_enter && !shift, ctrl_enter && shift)) return;
  history_.Add(FromQString(line));
  clear();
}

void TInputBox::ShowText(const std::string& text) {
  setText(ToQString(text));
  end(false);
}

}  // namespace zeph
