#include "app/version1_window.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "settings/ini_file.h"
#include "settings/ini_writer.h"

namespace zeph {

namespace {

using TChanges = std::vector<std::pair<std::string_view, std::optional<bool>>>;

// Rewrites one section with the changed keys in place of their old values
// and the others as they were.
bool SaveSection(const std::filesystem::path& path, std::string_view section, const TChanges& changes) {
  std::map<std::string_view, bool> wanted;
  for (const auto& [key, value] : changes)
    if (value) wanted.emplace(key, *value);
  if (wanted.empty()) return true;
  TIniFile old;
  old.Load(path);
  old.SetSection(section);
  return SaveIniSection(path, section, TFilePrivacy::Shared, [&](TIniWriter& writer) {
    writer.WriteSection(section);
    for (std::string_view key : old.KeysStartingWith(""))
      if (!wanted.contains(key)) writer.WriteString(key, old.ReadString(key, ""));
    for (const auto& [key, value] : wanted) writer.WriteBool(key, value);
  });
}

}  // namespace

bool SaveVersion1Window(const std::filesystem::path& path, const TVersion1Window& window) {
  bool main = SaveSection(path, "Main", {{"MenuVisible", window.menu_visible}, {"TopMost", window.top_most}});
  bool find = SaveSection(path, "Find", {{"Case", window.find_case}});
  return main && find;
}

}  // namespace zeph
