#include "display/log_file.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "display/decorated_text.h"
#include "display/log_line.h"
#include "platform/cp932.h"
#include "platform/files.h"
#include "platform/sjis.h"
#include "platform/word_scan.h"

namespace zeph {
namespace fs = std::filesystem;
namespace {

constexpr int kNumberedAlternatives = 100;

bool IsPrintableSingleByte(unsigned char c) {
  return (c >= 0x20 && c < 0x7F) || (c >= 0xA1 && c <= 0xDF);  // ASCII, half-width katakana
}

bool IsKeptAsItIs(unsigned char c) { return c == '\t' || IsPrintableSingleByte(c); }

bool IsPrintableAscii(std::uint64_t word) { return !HasByteBelow(word, 0x20) && !HasByteAbove(word, 0x7E); }

// The end of the run from pos of bytes and characters a log file holds as
// they are. Lines are mostly printable ASCII, taken a word at a time, and
// runs of double-byte characters.
size_t KeptRunEnd(std::string_view text, size_t pos) {
  while (pos < text.size()) {
    while (pos + kWordBytes <= text.size() && IsPrintableAscii(LoadWord(text, pos))) pos += kWordBytes;
    if (pos == text.size()) break;
    if (IsKeptAsItIs(static_cast<unsigned char>(text[pos]))) {
      ++pos;
      continue;
    }
    size_t end = cp932::DoubleByteRunEnd(text, pos);
    if (end == pos) break;
    pos = end;
  }
  return pos;
}

// Appends the text as a log file holds it: valid Shift_JIS that any reader
// decodes, and no control byte but TAB, so that showing the file in a
// terminal cannot drive the terminal. A line break becomes a blank (one
// line of the log stays one line of the file); a byte that starts no
// character of code page 932 becomes "〓".
void AppendFileText(std::string_view text, std::string* out) {
  static const std::string& geta = Sjis("〓");
  for (size_t pos = 0; pos < text.size();) {
    size_t end = KeptRunEnd(text, pos);
    if (end > pos) {
      out->append(text.substr(pos, end - pos));
      pos = end;
      continue;
    }
    auto c = static_cast<unsigned char>(text[pos]);
    if (c == '\r' || c == '\n') {
      out->push_back(' ');
    } else if (c < 0x20 || c == 0x7F) {
      // dropped
    } else {
      // Only this byte: a byte after it that reads as something stays.
      out->append(geta);
    }
    ++pos;
  }
}

// Makes the end of text from start what a log file holds (AppendFileText),
// in place. Nearly every line is kept as it is: it is only scanned, and
// spare is used only for the rest of a line that needs a change.
void MakeFileText(std::string& text, size_t start, std::string& spare) {
  size_t end = KeptRunEnd(text, start);
  if (end == text.size()) return;
  spare.assign(text, end);
  text.resize(end);
  AppendFileText(spare, &text);
}

bool HasColorCode(std::string_view piece) { return piece.find(kColorCode) != std::string_view::npos; }

// Appends the line stripped of its control codes. The pieces are stripped
// one by one unless a colour code before the body could take digits from
// the piece after it; that rare line is joined first.
void AppendStrippedPieces(const TLogLineSource& source, std::string& joined, std::string& out) {
  if (HasColorCode(source.time) || HasColorCode(source.place) || HasColorCode(source.nick_piece)) {
    joined.assign(source.time).append(source.place).append(source.nick_piece).append(source.body);
    AppendWithoutControlCodes(joined, out);
    return;
  }
  for (const std::string* piece : {&source.time, &source.place, &source.nick_piece, &source.body})
    AppendWithoutControlCodes(*piece, out);
}

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
  AppendWithoutControlCodes(text, held_);
  EndHeldLine(start);
}

void TLogFile::WriteLine(const TLogLineSource& source) {
  if (!enabled_ || (!IsOpen() && !Open())) return;
  size_t start = held_.size();
  AppendStrippedPieces(source, spare_, held_);
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
  held_.append(text);
  EndHeldLine(start);
}

// The line from start on is held_'s last, stripped of its control codes
// but not yet made file text.
void TLogFile::EndHeldLine(size_t start) {
  MakeFileText(held_, start, spare_);
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
