#include "settings/counted_list.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "settings/ini_file.h"
#include "settings/ini_writer.h"

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

namespace {

constexpr size_t kMaxIndexDigits = 9;  // every such index fits an int

// The indices below `count` that the names hold, in order.
std::vector<int> PresentIndices(int count, const std::vector<std::string_view>& names, const TListKeys& keys,
                                bool whole_names) {
  std::vector<int> present;
  for (std::string_view name : names) {
    std::string_view rest = name.substr(keys.prefix.size());
    size_t digits = 0;
    while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9') ++digits;
    if (digits == 0 || digits > kMaxIndexDigits) continue;
    int index = 0;
    std::from_chars(rest.data(), rest.data() + digits, index);
    if (index >= count) continue;
    std::string entry = keys.EntryKey(index);
    if (whole_names ? name == entry : name.starts_with(entry)) present.push_back(index);
  }
  std::sort(present.begin(), present.end());
  present.erase(std::unique(present.begin(), present.end()), present.end());
  return present;
}

// Up to the last entry there; a stray index far away ends the list instead
// of inventing a billion empty entries.
int Length(int count, const std::vector<std::string_view>& names, const TListKeys& keys, bool whole_names) {
  int length = 0;
  int seen = 0;
  for (int index : PresentIndices(count, names, keys, whole_names)) {
    ++seen;
    if (index + 1 - seen > seen) break;
    length = index + 1;
  }
  return length;
}

int CountOf(const TIniFile& ini, const TListKeys& keys) { return std::max(0, ini.ReadInteger(keys.count, 0)); }

}  // namespace

int CountedKeys(const TIniFile& ini, const TListKeys& keys) {
  bool fields_follow = keys.suffix.ends_with('.');
  return Length(CountOf(ini, keys), ini.KeysStartingWith(keys.prefix), keys, !fields_follow);
}

int CountedSections(const TIniFile& ini, const TListKeys& keys) {
  return Length(CountOf(ini, keys), ini.SectionsStartingWith(keys.prefix), keys, true);
}

std::vector<std::string> ReadTextList(const TIniFile& ini, const TListKeys& keys) {
  std::vector<std::string> entries;
  int count = CountedKeys(ini, keys);
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
