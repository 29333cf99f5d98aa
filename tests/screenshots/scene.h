#pragma once

#include <QWidget>
#include <filesystem>
#include <string>

// Where the scenes put their pictures, and how one is saved.
namespace zeph::test {

void SetSceneFolder(const std::filesystem::path& folder);
const std::filesystem::path& SceneFolder();

// Shows the widget at its size, lets it settle and saves it as
// <folder>/<name>.png. False when the picture could not be written.
bool SaveScene(QWidget& widget, const std::string& name);

}  // namespace zeph::test
