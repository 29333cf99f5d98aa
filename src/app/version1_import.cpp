#include "app/version1_import.h"

#include <algorithm>

#include "app/version1_copy.h"
#include "app/version1_folder.h"
#include "app/version1_import_texts.h"
#include "app/version1_profile.h"
#include "display/version1_theme.h"
#include "platform/sjis.h"
#include "platform/string_printf.h"
#include "settings/ini_file.h"
#include "settings/line_list.h"
#include "settings/preference_file.h"
#include "settings/tree_file.h"

namespace zeph {

namespace fs = std::filesystem;

namespace {

struct TSource {
  const fs::path& folder;
  std::string_view user_name;

  std::optional<fs::path> Config(std::string_view suffix) const {
    return FindVersion1ConfigFile(folder, user_name, suffix);
  }
  std::optional<fs::path> Folder(std::initializer_list<std::string_view> names) const {
    fs::path at = folder;
    for (std::string_view name : names) {
      auto found = FindEntryIgnoringCase(at, name);
      if (!found) return std::nullopt;
      at = *found;
    }
    return at;
  }
};

bool LoadVersion1Ini(const std::optional<fs::path>& path, TIniFile* ini) { return path && ini->Load(*path); }

// A list file adds its lines (trimmed, empty ones and repeats dropped) to
// the list the profile has.
void AddListFile(const std::optional<fs::path>& path, std::vector<std::string>* list) {
  TLineList lines;
  if (!path || !lines.LoadFromFile(*path)) return;
  for (std::string line : lines.Lines()) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!line.empty() && blank(line.back())) line.pop_back();
    line.erase(line.begin(), std::find_if_not(line.begin(), line.end(), blank));
    if (!line.empty() && std::find(list->begin(), list->end(), line) == list->end()) list->push_back(line);
  }
}

void ReadSettings(const TSource& source, TImportSettings* settings) {
  TIniFile general(true);
  TVersion1User user;
  if (LoadVersion1Ini(source.Config("-general.ini"), &general))
    user = ReadVersion1General(general, &settings->preferences, &settings->window);
  TIniFile profile(true);
  if (LoadVersion1Ini(source.Config("-profile.ini"), &profile)) ReadVersion1Profiles(profile, user, &settings->tree);
  AddListFile(source.Config("-autoop.lcf"), &settings->tree.auto_op_masks);
  AddListFile(source.Config("-nicks.lcf"), &settings->preferences.nick_list);
  AddListFile(source.Config("-ignore.lcf"), &settings->tree.ignore_masks);
  if (auto view = source.Config("-view.ini"))
    LoadVersion1Theme(*view, true, true, &settings->view, &settings->preferences);
}

void CopyFiles(const TSource& source, const TAppFolders& folders, TImportReport* report) {
  auto any = [](std::string_view) { return true; };
  auto extension = [](std::string_view ext) {
    return [ext](std::string_view name) { return HasExtensionIgnoringCase(name, ext); };
  };
  struct TCopy {
    std::initializer_list<std::string_view> from;
    const fs::path& to;
    std::function<bool(std::string_view)> wanted;
  };
  const TCopy copies[] = {
      {{"Macro"}, folders.macro, extension(".lmf")},
      {{"Macro", "File"}, folders.macro_data, any},
      {{"Sound"}, folders.macro_sound, any},
      {{"Image"}, folders.profile_theme_image, any},
      {{"Template"}, folders.profile_theme, extension(".lvf")},
  };
  for (const TCopy& copy : copies)
    if (auto from = source.Folder(copy.from)) CopyVersion1Files(source.folder, *from, copy.to, copy.wanted, report);
}

bool SaveSettings(const TAppFolders& folders, const TImportSettings& settings) {
  bool saved = SavePreferences(folders.config / "preference.ini", settings.preferences);
  saved = SaveTree(folders.config / "tree.ini", settings.tree) && saved;
  saved = SaveWindowLayout(folders.config / "window.ini", settings.window) && saved;
  return settings.view.SaveViewSettings(folders.config / "view.ini") && saved;
}

}  // namespace

TImportReport ImportVersion1(const fs::path& source_folder, std::string_view user_name, const TAppFolders& folders,
                             TImportSettings* settings) {
  TSource source{source_folder, user_name};
  TImportReport report;
  ReadSettings(source, settings);
  CopyFiles(source, folders, &report);
  report.settings_saved = SaveSettings(folders, *settings);
  if (!report.settings_saved) report.Add(Sjis("設定ファイルを書き込めませんでした"));
  const TImportDialogTexts& texts = ImportDialogTexts();
  if (report.failed > 0) report.Add(StringPrintf(texts.failed_copies, report.failed));
  report.Add(StringPrintf(texts.done, report.copied));
  return report;
}

}  // namespace zeph
