#pragma once

#include <QStringList>

class QMimeData;

namespace zeph {

// The local files of a drag or drop, in the order they were dropped;
// anything else it carries (links, text) is left out.
QStringList DroppedFiles(const QMimeData* data);

}  // namespace zeph
