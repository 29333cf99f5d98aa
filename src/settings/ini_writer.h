#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "platform/files.h"

namespace zeph {

// Writes a settings file from scratch as a stream of sections and entries:
// CR LF line ends, a blank line after every header and between sections.
// The file is replaced whole when the writer closes (see TAtomicFile), so
// a failed save keeps the old file.
class TIniWriter {
 public:
  TIniWriter() = default;
  ~TIniWriter();  // closes, as Close
  TIniWriter(const TIniWriter&) = delete;
  TIniWriter& operator=(const TIniWriter&) = delete;

  // Starts the replacement of the file. False if that cannot start; the
  // writes then change no file.
  bool Open(const std::filesystem::path& path, TFilePrivacy privacy = TFilePrivacy::Shared);
  // Puts the written file in place. False if it could not be written (the
  // old file stays, and a line on standard error says why).
  bool Close();

  // CR, LF and NUL are dropped from every name and value: the format has
  // no escapes, and a line break from a server's text must not be able to
  // add lines or sections to the file.
  void WriteSection(std::string_view name);
  void WriteString(std::string_view key, std::string_view value);
  void WriteInteger(std::string_view key, int value);
  void WriteBool(std::string_view key, bool value);
  // "%06x": colours, red in the lowest byte.
  void WriteHex(std::string_view key, unsigned value);

  // The bytes written so far.
  const std::string& Text() const { return text_; }

 private:
  void Append(std::string_view bytes);

  TAtomicFile file_;
  std::string text_;
  bool last_section_named_ = false;
};

// A whole settings file: creates its folder with every missing parent
// (private to the user, as the profile holds passwords), opens a writer,
// lets `write` fill it and closes. False if the file could not be written.
bool SaveIniFile(const std::filesystem::path& path, TFilePrivacy privacy,
                 const std::function<void(TIniWriter&)>& write);

// Rewrites one section of a settings file that other owners share: `write`
// writes the section (header included), which takes the place of the old
// one, or goes last when the file had none; every other line stays byte for
// byte. False if the file could not be written.
bool SaveIniSection(const std::filesystem::path& path, std::string_view section, TFilePrivacy privacy,
                    const std::function<void(TIniWriter&)>& write);

}  // namespace zeph
