#include "screenshots/scene.h"

#include <QApplication>
#include <QPixmap>

namespace zeph::test {
namespace {

std::filesystem::path& Folder() {
  static std::filesystem::path folder;
  return folder;
}

}  // namespace

void SetSceneFolder(const std::filesystem::path& folder) { Folder() = folder; }

const std::filesystem::path& SceneFolder() { return Folder(); }

bool SaveScene(QWidget& widget, const std::string& name) {
  widget.show();
  QApplication::processEvents();
  std::filesystem::path path = SceneFolder() / (name + ".png");
  return widget.grab().save(QString::fromStdString(path.string()), "PNG");
}

}  // namespace zeph::test
