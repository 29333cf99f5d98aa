#include "display/log_file_path.h"

#include <cstring>
#include <vector>

#include "app/settings/preferences.h"
#include "display/formatter.h"
#include "platform/cp932.h"
#include "platform/sjis.h"
#include "platform/string_printf.h"

namespace zeph {
namespace fs = std::filesystem;
namespace {

bool IsControlByte(unsigned char c) { return c < 0x20 || c == 0x7F; }

// Settings files written on Windows separate folders with "\". Its byte is
// also the second byte of many double-byte characters, which stay whole.
std::string WithSlashes(std::string_view text) {
  std::string out(text);
  for (size_t pos = 0; pos < out.size(); pos += SjisCharLength(out, pos)) {
    if (out[pos] == '\\') out[pos] = '/';
  }
  return out;
}

// Replaces each single-byte character for which `bad` holds by "_".
template <typename Predicate>
void ReplaceSingleBytes(std::string& text, Predicate bad) {
  for (size_t pos = 0; pos < text.size();) {
    size_t length = SjisCharLength(text, pos);
    if (length == 1 && bad(static_cast<unsigned char>(text[pos]))) text[pos] = '_';
    pos += length;
  }
}

// The characters the root folder may not hold; separators stay.
bool IsBadInRoot(unsigned char c) { return IsControlByte(c) || (c != 0 && std::strchr(":<>*?|\"", c)); }
// A name may hold no separator either.
bool IsBadInName(unsigned char c) { return IsControlByte(c) || (c != 0 && std::strchr(":<>*?|\"\\/", c)); }

// An absolute folder without a final separator, or empty.
fs::path AbsoluteFolder(const fs::path& folder) {
  fs::path root = folder.lexically_normal();
  if (!root.is_absolute()) return {};
  return root.has_filename() ? root : root.parent_path();
}

// The root typed in the settings as a folder.
fs::path RootFolder(std::string_view text) {
  std::string cleaned = WithSlashes(text);
  ReplaceSingleBytes(cleaned, IsBadInRoot);
  return AbsoluteFolder(cp932::ToUtf8(cleaned));
}

// At most `limit` bytes of UTF-8 text, cut before a whole character.
std::string_view CutUtf8(std::string_view text, size_t limit) {
  if (text.size() <= limit) return text;
  while (limit > 0 && (static_cast<unsigned char>(text[limit]) & 0xC0) == 0x80) --limit;
  return text.substr(0, limit);
}

// stem + extension within the file system's limit; the stem gives way.
std::string FitName(std::string_view stem, std::string_view extension) {
  std::string name(stem);
  name += extension;
  if (name.size() <= kMaxFileNameBytes) return name;
  if (extension.size() >= kMaxFileNameBytes) return std::string(CutUtf8(name, kMaxFileNameBytes));
  return std::string(CutUtf8(stem, kMaxFileNameBytes - extension.size())) + std::string(extension);
}

// Where the extension of a file name starts; npos when it has none (a
// leading dot starts no extension).
size_t ExtensionStart(std::string_view name) {
  size_t dot = name.rfind('.');
  return dot == std::string_view::npos || dot == 0 ? std::string_view::npos : dot;
}

std::string FitFileName(std::string_view name) {
  size_t dot = ExtensionStart(name);
  if (dot == std::string_view::npos) return FitName(name, {});
  return FitName(name.substr(0, dot), name.substr(dot));
}

std::string DatePiece(const char* format, const std::tm& tm) {
  char buffer[16];
  size_t length = std::strftime(buffer, sizeof buffer, format, &tm);
  return std::string(buffer, length);
}

std::string ExpandPattern(std::string_view pattern, std::string_view unit_name, std::string_view target_name,
                          std::time_t now) {
  std::tm tm{};
  if (localtime_r(&now, &tm) == nullptr) return {};
  std::string year = DatePiece("%Y", tm);
  std::string month = DatePiece("%m", tm);
  std::string day = DatePiece("%d", tm);
  TFormatter formatter;
  formatter.SetValue('s', unit_name);
  formatter.SetValue('p', unit_name);
  formatter.SetValue('c', target_name);
  formatter.SetValue('y', year);
  formatter.SetValue('m', month);
  formatter.SetValue('d', day);
  return formatter.Expand(WithSlashes(pattern));
}

// Of every two dots side by side the first becomes "_", so no name below
// the root can be "..".
void BreakDotRuns(std::string& text) {
  for (size_t pos = 0; pos + 1 < text.size(); pos += SjisCharLength(text, pos)) {
    if (text[pos] == '.' && text[pos + 1] == '.') text[pos] = '_';
  }
}

// The names of a relative path in the file system's encoding, each within
// the limit; empty pieces and "." drop out.
std::vector<std::string> FileSystemNames(std::string_view relative) {
  std::vector<std::string> names;
  size_t start = 0;
  while (start <= relative.size()) {
    size_t slash = relative.find('/', start);  // never a second byte
    if (slash == std::string_view::npos) slash = relative.size();
    std::string_view name = relative.substr(start, slash - start);
    if (!name.empty() && name != ".") names.push_back(cp932::ToUtf8(name));
    start = slash + 1;
  }
  return names;
}

bool IsInside(const fs::path& root, const fs::path& path) {
  fs::path relative = path.lexically_normal().lexically_relative(root);
  return !relative.empty() && relative != "." && *relative.begin() != "..";
}

}  // namespace

TLogFileSettings LogFileSettingsFrom(const TPreferences& preferences) {
  TLogFileSettings settings;
  settings.root = RootFolder(preferences.LogRootDir);
  if (settings.root.empty()) settings.root = AbsoluteFolder(DefaultLogRootFolder());
  settings.patterns = {preferences.UnitLogFile, preferences.ChannelLogFile, preferences.TalkLogFile,
                       preferences.DCCChatLogFile, preferences.URLLogFile};
  settings.enabled = {preferences.EnableUnitLog, preferences.EnableChannelLog, preferences.EnableTalkLog,
                      preferences.EnableDCCChatLog, preferences.EnableURLLog};
  settings.force_flush = preferences.ForceFlushLog;
  settings.flush_seconds = preferences.FlushLogTime;
  return settings;
}

std::string CleanLogName(std::string_view name) {
  std::string cleaned(name);
  ReplaceSingleBytes(cleaned, IsBadInName);
  if (cleaned.empty() || cleaned == "." || cleaned == "..") return "_";
  return cleaned;
}

std::optional<fs::path> LogFilePath(const TLogFileSettings& settings, TLogFileKind kind,
                                    std::string_view unit_name, std::string_view target_name, std::time_t now) {
  if (settings.root.empty()) return std::nullopt;
  std::string relative =
      ExpandPattern(settings.patterns[static_cast<size_t>(kind)], unit_name, target_name, now);
  ReplaceSingleBytes(relative, IsControlByte);
  BreakDotRuns(relative);
  // A pattern that ends in a separator names a folder, not a file.
  if (relative.empty() || relative.back() == '/') return std::nullopt;
  std::vector<std::string> names = FileSystemNames(relative);
  if (names.empty()) return std::nullopt;
  fs::path path = settings.root;
  for (size_t i = 0; i + 1 < names.size(); ++i) path /= FitName(names[i], {});
  path /= FitFileName(names.back());
  if (!IsInside(settings.root, path)) return std::nullopt;
  return path;
}

fs::path NumberedLogFilePath(const fs::path& path, int number) {
  std::string name = path.filename().string();
  size_t dot = ExtensionStart(name);
  std::string_view stem = std::string_view(name).substr(0, dot);
  std::string extension = StringPrintf("_%02d", number);
  if (dot != std::string::npos) extension += name.substr(dot);
  return path.parent_path() / FitName(stem, extension);
}

}  // namespace zeph
