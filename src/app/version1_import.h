#pragma once
#include <filesystem>
#include <string_view>

#include "app/app_folders.h"
#include "app/import_report.h"
#include "app/version1_general.h"
#include "display/view_settings.h"
#include "settings/preferences.h"
#include "settings/server_config.h"
#include "settings/window_layout.h"

// The one-time import of a version-1 installation, run by the first-start
// wizard.
namespace zeph {

// The settings the import fills; the caller passes the current ones in, so
// whatever the version-1 files do not name stays as it was.
struct TImportSettings {
  TPreferences preferences;
  TWorldConfig tree;
  TViewSettings view;
  TWindowLayout window;
};

// Imports `source` (a folder HasVersion1Settings accepts) for `user_name`:
// the general file, the server profiles, the auto-op, nick and ignore
// lists, the view file, then copies of the macro, macro data, sound, image
// and template files into the profile. The settings are written once, at
// the end (preference.ini, tree.ini, window.ini, view.ini, each replaced
// whole), so an import that stops half-way leaves the old files. Missing
// version-1 files are skipped; a failed copy is reported and the rest goes
// on.
TImportReport ImportVersion1(const std::filesystem::path& source, std::string_view user_name,
                             const TAppFolders& folders, TImportSettings* settings);

}  // namespace zeph
