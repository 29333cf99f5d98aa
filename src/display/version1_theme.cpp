#include "display/version1_theme.h"

#include "settings/ini_file.h"
#include "display/version1_format.h"
#include "display/version1_view.h"

namespace zeph {

bool LoadVersion1Theme(const std::filesystem::path& path, bool view, bool read_formats, TViewSettings* settings,
                       TPreferences* preferences) {
  TIniFile ini(true);
  if (!ini.Load(path)) return false;
  if (view) ReadVersion1View(ini, settings, preferences);
  if (read_formats) ReadVersion1Format(ini, &settings->formats);
  return true;
}

}  // namespace zeph
