#pragma once

#include <QDialog>
#include <QTableView>

#include "macro/editor_layout.h"

// How an editor takes its layout when it opens and reports it when it
// closes: the window's size and the widths of its list's columns.
namespace zeph {

inline void ApplyEditorLayout(QDialog& dialog, QTableView& view, const TEditorLayout& layout) {
  if (layout.width > 0 && layout.height > 0) dialog.resize(layout.width, layout.height);
  for (size_t column = 0; column < layout.columns.size(); ++column) {
    if (layout.columns[column] > 0) view.setColumnWidth(static_cast<int>(column), layout.columns[column]);
  }
}

inline TEditorLayout EditorLayoutOf(const QDialog& dialog, const QTableView& view, size_t columns) {
  TEditorLayout layout{dialog.width(), dialog.height(), {}};
  for (size_t column = 0; column < columns; ++column) layout.columns.push_back(view.columnWidth(static_cast<int>(column)));
  return layout;
}

}  // namespace zeph
