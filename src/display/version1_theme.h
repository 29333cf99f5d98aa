#pragma once

#include <filesystem>

#include "display/view_settings.h"

namespace zeph {

struct TPreferences;

// Loads a version-1 theme (".lvf") or view file into *settings: its view
// settings when `view` (also the four preferences they carry, when
// `preferences` is given), then its formats when `read_formats`. False, and
// nothing changed, when the file cannot be read.
bool LoadVersion1Theme(const std::filesystem::path& path, bool view, bool read_formats, TViewSettings* settings,
                       TPreferences* preferences = nullptr);

}  // namespace zeph
