#include "app/version1_keys.h"

#include <algorithm>

#include "settings/ini_file.h"

namespace zeph {

namespace {
// No section of a real file has this name (a header cannot hold "]").
constexpr std::string_view kNoSection = "]";
}  // namespace

TVersion1Keys::TVersion1Keys(TIniFile& ini) : ini_(ini) {
  for (std::string_view section : ini.SectionsStartingWith("")) {
    ini.SetSection(section);
    for (std::string_view key : ini.KeysStartingWith("")) section_of_.try_emplace(std::string(key), section);
  }
}

TIniFile& TVersion1Keys::At(std::string_view key) {
  auto found = section_of_.find(key);
  ini_.SetSection(found == section_of_.end() ? kNoSection : std::string_view(found->second));
  return ini_;
}

int BoundedVersion1Count(const TIniFile& ini, std::string_view count_key) {
  int count = ini.ReadInteger(count_key, 0);
  int keys = static_cast<int>(ini.KeysStartingWith("").size());
  return std::clamp(count, 0, keys);
}

std::optional<std::vector<std::string>> ReadVersion1List(const TIniFile& ini, std::string_view count_key,
                                                         std::string_view prefix) {
  if (ini.ReadString(count_key, "\n") == "\n") return std::nullopt;
  std::vector<std::string> entries;
  int count = BoundedVersion1Count(ini, count_key);
  for (int i = 0; i < count; ++i) {
    std::string entry = ini.ReadString(std::string(prefix) + std::to_string(i), "");
    if (!entry.empty()) entries.push_back(std::move(entry));
  }
  return entries;
}

}  // namespace zeph
