#pragma once

#include <filesystem>
#include <span>
#include <vector>

#include "settings/field_table.h"

#include "settings/preferences.h"

// preference.ini: the global preferences.
namespace zeph {

class TIniFile;
class TIniWriter;

// Replaces *prefs with the file's preferences over DefaultPreferences(). A
// missing or unreadable file gives the defaults; the result says whether
// the file was read.
bool LoadPreferences(const std::filesystem::path& path, TPreferences* prefs);
// Writes the whole file with Installed set, creating its folder if needed.
// False if it could not be written; the old file then stays as it was.
bool SavePreferences(const std::filesystem::path& path, const TPreferences& prefs);

// The same on a loaded file and on a writer. Reading keeps the current
// value of every key the file lacks and replaces every list (an empty entry
// is dropped); WritePreferences writes the record as it is.
void ReadPreferences(TIniFile& ini, TPreferences* prefs);
void WritePreferences(TIniWriter& writer, const TPreferences& prefs);

// The sections of single keys the user sets, in the file's order, for the
// settings dialog's pages (the lists have editors of their own).
struct TPreferenceSection {
  const char* name;
  std::span<const TField<TPreferences>> fields;
};
std::vector<TPreferenceSection> PreferenceSections();

}  // namespace zeph
