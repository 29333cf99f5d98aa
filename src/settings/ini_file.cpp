#include "settings/ini_file.h"

#include <algorithm>
#include <climits>

#include "settings/line_list.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

constexpr std::string_view kDefaultMarker = "*****DEFAULT*****";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

std::string_view SkipLeadingBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

int DigitValue(char c, int base) {
  int value = c >= '0' && c <= '9'   ? c - '0'
              : c >= 'a' && c <= 'z' ? c - 'a' + 10
              : c >= 'A' && c <= 'Z' ? c - 'A' + 10
                                     : base;
  return value < base ? value : -1;
}

// The value of the digits at the start of text, held at `limit`.
long long LeadingValue(std::string_view text, int base, long long limit) {
  long long value = 0;
  for (char c : text) {
    int digit = DigitValue(c, base);
    if (digit < 0) break;
    value = std::min(value * base + digit, limit);
  }
  return value;
}

int ParseDecimal(std::string_view text) {
  text = SkipLeadingBlanks(text);
  bool negative = !text.empty() && text.front() == '-';
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
  if (negative) return static_cast<int>(-LeadingValue(text, 10, -static_cast<long long>(INT_MIN)));
  return static_cast<int>(LeadingValue(text, 10, INT_MAX));
}

unsigned ParseHex(std::string_view text) {
  text = SkipLeadingBlanks(text);
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X') && DigitValue(text[2], 16) >= 0)
    text.remove_prefix(2);
  return static_cast<unsigned>(LeadingValue(text, 16, UINT_MAX));
}

}  // namespace

// A "]" that is the second byte of a double-byte character is no bracket.
std::optional<std::string_view> IniHeaderName(std::string_view line) {
  if (line.empty() || line.front() != '[') return std::nullopt;
  std::string_view name = line.substr(1);
  size_t last = 0;
  for (size_t i = 0; i < name.size(); i += SjisCharLength(name, i)) last = i;
  if (!name.empty() && last == name.size() - 1 && name.back() == ']') name.remove_suffix(1);
  return name;
}

bool TIniFile::Load(const std::filesystem::path& path) {
  TLineList lines;
  if (!lines.LoadFromFile(path)) return false;
  AddLines(lines.Lines());
  return true;
}

void TIniFile::LoadText(std::string_view bytes) {
  TLineList lines;
  lines.SetText(bytes);
  AddLines(lines.Lines());
}

// Nothing is trimmed: blanks around names and "=" belong to them. A line
// that is neither a header nor holds "=" (comments among them) is skipped.
void TIniFile::AddLines(const std::vector<std::string>& lines) {
  std::string section;
  for (const std::string& line : lines) {
    if (line.empty()) continue;
    if (std::optional<std::string_view> header = IniHeaderName(line)) {
      section = *header;
      continue;
    }
    size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    sections_[section].insert_or_assign(line.substr(0, equals), line.substr(equals + 1));
  }
}

std::string TIniFile::ReadString(std::string_view key, std::string_view default_value) const {
  auto section = sections_.find(current_section_);
  if (section == sections_.end()) return std::string(default_value);
  auto entry = section->second.find(key);
  if (entry == section->second.end()) return std::string(default_value);
  std::string_view value = entry->second;
  if (strip_quotes_ && value.size() >= 2 && value.front() == '"' && value.back() == '"')
    value = value.substr(1, value.size() - 2);
  return std::string(value);
}

bool TIniFile::ReadTyped(std::string_view key, std::string* value) const {
  *value = ReadString(key, kDefaultMarker);
  return *value != kDefaultMarker;
}

int TIniFile::ReadInteger(std::string_view key, int default_value) const {
  std::string value;
  return ReadTyped(key, &value) ? ParseDecimal(value) : default_value;
}

bool TIniFile::ReadBool(std::string_view key, bool default_value) const {
  std::string value;
  if (!ReadTyped(key, &value)) return default_value;
  if (value == "true" || value == "1") return true;
  if (value == "false" || value == "0") return false;
  return default_value;
}

unsigned TIniFile::ReadHex(std::string_view key, unsigned default_value) const {
  std::string value;
  return ReadTyped(key, &value) ? ParseHex(value) : default_value;
}

namespace {

template <typename Map>
std::vector<std::string_view> NamesStartingWith(const Map& map, std::string_view prefix) {
  std::vector<std::string_view> names;
  for (auto it = map.lower_bound(prefix); it != map.end() && it->first.starts_with(prefix); ++it)
    names.push_back(it->first);
  return names;
}

}  // namespace

std::vector<std::string_view> TIniFile::KeysStartingWith(std::string_view prefix) const {
  auto section = sections_.find(current_section_);
  if (section == sections_.end()) return {};
  return NamesStartingWith(section->second, prefix);
}

std::vector<std::string_view> TIniFile::SectionsStartingWith(std::string_view prefix) const {
  return NamesStartingWith(sections_, prefix);
}

}  // namespace zeph
