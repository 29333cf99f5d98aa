#pragma once
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Reading the settings files of version 1. Their general file spread its
// keys over sections whose names moved between releases, so a key is
// looked up in whichever section holds it; lists are a count key and
// entries numbered in decimal from 0.
namespace zeph {

class TIniFile;

class TVersion1Keys {
 public:
  // Indexes the keys of every section of `ini` (the first section holding
  // a key wins, in byte order of the section names).
  explicit TVersion1Keys(TIniFile& ini);

  // Makes `key` readable: the ini's current section becomes the one
  // holding it (or none, so every read gives its default).
  TIniFile& At(std::string_view key);
  bool Has(std::string_view key) const { return section_of_.contains(key); }

 private:
  TIniFile& ini_;
  std::map<std::string, std::string, std::less<>> section_of_;
};

// The entries prefix + "0" ... of the current section, as many as
// `count_key` says but never more than the section has keys, so a count
// of 2^31 costs nothing; empty entries are dropped. Nothing when the count
// key is missing (the setting it feeds then stays as it was).
std::optional<std::vector<std::string>> ReadVersion1List(const TIniFile& ini, std::string_view count_key,
                                                         std::string_view prefix);

// How many indices a count key may take in the current section.
int BoundedVersion1Count(const TIniFile& ini, std::string_view count_key);

}  // namespace zeph
