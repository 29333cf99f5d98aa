#include "platform/qt/dropped_files.h"

#include <QMimeData>
#include <QUrl>

namespace zeph {

QStringList DroppedFiles(const QMimeData* data) {
  QStringList paths;
  if (!data) return paths;
  for (const QUrl& url : data->urls())
    if (url.isLocalFile()) paths.push_back(url.toLocalFile());
  return paths;
}

}  // namespace zeph
