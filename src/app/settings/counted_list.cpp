#include "app/settings/counted_list.h"

#include <cstdio>

#include "app/settings/ini_file.h"
#include "app/settings/ini_writer.h"

namespace zeph {

std::string IndexedName(std::string_view prefix, int index) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%02d", index);
  return std::string(prefix) + digits;
}

TListKeys TListKeys::Named(std::string_view name, std::string_view suffix) {
  std::string stem(name);
  return TListKeys{stem + ".Count", stem + ".", std::string(suffix)};
}

std::string TListKeys::EntryKey(int index) const {
  return (plain_index ? prefix + std::to_string(index) : IndexedName(prefix, index)) + suffix;
}

std::vector<std::string> ReadTextList(const TIniFile& ini, const TListKeys& keys) {
  std::vector<std::string> entries;
  int count = ini.ReadCount(keys.count);
  for (int i = 0; i < count; ++i) {
    std::string entry = ini.ReadString(keys.EntryKey(i), "");
    if (!entry.empty()) entries.push_back(std::move(entry));
  }
  return entries;
}

void WriteTextList(TIniWriter& writer, const TListKeys& keys, const std::vector<std::string>& entries) {
  writer.WriteInteger(keys.count, static_cast<int>(entries.size()));
  for (size_t i = 0; i < entries.size(); ++i) writer.WriteString(keys.EntryKey(static_cast<int>(i)), entries[i]);
}

}  // namespace zeph
