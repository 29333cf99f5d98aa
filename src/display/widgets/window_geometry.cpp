#include "display/widgets/window_geometry.h"

#include <QHeaderView>
#include <QWidget>

namespace zeph {

void ApplyListWindowGeometry(QWidget& window, QHeaderView& header, const TListWindowGeometry& geometry) {
  if (geometry.width > 0 && geometry.height > 0) {
    window.setGeometry(geometry.left, geometry.top, geometry.width, geometry.height);
  }
  const int count = std::min<int>(header.count(), static_cast<int>(geometry.headers.size()));
  for (int column = 0; column < count; ++column) {
    if (geometry.headers[column] > 0) header.resizeSection(column, geometry.headers[column]);
  }
}

TListWindowGeometry ListWindowGeometryOf(const QWidget& window, const QHeaderView& header) {
  const QRect rect = window.normalGeometry().isValid() ? window.normalGeometry() : window.geometry();
  TListWindowGeometry geometry{rect.x(), rect.y(), rect.width(), rect.height(), {}};
  for (int column = 0; column < header.count(); ++column) geometry.headers.push_back(header.sectionSize(column));
  return geometry;
}

}  // namespace zeph
