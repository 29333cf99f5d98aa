#include "platform/append_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace zeph {

bool TAppendFile::Open(const std::filesystem::path& path) {
  if (IsOpen()) return false;
  // Non-blocking only for the open itself: a pipe without a reader would
  // otherwise stall the whole program.
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666);
  if (fd < 0) return false;
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    errno = EINVAL;
    return false;
  }
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {  // another writer has it
    int error = errno;
    close(fd);
    errno = error;
    return false;
  }
  fcntl(fd, F_SETFL, O_APPEND);
  fd_ = fd;
  return true;
}

void TAppendFile::Close() {
  if (!IsOpen()) return;
  close(fd_);
  fd_ = -1;
}

bool TAppendFile::Write(std::string_view bytes) {
  if (!IsOpen()) return false;
  while (!bytes.empty()) {
    ssize_t n = write(fd_, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

bool TAppendFile::Sync() { return IsOpen() && fdatasync(fd_) == 0; }

}  // namespace zeph
