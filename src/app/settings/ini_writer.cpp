#include "app/settings/ini_writer.h"

#include <cstdio>

namespace zeph {

TIniWriter::~TIniWriter() {
  if (file_.IsOpen()) Close();
}

bool TIniWriter::Open(const std::filesystem::path& path, TFilePrivacy privacy) {
  text_.clear();
  last_section_named_ = false;
  return file_.Open(path, privacy);
}

bool TIniWriter::Close() { return file_.Write(text_) && file_.Commit(); }

void TIniWriter::WriteSection(std::string_view name) {
  if (last_section_named_) text_ += "\r\n";
  text_ += '[';
  Append(name);
  text_ += "]\r\n\r\n";
  // Only a named section asks for a separator before the next header.
  last_section_named_ = !name.empty();
}

void TIniWriter::WriteString(std::string_view key, std::string_view value) {
  Append(key);
  text_ += '=';
  Append(value);
  text_ += "\r\n";
}

void TIniWriter::WriteInteger(std::string_view key, int value) { WriteString(key, std::to_string(value)); }

void TIniWriter::WriteBool(std::string_view key, bool value) { WriteString(key, value ? "true" : "false"); }

void TIniWriter::WriteHex(std::string_view key, unsigned value) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%06x", value);
  WriteString(key, digits);
}

void TIniWriter::Append(std::string_view bytes) {
  for (char c : bytes) {
    if (c != '\r' && c != '\n' && c != '\0') text_ += c;
  }
}

bool SaveIniFile(const std::filesystem::path& path, TFilePrivacy privacy,
                 const std::function<void(TIniWriter&)>& write) {
  if (path.has_parent_path()) CreateFolders(path.parent_path(), TFilePrivacy::OwnerOnly);
  TIniWriter writer;
  if (!writer.Open(path, privacy)) return false;
  write(writer);
  return writer.Close();
}

}  // namespace zeph
