#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

// The files of transfers on disk. A received file is written under its
// temporary name and moved to its final one only when complete, never
// over an existing file; a sent file is read piece by piece, never whole.
namespace zeph {

// The file a receive writes into.
class TReceiveFile {
 public:
  TReceiveFile() = default;
  ~TReceiveFile();
  TReceiveFile(const TReceiveFile&) = delete;
  TReceiveFile& operator=(const TReceiveFile&) = delete;

  // Creates the folder when missing and a new temporary file in it under
  // the first name that does not exist yet ("_incomplete_" + name, then
  // with "_00" … "_99"). The file is readable by others and never
  // executable. False when no name can be created.
  bool Create(const std::filesystem::path& folder, std::string_view cleaned_name);
  // Opens a partial file to go on from `position`; false when it is
  // missing, not a regular file or shorter than `position`.
  bool OpenExisting(const std::filesystem::path& path, int64_t position);
  bool IsOpen() const { return fd_ >= 0; }
  const std::filesystem::path& Path() const { return path_; }

  // Writes all bytes at `position`; false on a short write.
  bool Write(const char* bytes, size_t length, int64_t position);
  // Cuts the file at `position` and closes it. An empty file is removed,
  // since it holds nothing worth resuming.
  void Close(int64_t position);

 private:
  int fd_ = -1;
  std::filesystem::path path_;
};

// Moves a completed file to the final form of its name in `folder` (the
// name, then with "_00" … "_9999"), never replacing a file that exists.
// The path it now has, or nothing when it could not be moved.
std::optional<std::filesystem::path> MoveToFinalName(const std::filesystem::path& from,
                                                     const std::filesystem::path& folder,
                                                     std::string_view cleaned_name);

// The file a send reads from.
class TSendFile {
 public:
  TSendFile() = default;
  ~TSendFile();
  TSendFile(const TSendFile&) = delete;
  TSendFile& operator=(const TSendFile&) = delete;

  bool Open(const std::filesystem::path& path);
  void Close();
  bool IsOpen() const { return fd_ >= 0; }
  int64_t Size() const { return size_; }
  // Reads up to `length` bytes at `position`; the count, or -1.
  long Read(char* destination, size_t length, int64_t position) const;

 private:
  int fd_ = -1;
  int64_t size_ = 0;
};

}  // namespace zeph
