#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zeph {

class TIniFile;
class TIniWriter;

// "Unit." and 3 give "Unit.03": the two-digit, zero-based index of the
// settings files ("%02d", so 100 and above take more digits).
std::string IndexedName(std::string_view prefix, int index);

// The keys of one counted list of texts: a count key, then one key per
// entry made of prefix, index and suffix ("AutoOp.Count", "AutoOp.00.Mask").
struct TListKeys {
  std::string count;
  std::string prefix;
  std::string suffix;
  bool plain_index = false;  // "%d" instead of "%02d"

  // The usual shape: name + ".Count" and name + ".%02d" + suffix.
  static TListKeys Named(std::string_view name, std::string_view suffix);
  std::string EntryKey(int index) const;
};

// How many entries a counted list has. The count says how many were
// written, the file how many are there: indices 0 to Count-1 are read up
// to the last one the file holds, so a gap inside the list still counts,
// no count cuts a long list short, and a damaged count invents nothing.
// Gaps are bridged only while the missing entries do not outnumber the
// present ones, so a stray index far beyond the others ends the list.
// The entries are keys of the current section starting with EntryKey(i)
// (a field follows when the suffix ends in a dot), or whole section names.
int CountedKeys(const TIniFile& ini, const TListKeys& keys);
int CountedSections(const TIniFile& ini, const TListKeys& keys);

// Reads the entries of the current section; an entry that reads empty (a
// gap in the numbering) is dropped.
std::vector<std::string> ReadTextList(const TIniFile& ini, const TListKeys& keys);
// The count, then every entry from index 0.
void WriteTextList(TIniWriter& writer, const TListKeys& keys, const std::vector<std::string>& entries);

}  // namespace zeph
