#pragma once

#include <filesystem>
#include <string_view>

namespace zeph {

// A file that only grows: every write lands at its current end, even when
// another program appends to it as well, and goes straight to the
// operating system, so a crash of the program loses no written line.
class TAppendFile {
 public:
  TAppendFile() = default;
  ~TAppendFile() { Close(); }
  TAppendFile(const TAppendFile&) = delete;
  TAppendFile& operator=(const TAppendFile&) = delete;

  // Opens the regular file at `path`, created when missing (0666 less the
  // umask) and never truncated. Anything else found there (a folder, a
  // pipe, a device) is refused without waiting for it, and so is a file
  // another of these writers holds, in this program or another copy of
  // it: one writer per file, so two logs never mix in one. Fails if open.
  bool Open(const std::filesystem::path& path);
  bool IsOpen() const { return fd_ >= 0; }
  void Close();

  // All of `bytes` in one call where the system allows it; false when not
  // all of them could be written.
  bool Write(std::string_view bytes);
  // Puts what was written on the disk.
  bool Sync();

 private:
  int fd_ = -1;
};

}  // namespace zeph
