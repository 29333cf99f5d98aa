#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Files and folders the program creates for the user.
namespace zeph {

// Who may read what the program creates.
enum class TFilePrivacy {
  // New files 0666 and folders 0777, less the umask; a replaced file keeps
  // the mode it had.
  Shared,
  // Files 0600 and folders 0700, for anything that holds passwords.
  OwnerOnly,
};

// Creates a folder with every missing parent. Folders that already exist
// keep their modes. True when the folder exists afterwards.
bool CreateFolders(const std::filesystem::path& folder, TFilePrivacy privacy);

// Replaces a file whole. The new contents go to a temporary file in the
// same folder, are synced to the disk and renamed over the old file, so a
// crash or a full disk leaves the old file or the new one, never a mix.
// A symbolic link is followed: its target is replaced, the link stays.
//
// Every failure prints one line on standard error, removes the temporary
// file and leaves the old file untouched. An old file that exists but
// cannot be read is renamed to "<name>.bak" before it is replaced, so a
// file the program could not load is never lost to the next save.
class TAtomicFile {
 public:
  TAtomicFile() = default;
  ~TAtomicFile();  // discards what was not committed
  TAtomicFile(const TAtomicFile&) = delete;
  TAtomicFile& operator=(const TAtomicFile&) = delete;

  // Creates the temporary file. False if it cannot be created.
  bool Open(const std::filesystem::path& path, TFilePrivacy privacy);
  bool IsOpen() const { return fd_ >= 0; }
  // False once any write has failed; later writes do nothing.
  bool Write(std::string_view bytes);
  // Puts the written contents in place of the file. False (old file kept)
  // if the file was not open, a write failed or the file cannot be replaced.
  bool Commit();
  // Drops the temporary file; the old file stays as it was.
  void Discard();

 private:
  void Fail(const char* what, int error);
  bool KeepUnreadableOldFile();

  std::filesystem::path target_;
  std::filesystem::path temp_;
  int fd_ = -1;
  bool failed_ = false;
};

}  // namespace zeph
