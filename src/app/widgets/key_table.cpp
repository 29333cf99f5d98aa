#include "app/widgets/key_table.h"

namespace zeph {

namespace {
using A = TKeyAction;

// Main-row and keypad digits alike.
int DigitOf(int key) { return key >= Qt::Key_0 && key <= Qt::Key_9 ? key - Qt::Key_0 : -1; }

TKeyCommand Plain(int key) {
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return {A::Submit};
    case Qt::Key_Up: return {A::HistoryUp};
    case Qt::Key_Down: return {A::HistoryDown};
    case Qt::Key_Tab: return {A::FocusForward};
    case Qt::Key_PageUp: return {A::LogPageUp};
    case Qt::Key_PageDown: return {A::LogPageDown};
  }
  return {};
}

TKeyCommand WithShift(int key) {
  switch (key) {
    case Qt::Key_Backtab:
    case Qt::Key_Tab: return {A::FocusBackward};
    case Qt::Key_PageUp: return {A::LogPageUp};
    case Qt::Key_PageDown: return {A::LogPageDown};
    case Qt::Key_Up: return {A::LogRowUp};
    case Qt::Key_Down: return {A::LogRowDown};
    case Qt::Key_Return:
    case Qt::Key_Enter: return {A::Submit};
  }
  return {};
}

TKeyCommand WithCtrl(int key) {
  if (int digit = DigitOf(key); digit >= 0) return {A::SelectNumber, digit};
  switch (key) {
    case Qt::Key_M:
    case Qt::Key_Return:
    case Qt::Key_Enter: return {A::Submit};
    case Qt::Key_PageUp: return {A::LogPageUp};
    case Qt::Key_PageDown: return {A::LogPageDown};
    case Qt::Key_Home: return {A::LogTop};
    case Qt::Key_End: return {A::LogEnd};
    case Qt::Key_Tab:
    case Qt::Key_Down: return {A::NextActive};
    case Qt::Key_Up: return {A::PreviousActive};
    case Qt::Key_Right:
    case Qt::Key_BracketRight: return {A::NextLoggedInUnit};
    case Qt::Key_Left:
    case Qt::Key_BracketLeft: return {A::PreviousLoggedInUnit};
    case Qt::Key_Space: return {A::NextUnread};
    case Qt::Key_Slash: return {A::ToggleExpand};
    case Qt::Key_A: return {A::SelectAll};
  }
  return {};
}

TKeyCommand WithCtrlShift(int key) {
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return {A::Submit};
    case Qt::Key_PageUp: return {A::ConsolePageUp};
    case Qt::Key_PageDown: return {A::ConsolePageDown};
    case Qt::Key_Home: return {A::ConsoleTop};
    case Qt::Key_End: return {A::ConsoleEnd};
    case Qt::Key_Up: return {A::ConsoleRowUp};
    case Qt::Key_Down: return {A::ConsoleRowDown};
    case Qt::Key_Backtab:
    case Qt::Key_Tab: return {A::PreviousActive};
    case Qt::Key_Space: return {A::PreviousUnread};
  }
  return {};
}

TKeyCommand WithAlt(int key) {
  switch (key) {
    case Qt::Key_Down: return {A::NextNode};
    case Qt::Key_Up: return {A::PreviousNode};
    case Qt::Key_Right: return {A::NextUnit};
    case Qt::Key_Left: return {A::PreviousUnit};
    case Qt::Key_BracketRight: return {A::NextActive};
    case Qt::Key_BracketLeft: return {A::PreviousActive};
  }
  return {};
}

TKeyCommand WithCtrlAlt(int key) {
  if (int digit = DigitOf(key); digit >= 0) return {A::SelectNumber, 10 + digit};
  switch (key) {
    case Qt::Key_Up: return {A::MoveUp};
    case Qt::Key_Down: return {A::MoveDown};
  }
  return {};
}
}  // namespace

TKeyCommand InputKeyCommand(int key, Qt::KeyboardModifiers modifiers) {
  // The keypad flag only says where a digit or Enter came from.
  const Qt::KeyboardModifiers held = modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  if (held == Qt::NoModifier) return Plain(key);
  if (held == Qt::ShiftModifier) return WithShift(key);
  if (held == Qt::ControlModifier) return WithCtrl(key);
  if (held == (Qt::ControlModifier | Qt::ShiftModifier)) return WithCtrlShift(key);
  if (held == Qt::AltModifier) return WithAlt(key);
  if (held == (Qt::ControlModifier | Qt::AltModifier)) return WithCtrlAlt(key);
  return {};
}

}  // namespace zeph
