#include "display/log_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "display/log_file_text.h"
#include "platform/cp932.h"
#include "platform/files.h"
#include "platform/sjis.h"

namespace zeph {
namespace fs = std::filesystem;
namespace {

constexpr int kNumberedAlternatives = 100;

std::string BannerTime(std::time_t now) {
  std::tm tm{};
  if (localtime_r(&now, &tm) == nullptr) return {};
  char buffer[64];
  return std::string(buffer, std::strftime(buffer, sizeof buffer, "%Y/%m/%d %H:%M:%S", &tm));
}

}  // namespace

TLogFile::TLogFile(TLogFileContext& context, TLogFileKind kind)
    : context_(context), kind_(kind), enabled_(context.settings.enabled[static_cast<size_t>(kind)]) {}

TLogFile::~TLogFile() {
  Close();
  context_.batch.Forget(*this);
}

void TLogFile::SetUnitName(std::string_view name) { unit_name_ = CleanLogName(name); }

void TLogFile::SetTargetName(std::string_view name) { target_name_ = CleanLogName(name); }

void TLogFile::SetEnabled(bool enabled) {
  if (!enabled) Close();
  enabled_ = enabled;
}

void TLogFile::ApplySettings() {
  SetEnabled(context_.settings.enabled[static_cast<size_t>(kind_)]);
  CheckPath();
}

void TLogFile::WriteLine(std::string_view text) {
  if (!enabled_ || (!IsOpen() && !Open())) return;
  size_t start = held_.size();
  AppendLogFileLine(text, held_, spare_);
  EndHeldLine(start);
}

void TLogFile::WriteLine(const TLogLineSource& source) {
  if (!enabled_ || (!IsOpen() && !Open())) return;
  size_t start = held_.size();
  AppendLogFileLine(source, held_, spare_);
  EndHeldLine(start);
}

void TLogFile::CheckPath() {
  if (!IsOpen()) return;
  std::optional<fs::path> path = PathNow();
  if (path && *path == path_) return;
  Close();
  Open();
}

void TLogFile::Tick() {
  if (!IsOpen() || !context_.settings.force_flush) return;
  if (++flush_counter_ <= context_.settings.flush_seconds) return;
  flush_counter_ = 0;
  WriteHeld();
  // A parked file has handed everything to the operating system already.
  if (file_.IsOpen() && !file_.Sync()) SwitchOff("cannot be put on the disk", errno);
}

void TLogFile::Close() {
  if (!IsOpen()) return;
  WriteBanner(Sjis(" ログを終了"));
  WriteHeld();
  if (!IsOpen()) return;  // the write failed and switched the writer off
  context_.open_files.Forget(*this);
  file_.Close();
  open_ = false;
  path_.clear();
  file_path_.clear();
  flush_counter_ = 0;
}

std::optional<fs::path> TLogFile::PathNow() const {
  return LogFilePath(context_.settings, kind_, unit_name_, target_name_, context_.now());
}

bool TLogFile::Open() {
  std::optional<fs::path> path = PathNow();
  if (!path) {
    path_ = cp932::ToUtf8(context_.settings.patterns[static_cast<size_t>(kind_)]);
    SwitchOff(context_.settings.root.empty() ? "has no folder to go in" : "names no file", 0);
    return false;
  }
  path_ = *path;
  if (!OpenFirstAvailable(*path)) {
    SwitchOff("cannot be opened", errno);
    return false;
  }
  open_ = true;
  flush_counter_ = 0;
  WriteBanner(Sjis(" ログを開始"));
  return IsOpen();
}

// The file itself, else the first numbered alternative that opens.
bool TLogFile::OpenFirstAvailable(const fs::path& path) {
  CreateFolders(path.parent_path(), TFilePrivacy::Shared);
  file_path_ = path;
  if (file_.Open(path)) return true;
  int error = errno;
  for (int n = 0; n < kNumberedAlternatives; ++n) {
    file_path_ = NumberedLogFilePath(path, n);
    if (file_.Open(file_path_)) return true;
  }
  errno = error;  // the reason the file itself did not open
  return false;
}

void TLogFile::Park() {
  WriteHeld();
  file_.Close();
}

bool TLogFile::Unpark() {
  if (file_.Open(file_path_)) return true;
  SwitchOff("cannot be opened again", errno);
  return false;
}

void TLogFile::WriteBanner(std::string_view words) {
  WriteStripped("--------" + BannerTime(context_.now()) + std::string(words));
}

void TLogFile::WriteStripped(std::string_view text) {
  size_t start = held_.size();
  AppendStrippedLogFileLine(text, held_, spare_);
  EndHeldLine(start);
}

// The line from start on is held_'s last, file text without its CR LF.
void TLogFile::EndHeldLine(size_t start) {
  held_ += "\r\n";
  if (!context_.batch.IsAttached()) {
    WriteHeld();
    if (IsOpen()) context_.open_files.Touch(*this);
  } else if (start == 0) {
    context_.batch.Hold(*this);
    context_.open_files.Touch(*this);
  }
}

void TLogFile::WriteHeld() {
  if (held_.empty() || (!file_.IsOpen() && !Unpark())) return;
  if (!file_.Write(held_)) {
    SwitchOff("cannot be written", errno);
    return;
  }
  held_.clear();
  context_.batch.Forget(*this);
}

void TLogFile::SwitchOff(const char* what, int error) {
  std::fprintf(stderr, "zephlora: the log file %s %s%s%s; the log is no longer written to a file\n",
               path_.c_str(), what, error ? ": " : "", error ? std::strerror(error) : "");
  context_.open_files.Forget(*this);
  context_.batch.Forget(*this);
  held_.clear();
  file_.Close();
  open_ = false;
  path_.clear();
  file_path_.clear();
  enabled_ = false;
}

}  // namespace zeph
