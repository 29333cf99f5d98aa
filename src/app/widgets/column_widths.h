#pragma once

#include <QHeaderView>
#include <algorithm>
#include <vector>

namespace zeph {

// A list of the settings dialog takes its column widths from window.ini,
// each at least as wide as its title, and keeps the user's changes in
// `widths`, which must outlive it.
inline void KeepColumnWidths(QHeaderView& header, std::vector<int>& widths) {
  for (int i = 0; i < static_cast<int>(widths.size()) && i < header.count(); ++i)
    header.resizeSection(i, std::max(widths[i], header.sectionSizeHint(i)));
  QObject::connect(&header, &QHeaderView::sectionResized, &header, [&widths](int index, int, int width) {
    if (index < static_cast<int>(widths.size())) widths[index] = width;
  });
}

}  // namespace zeph
