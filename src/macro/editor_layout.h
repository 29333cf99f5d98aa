#pragma once

#include <vector>

// The sizes the macro editors open with and hand back when they close, as
// window.ini keeps them (sections MacroSelect, MacroEditor, PopupEditor).
namespace zeph {

struct TEditorLayout {
  int width = 0;
  int height = 0;
  std::vector<int> columns;  // widths, first column first

  bool operator==(const TEditorLayout&) const = default;
};

// The macro settings window: its size and the width of the file column.
TEditorLayout DefaultMacroSelectLayout();
// The macro file editor and its ten columns.
TEditorLayout DefaultMacroEditorLayout();
// The popup menu editor and its five columns.
TEditorLayout DefaultPopupEditorLayout();

}  // namespace zeph
