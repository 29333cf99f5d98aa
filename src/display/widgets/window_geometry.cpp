#include "display/widgets/window_geometry.h"

#include <QHeaderView>
#include <QWidget>

namespace zeph {

void ApplyListWindowGeometry(QWidget& window, QHeaderView& header, const TWindowEntry& entry) {
  if (entry.rect.Width() > 0 && entry.rect.Height() > 0) {
    window.setGeometry(entry.rect.left, entry.rect.top, entry.rect.Width(), entry.rect.Height());
  }
  const int count = std::min<int>(header.count(), static_cast<int>(entry.header.size()));
  for (int column = 0; column < count; ++column) {
    if (entry.header[column] > 0) header.resizeSection(column, entry.header[column]);
  }
}

TWindowEntry ListWindowGeometryOf(const QWidget& window, const QHeaderView& header) {
  const QRect rect = window.normalGeometry().isValid() ? window.normalGeometry() : window.geometry();
  TWindowEntry entry{TWindowRect::At(rect.x(), rect.y(), rect.width(), rect.height()), {}};
  for (int column = 0; column < header.count(); ++column) entry.header.push_back(header.sectionSize(column));
  return entry;
}

}  // namespace zeph
