#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "display/picture.h"
#include "display/theme_files.h"

// The pictures a background may name, for the picture chooser.
namespace zeph {

// The names (internal text) of the files in the user's and the shared
// image folders that end in ".jpg", ".jpeg", ".jpe" or ".bmp" (letters in
// any case, as the pictures come from Windows), sorted by their bytes, each
// once.
std::vector<std::string> ListThemePictures(const TThemeFolders& folders);

// The first of the user's and the shared picture of that name that can be
// decoded; nothing for a name that is not a bare file name.
std::optional<TRgbPicture> LoadThemePicture(const TThemeFolders& folders, std::string_view name);

}  // namespace zeph
