#include "display/theme_pictures.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/cp932.h"
#include "platform/sjis.h"

namespace zeph {

namespace fs = std::filesystem;

namespace {

bool IsPictureName(std::string_view file) {
  std::string name = AsciiLowerText(file);
  for (std::string_view extension : {".jpg", ".jpeg", ".jpe", ".bmp"})
    if (name.size() > extension.size() && name.ends_with(extension)) return true;
  return false;
}

}  // namespace

std::vector<std::string> ListThemePictures(const TThemeFolders& folders) {
  std::vector<std::string> names;
  for (const fs::path* folder : {&folders.profile_image, &folders.shared_image}) {
    std::error_code error;
    for (fs::directory_iterator it(*folder, error), end; !error && it != end; it.increment(error)) {
      std::error_code type_error;
      std::string file = it->path().filename().string();
      if (it->is_regular_file(type_error) && IsPictureName(file)) names.push_back(cp932::FromUtf8(file));
    }
  }
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

std::optional<TRgbPicture> LoadThemePicture(const TThemeFolders& folders, std::string_view name) {
  if (!FindThemePicture(folders, name)) return std::nullopt;
  for (const fs::path* folder : {&folders.profile_image, &folders.shared_image})
    if (auto picture = LoadImageFile(*folder / cp932::ToUtf8(name))) return picture;
  return std::nullopt;
}

}  // namespace zeph
