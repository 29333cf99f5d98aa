#pragma once

#include <vector>

class QHeaderView;
class QWidget;

// Where a list window sits and how wide its columns are, as the window
// settings keep it (`Left`, `Top`, `Width`, `Height`, `Header.n`). Zero
// width or height means "never placed": the window keeps its own size.
namespace zeph {

struct TListWindowGeometry {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<int> headers;  // column widths; a missing or non-positive one keeps the default
};

void ApplyListWindowGeometry(QWidget& window, QHeaderView& header, const TListWindowGeometry& geometry);
// The window's normal rectangle (not the maximised one) and its widths.
TListWindowGeometry ListWindowGeometryOf(const QWidget& window, const QHeaderView& header);

}  // namespace zeph
