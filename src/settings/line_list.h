#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zeph {

// A whole text file as an ordered list of lines without their terminators.
class TLineList {
 public:
  // Replaces the list with the lines of the file. False (list unchanged)
  // if the file cannot be opened or read.
  bool LoadFromFile(const std::filesystem::path& path);
  // Replaces the file with the lines, each followed by CR LF (atomically,
  // see TAtomicFile). False if it could not be written; the old file stays.
  bool SaveToFile(const std::filesystem::path& path) const;
  // Replaces the list with the lines of bytes read as a file's contents.
  void SetText(std::string_view bytes);
  // The bytes SaveToFile writes.
  std::string Text() const;

  int Count() const { return static_cast<int>(lines_.size()); }
  // The empty text for an index outside the list.
  const std::string& Get(int index) const;
  void Add(std::string line);
  // An index outside the list appends.
  void Insert(int index, std::string line);
  // An index outside the list does nothing.
  void Delete(int index);
  void Clear() { lines_.clear(); }
  const std::vector<std::string>& Lines() const { return lines_; }

 private:
  bool Contains(int index) const { return index >= 0 && index < Count(); }

  std::vector<std::string> lines_;
};

}  // namespace zeph
