#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

namespace zeph {
namespace fs = std::filesystem;
namespace {

constexpr int kTempNameTries = 100;

mode_t FolderMode(TFilePrivacy privacy) { return privacy == TFilePrivacy::OwnerOnly ? 0700 : 0777; }
mode_t FileMode(TFilePrivacy privacy) { return privacy == TFilePrivacy::OwnerOnly ? 0600 : 0666; }

// A link is replaced at its target, so the user's link keeps pointing at
// the settings. A dangling link is replaced as it stands.
fs::path ResolveLinks(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_symlink(path, ec)) return path;
  fs::path target = fs::canonical(path, ec);
  return ec ? path : target;
}

// A name no other writer uses: the process, a counter and the clock.
fs::path TempName(const fs::path& target) {
  static std::atomic<unsigned> counter{0};
  auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
  std::string name = "." + target.filename().string() + ".tmp-" + std::to_string(getpid()) + "-" +
                     std::to_string(counter++) + "-" + std::to_string(ticks & 0xFFFFFF);
  return target.parent_path() / name;
}

fs::path FolderOf(const fs::path& file) {
  fs::path folder = file.parent_path();
  return folder.empty() ? fs::path(".") : folder;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

// Whether every byte of a regular file can be read. Anything that is not a
// regular file (a folder, a pipe) counts as unreadable; it is never opened,
// so a pipe cannot block the save.
bool IsReadableFile(const fs::path& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  char buffer[65536];
  ssize_t n;
  while ((n = read(fd, buffer, sizeof buffer)) != 0) {
    if (n < 0 && errno != EINTR) break;
  }
  close(fd);
  return n == 0;
}

// The rename is only durable once the folder entry reaches the disk.
void SyncFolder(const fs::path& folder) {
  int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace

bool CreateFolders(const fs::path& folder, TFilePrivacy privacy) {
  fs::path prefix;
  for (const fs::path& part : folder) {
    prefix /= part;
    if (part == prefix.root_path() || part.empty()) continue;
    mkdir(prefix.c_str(), FolderMode(privacy));  // EEXIST and the like show below
  }
  std::error_code ec;
  return fs::is_directory(folder, ec);
}

TAtomicFile::~TAtomicFile() { Discard(); }

bool TAtomicFile::Open(const fs::path& path, TFilePrivacy privacy) {
  if (IsOpen()) return false;
  failed_ = false;
  target_ = ResolveLinks(path);
  // The new file starts private and gets a shared old file's mode only
  // after that, so a file the user made private is never open to others.
  struct stat old;
  bool has_old = stat(target_.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  mode_t mode = has_old ? 0600 : FileMode(privacy);
  int error = 0;
  for (int i = 0; i < kTempNameTries && fd_ < 0; ++i) {
    temp_ = TempName(target_);
    fd_ = open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd_ >= 0) break;
    error = errno;
    temp_.clear();  // not ours: never to be removed
    if (error != EEXIST) break;
  }
  if (fd_ < 0) {
    Fail("cannot create a temporary file", error);
    return false;
  }
  // A private file is private even when the old one was not; a shared one
  // keeps the mode the user gave the old file.
  if (privacy == TFilePrivacy::OwnerOnly)
    fchmod(fd_, 0600);
  else if (has_old)
    fchmod(fd_, old.st_mode & 07777);
  return true;
}

bool TAtomicFile::Write(std::string_view bytes) {
  if (!IsOpen() || failed_) return false;
  if (!WriteAll(fd_, bytes)) Fail("cannot write", errno);
  return !failed_;
}

bool TAtomicFile::Commit() {
  if (!IsOpen() || failed_) {
    Discard();
    return false;
  }
  if (fsync(fd_) != 0) {
    Fail("cannot write", errno);
    return false;
  }
  int fd = fd_;
  fd_ = -1;
  if (close(fd) != 0) {  // some file systems report a lost write only here
    Fail("cannot write", errno);
    return false;
  }
  if (!KeepUnreadableOldFile()) return false;
  if (rename(temp_.c_str(), target_.c_str()) != 0) {
    Fail("cannot replace the file", errno);
    return false;
  }
  SyncFolder(FolderOf(target_));
  return true;
}

void TAtomicFile::Discard() {
  if (IsOpen()) {
    close(fd_);
    fd_ = -1;
  }
  if (!temp_.empty()) {
    unlink(temp_.c_str());
    temp_.clear();
  }
}

void TAtomicFile::Fail(const char* what, int error) {
  std::fprintf(stderr, "zephlora: cannot save %s: %s: %s\n", target_.c_str(), what, std::strerror(error));
  failed_ = true;
  Discard();
}

bool TAtomicFile::KeepUnreadableOldFile() {
  struct stat st;
  if (lstat(target_.c_str(), &st) != 0 || IsReadableFile(target_)) return true;
  fs::path backup = target_;
  backup += ".bak";
  if (rename(target_.c_str(), backup.c_str()) != 0) {
    Fail("cannot keep the unreadable old file", errno);
    return false;
  }
  std::fprintf(stderr, "zephlora: %s could not be read; it was kept as %s\n", target_.c_str(), backup.c_str());
  return true;
}

}  // namespace zeph
