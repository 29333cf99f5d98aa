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

// Reads entries 0 to Count-1 of the current section; an entry that reads
// empty (a gap in the numbering) is dropped.
std::vector<std::string> ReadTextList(const TIniFile& ini, const TListKeys& keys);
// The count, then every entry from index 0.
void WriteTextList(TIniWriter& writer, const TListKeys& keys, const std::vector<std::string>& entries);

}  // namespace zeph
