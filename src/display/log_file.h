#pragma once

#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "display/line_history.h"
#include "display/log_file_path.h"
#include "display/log_write_batch.h"
#include "display/open_log_files.h"
#include "platform/append_file.h"

namespace zeph {

struct TLogLineSource;

// What every log file writer of the program shares: the settings, the
// clock that dates the files and the banners, the bound on open files, and
// the batch that writes their lines before the program waits.
struct TLogFileContext {
  TLogFileSettings settings;
  std::function<std::time_t()> now;
  TOpenLogFiles open_files;
  TLogWriteBatch batch;
};

// Writes one log (a unit log, a channel, a talk, a DCC chat or the URL
// history) to a file per day, Shift_JIS lines ending in CR LF. The file
// opens with the first line, with a banner, and closes with a banner when
// the writer is switched off or destroyed. Each line reaches the operating
// system as it is written, or with the context's batch before the program
// next waits; with ForceFlushLog the file is also put on the disk every
// FlushLogTime seconds. While open, the writer may let the
// operating system's file go (Park) when many others were written more
// recently; its next line opens the same file again.
//
// A file that cannot be opened under its name or any numbered alternative,
// or a write that fails, switches the writer off until it is switched on
// again: a full disk costs one line on standard error, not one per line.
class TLogFile final : public TLineSink {
 public:
  // Starts with the kind's switch from the settings; the context must
  // outlive the writer.
  TLogFile(TLogFileContext& context, TLogFileKind kind);
  ~TLogFile() override;
  TLogFile(const TLogFile&) = delete;
  TLogFile& operator=(const TLogFile&) = delete;

  // The values of %s and %p, and of %c; stored cleaned (CleanLogName).
  // A changed name moves the writer to another file only with CheckPath.
  void SetUnitName(std::string_view name);
  void SetTargetName(std::string_view name);

  bool Enabled() const { return enabled_; }
  // Switching off closes the file with its banner.
  void SetEnabled(bool enabled);
  // The kind's switch and the path from the current settings.
  void ApplySettings();

  // One line of the log, its control bytes removed.
  void WriteLine(std::string_view text) override;
  // The line a log was handed: time, place, nick piece and body.
  void WriteLine(const TLogLineSource& source);
  // When the file open now is not the one the settings and the date name,
  // closes it and opens that one.
  void CheckPath();
  // Once a second: the periodic flush.
  void Tick();
  void Close();
  // Closes the operating system's file but not the log: no banner, and the
  // next line appends to the same file.
  void Park();
  // Hands the lines gathered for the batch to the operating system.
  void WriteHeld();

  // Whether the log's file is open (between its banners), parked or not.
  bool IsOpen() const { return open_; }
  // The path the open file was opened for, even when a numbered
  // alternative had to be taken; empty while closed.
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::optional<std::filesystem::path> PathNow() const;
  bool Open();
  bool OpenFirstAvailable(const std::filesystem::path& path);
  // The file of a parked writer, opened again.
  bool Unpark();
  void WriteBanner(std::string_view words);
  void WriteStripped(std::string_view text);
  void EndHeldLine(size_t start);
  // Drops the file without a banner and switches off, saying why once.
  void SwitchOff(const char* what, int error);

  TLogFileContext& context_;
  const TLogFileKind kind_;
  std::string unit_name_;
  std::string target_name_;
  bool enabled_;
  bool open_ = false;
  TAppendFile file_;
  std::filesystem::path path_;
  std::filesystem::path file_path_;  // where the file is: path_ or a numbered alternative
  int flush_counter_ = 0;
  std::string held_;   // lines not yet written, ready for the file
  std::string spare_;  // reused for the few lines that need a second buffer
};

}  // namespace zeph
