#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zeph {

// A settings file of [sections] and key=value lines, loaded whole and
// queried by section and key. Names are byte strings compared exactly
// (case-sensitive); values are Shift_JIS bytes, never converted.
class TIniFile {
 public:
  // `strip_quotes` is for the version-1 files, whose values may be wrapped
  // in one pair of double quotes.
  explicit TIniFile(bool strip_quotes = false) : strip_quotes_(strip_quotes) {}

  // Adds the file's entries to those already loaded. False if the file
  // cannot be opened or read; the entries then stay as they were.
  bool Load(const std::filesystem::path& path);
  // The same for a file's contents held in memory.
  void LoadText(std::string_view bytes);

  // The section the reads look in; the empty name holds the keys written
  // before the first header.
  void SetSection(std::string_view name) { current_section_ = name; }
  // Whether a section holds any key (a header alone creates none).
  bool HasSection(std::string_view name) const { return sections_.contains(name); }
  // Whether no key at all was loaded.
  bool Empty() const { return sections_.empty(); }

  std::string ReadString(std::string_view key, std::string_view default_value) const;
  // Decimal, saturating at the 32-bit limits; "6667x" reads 6667, an empty
  // value 0.
  int ReadInteger(std::string_view key, int default_value) const;
  // Exactly "true"/"1" or "false"/"0"; anything else gives the default.
  bool ReadBool(std::string_view key, bool default_value) const;
  // Hexadecimal with an optional 0x, for colours.
  unsigned ReadHex(std::string_view key, unsigned default_value) const;
  // The names of the current section's keys, and of the sections, that
  // start with `prefix`, in byte order.
  std::vector<std::string_view> KeysStartingWith(std::string_view prefix) const;
  std::vector<std::string_view> SectionsStartingWith(std::string_view prefix) const;

 private:
  using TSection = std::map<std::string, std::string, std::less<>>;

  void AddLines(const std::vector<std::string>& lines);
  // The typed reads' view of a value: nothing when the key is missing or
  // holds the marker "*****DEFAULT*****", which also means "the default".
  bool ReadTyped(std::string_view key, std::string* value) const;

  std::map<std::string, TSection, std::less<>> sections_;
  std::string current_section_;
  bool strip_quotes_;
};

// The section name of a header line "[name]" (the closing bracket may be
// missing); nothing for any other line.
std::optional<std::string_view> IniHeaderName(std::string_view line);

}  // namespace zeph
