#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zeph {

// Where the line at the start of `data` ends. CR LF, a lone CR and a lone
// LF each end a line; the last line of a file needs no terminator.
struct TLineEnd {
  size_t length;  // bytes of the line, without its terminator
  size_t next;    // where the following line starts
};
// Nothing when `data` holds no whole line: no terminator yet, or a final
// CR whose LF may still come. With `at_end` the data is all there is, so
// only empty data gives nothing.
std::optional<TLineEnd> FindLineEnd(std::string_view data, bool at_end);

enum class TFileAccess { Read, Write, ReadWrite };
enum class TFileDisposition {
  OpenExisting,  // fail if the file is missing
  OpenAlways,    // create it if missing, keep its contents
  CreateAlways,  // create it or empty it
};

// One open file with byte and line operations. Every operation on a closed
// file fails quietly (false, or 0 bytes).
class TTextFile {
 public:
  TTextFile() = default;
  ~TTextFile();
  TTextFile(const TTextFile&) = delete;
  TTextFile& operator=(const TTextFile&) = delete;

  // Fails if the file is already open. Other processes may always read and
  // write it (POSIX has no sharing modes).
  bool Open(const std::filesystem::path& path, TFileAccess access, TFileDisposition disposition);
  bool IsOpen() const { return fd_ >= 0; }
  void Close();
  // True once a read or write failed for another reason than the end.
  bool Failed() const { return failed_; }

  size_t Read(char* buffer, size_t n);
  size_t Write(std::string_view bytes);
  // Puts what was written on the disk.
  bool Flush();
  // Cuts the file at the current position.
  bool SetEndOfFile();
  // Moves by `offset` bytes from the current position.
  bool Seek(int64_t offset);
  bool SeekToEnd();

  // The next line without its terminator; false at the end of the file.
  bool ReadLine(std::string* line);
  // The line followed by CR LF.
  bool WriteLine(std::string_view line);

 private:
  void FillReadAhead();
  // Gives the bytes read ahead back to the file, so the position is the
  // caller's again before anything but a read.
  bool DropReadAhead();

  int fd_ = -1;
  bool failed_ = false;
  bool at_end_ = false;
  std::string read_ahead_;
  size_t read_pos_ = 0;
};

}  // namespace zeph
