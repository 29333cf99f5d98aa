#pragma once
#include <filesystem>

#include "app/version1_general.h"

namespace zeph {

// Sets the window options of the import in window.ini ([Main] MenuVisible
// and TopMost, [Find] Case), keeping every other key and section. Nothing
// is written when the import has none. False if the file could not be
// written.
bool SaveVersion1Window(const std::filesystem::path& path, const TVersion1Window& window);

}  // namespace zeph
