#include "dcc/transfer_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "dcc/received_file_name.h"
#include "platform/files.h"

namespace zeph {
namespace fs = std::filesystem;
namespace {

// Read and write for everyone the umask allows; execute for no one, so a
// received file never runs by a click.
constexpr mode_t kReceivedFileMode = 0666;

// Moves without replacing: renameat2 where the file system knows it, else
// a hard link and the removal of the old name.
int MoveNoReplace(const fs::path& from, const fs::path& to) {
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return errno;
  if (link(from.c_str(), to.c_str()) != 0) return errno;
  unlink(from.c_str());
  return 0;
}

}  // namespace

TReceiveFile::~TReceiveFile() {
  if (fd_ >= 0) close(fd_);
}

bool TReceiveFile::Create(const fs::path& folder, std::string_view cleaned_name) {
  if (fd_ >= 0 || !CreateFolders(folder, TFilePrivacy::Shared)) return false;
  for (int number = kNoNumber; number <= kLastIncompleteNumber; ++number) {
    std::optional<fs::path> path = FileInFolder(folder, IncompleteFileName(cleaned_name, number));
    if (!path) return false;
    fd_ = open(path->c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kReceivedFileMode);
    if (fd_ >= 0) {
      path_ = *path;
      return true;
    }
    if (errno != EEXIST) return false;
  }
  return false;
}

bool TReceiveFile::OpenExisting(const fs::path& path, int64_t position) {
  if (fd_ >= 0) return false;
  int fd = open(path.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat status {};
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size < position) {
    close(fd);
    return false;
  }
  fd_ = fd;
  path_ = path;
  return true;
}

bool TReceiveFile::Write(const char* bytes, size_t length, int64_t position) {
  while (length > 0) {
    ssize_t written = pwrite(fd_, bytes, length, position);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes += written;
    length -= static_cast<size_t>(written);
    position += written;
  }
  return true;
}

void TReceiveFile::Close(int64_t position) {
  if (fd_ < 0) return;
  if (ftruncate(fd_, position) != 0) position = lseek(fd_, 0, SEEK_END);
  close(fd_);
  fd_ = -1;
  if (position == 0) unlink(path_.c_str());
}

std::optional<fs::path> MoveToFinalName(const fs::path& from, const fs::path& folder, std::string_view cleaned_name) {
  for (int number = kNoNumber; number <= kLastFinalNumber; ++number) {
    std::optional<fs::path> to = FileInFolder(folder, FinalFileName(cleaned_name, number));
    if (!to) return std::nullopt;
    int error = MoveNoReplace(from, *to);
    if (error == 0) return to;
    if (error != EEXIST) return std::nullopt;
  }
  return std::nullopt;
}

TSendFile::~TSendFile() { Close(); }

bool TSendFile::Open(const fs::path& path) {
  Close();
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat status {};
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    close(fd);
    return false;
  }
  fd_ = fd;
  size_ = status.st_size;
  return true;
}

void TSendFile::Close() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
}

long TSendFile::Read(char* destination, size_t length, int64_t position) const {
  ssize_t n;
  do {
    n = pread(fd_, destination, length, position);
  } while (n < 0 && errno == EINTR);
  return static_cast<long>(n);
}

}  // namespace zeph
