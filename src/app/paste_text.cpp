#include "app/paste_text.h"

namespace zeph {

namespace {
// Blank, TAB and the full-width blank of Shift_JIS; double-byte characters
// are stepped over whole.
bool IsBlankLine(std::string_view line) {
  for (size_t i = 0; i < line.size(); ++i) {
    const auto c = static_cast<unsigned char>(line[i]);
    if (c == ' ' || c == '\t') continue;
    if (c == 0x81 && i + 1 < line.size() && static_cast<unsigned char>(line[i + 1]) == 0x40) {
      ++i;
      continue;
    }
    return false;
  }
  return true;
}

size_t LineEndLength(std::string_view text, size_t at) {
  if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') return 2;
  return 1;
}
}  // namespace

bool IsMultiLinePaste(std::string_view text) {
  const size_t end = text.find_first_of("\r\n");
  if (end == std::string_view::npos) return false;
  return end + LineEndLength(text, end) < text.size();
}

std::string_view SingleLinePaste(std::string_view text) {
  const size_t end = text.find_first_of("\r\n");
  return end == std::string_view::npos ? text : text.substr(0, end);
}

std::vector<std::string_view> PasteLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + LineEndLength(text, end);
  }
  return lines;
}

std::string RemoveBlankLines(std::string_view text) {
  std::string kept;
  for (std::string_view line : PasteLines(text)) {
    if (IsBlankLine(line)) continue;
    kept.append(line);
    kept += "\r\n";
  }
  return kept;
}

std::string AddQuoteMark(std::string_view text, std::string_view mark) {
  std::string quoted;
  for (std::string_view line : PasteLines(text)) {
    quoted.append(mark);
    quoted.append(line);
    quoted += "\r\n";
  }
  return quoted;
}

}  // namespace zeph
