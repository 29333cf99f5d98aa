#include "settings/text_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace zeph {
namespace {

constexpr size_t kReadChunk = 65536;

int OpenFlags(TFileAccess access, TFileDisposition disposition) {
  int flags = O_CLOEXEC;
  switch (access) {
    case TFileAccess::Read: flags |= O_RDONLY; break;
    case TFileAccess::Write: flags |= O_WRONLY; break;
    case TFileAccess::ReadWrite: flags |= O_RDWR; break;
  }
  switch (disposition) {
    case TFileDisposition::OpenExisting: break;
    case TFileDisposition::OpenAlways: flags |= O_CREAT; break;
    case TFileDisposition::CreateAlways: flags |= O_CREAT | O_TRUNC; break;
  }
  return flags;
}

}  // namespace

std::optional<TLineEnd> FindLineEnd(std::string_view data, bool at_end) {
  size_t end = data.find_first_of("\r\n");
  if (end == std::string_view::npos) {
    if (!at_end || data.empty()) return std::nullopt;
    return TLineEnd{data.size(), data.size()};
  }
  if (data[end] == '\n') return TLineEnd{end, end + 1};
  if (end + 1 < data.size()) return TLineEnd{end, end + (data[end + 1] == '\n' ? 2 : 1)};
  if (!at_end) return std::nullopt;
  return TLineEnd{end, end + 1};
}

TTextFile::~TTextFile() { Close(); }

bool TTextFile::Open(const std::filesystem::path& path, TFileAccess access, TFileDisposition disposition) {
  if (IsOpen()) return false;
  fd_ = open(path.c_str(), OpenFlags(access, disposition), 0666);
  failed_ = false;
  at_end_ = false;
  read_ahead_.clear();
  read_pos_ = 0;
  return IsOpen();
}

void TTextFile::Close() {
  if (!IsOpen()) return;
  close(fd_);
  fd_ = -1;
}

size_t TTextFile::Read(char* buffer, size_t n) {
  if (!IsOpen()) return 0;
  size_t done = 0;
  size_t buffered = std::min(n, read_ahead_.size() - read_pos_);
  read_ahead_.copy(buffer, buffered, read_pos_);
  read_pos_ += buffered;
  done += buffered;
  while (done < n) {
    ssize_t got = read(fd_, buffer + done, n - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) failed_ = true;
    if (got <= 0) break;
    done += static_cast<size_t>(got);
  }
  return done;
}

size_t TTextFile::Write(std::string_view bytes) {
  if (!IsOpen() || !DropReadAhead()) return 0;
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t put = write(fd_, bytes.data() + done, bytes.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) {
      failed_ = true;
      break;
    }
    done += static_cast<size_t>(put);
  }
  return done;
}

bool TTextFile::Flush() { return IsOpen() && fsync(fd_) == 0; }

bool TTextFile::SetEndOfFile() {
  if (!IsOpen() || !DropReadAhead()) return false;
  off_t here = lseek(fd_, 0, SEEK_CUR);
  return here >= 0 && ftruncate(fd_, here) == 0;
}

bool TTextFile::Seek(int64_t offset) {
  if (!IsOpen() || !DropReadAhead()) return false;
  return lseek(fd_, static_cast<off_t>(offset), SEEK_CUR) >= 0;
}

bool TTextFile::SeekToEnd() {
  if (!IsOpen() || !DropReadAhead()) return false;
  return lseek(fd_, 0, SEEK_END) >= 0;
}

bool TTextFile::ReadLine(std::string* line) {
  if (!IsOpen()) return false;
  for (;;) {
    std::string_view pending = std::string_view(read_ahead_).substr(read_pos_);
    if (auto end = FindLineEnd(pending, at_end_)) {
      line->assign(pending.substr(0, end->length));
      read_pos_ += end->next;
      return true;
    }
    if (at_end_) return false;
    FillReadAhead();
  }
}

bool TTextFile::WriteLine(std::string_view line) {
  std::string bytes(line);
  bytes += "\r\n";
  return Write(bytes) == bytes.size();
}

// Reads more bytes behind those not yet taken; marks the end when none came.
void TTextFile::FillReadAhead() {
  read_ahead_.erase(0, read_pos_);
  read_pos_ = 0;
  size_t kept = read_ahead_.size();
  read_ahead_.resize(kept + kReadChunk);
  ssize_t got;
  do {
    got = read(fd_, read_ahead_.data() + kept, kReadChunk);
  } while (got < 0 && errno == EINTR);
  if (got < 0) failed_ = true;
  read_ahead_.resize(kept + (got > 0 ? static_cast<size_t>(got) : 0));
  if (got <= 0) at_end_ = true;
}

bool TTextFile::DropReadAhead() {
  size_t unread = read_ahead_.size() - read_pos_;
  read_ahead_.clear();
  read_pos_ = 0;
  at_end_ = false;
  return unread == 0 || lseek(fd_, -static_cast<off_t>(unread), SEEK_CUR) >= 0;
}

}  // namespace zeph
