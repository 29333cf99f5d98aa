#pragma once

#include <Qt>

// The keys of the input box and the search box that act on the main
// window: scrolling, selecting nodes, moving them, the focus.
namespace zeph {

enum class TKeyAction {
  None,
  Submit,  // Enter, Ctrl+M (Ctrl+Enter a notice, Ctrl+Shift+Enter an action)
  HistoryUp,
  HistoryDown,
  FocusForward,   // Tab
  FocusBackward,  // Shift+Tab
  LogPageUp,
  LogPageDown,
  LogRowUp,
  LogRowDown,
  LogTop,
  LogEnd,
  ConsolePageUp,
  ConsolePageDown,
  ConsoleRowUp,
  ConsoleRowDown,
  ConsoleTop,
  ConsoleEnd,
  NextActive,
  PreviousActive,
  NextLoggedInUnit,
  PreviousLoggedInUnit,
  NextNode,
  PreviousNode,
  NextUnit,
  PreviousUnit,
  NextUnread,
  PreviousUnread,
  SelectNumber,  // the number is TKeyCommand::number
  MoveUp,
  MoveDown,
  ToggleExpand,  // Ctrl+/
  SelectAll,
};

struct TKeyCommand {
  TKeyAction action = TKeyAction::None;
  int number = 0;  // SelectNumber: 0 the unit, n its n-th target
};

// The table of the input box; the search box uses the same, with its own
// meaning of Enter, Up, Down and Tab.
TKeyCommand InputKeyCommand(int key, Qt::KeyboardModifiers modifiers);

}  // namespace zeph
