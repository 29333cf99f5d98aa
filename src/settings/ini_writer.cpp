#include "settings/ini_writer.h"

#include <cstdio>
#include <optional>

#include "settings/ini_file.h"
#include "settings/line_list.h"

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

namespace {

// Sections are set apart by one blank line, as the writer sets them.
void EndWithBlankLine(std::string* text) {
  if (!text->empty() && !text->ends_with("\r\n\r\n")) *text += "\r\n";
}

}  // namespace

bool SaveIniSection(const std::filesystem::path& path, std::string_view section, TFilePrivacy privacy,
                    const std::function<void(TIniWriter&)>& write) {
  TIniWriter section_writer;  // never opened: it only collects the text
  write(section_writer);
  TLineList old_file;
  old_file.LoadFromFile(path);  // a missing file has no other sections
  std::string text;
  bool inside = false;
  bool placed = false;
  for (const std::string& line : old_file.Lines()) {
    if (std::optional<std::string_view> header = IniHeaderName(line)) {
      bool was_inside = inside;
      inside = *header == section;
      if (inside && !placed) {
        text += section_writer.Text();
        placed = true;
      }
      if (was_inside && !inside) EndWithBlankLine(&text);
    }
    if (!inside) text.append(line).append("\r\n");
  }
  if (!placed) {
    EndWithBlankLine(&text);
    text += section_writer.Text();
  }
  if (path.has_parent_path()) CreateFolders(path.parent_path(), TFilePrivacy::OwnerOnly);
  TAtomicFile file;
  return file.Open(path, privacy) && file.Write(text) && file.Commit();
}

}  // namespace zeph
