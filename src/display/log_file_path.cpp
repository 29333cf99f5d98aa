#include "display/log_file_path.h"

#include <vector>

#include "settings/preferences.h"
#include "display/formatter.h"
#include "platform/cp932.h"
#include "platform/file_names.h"
#include "platform/sjis.h"
#include "platform/string_printf.h"

namespace zeph {
namespace fs = std::filesystem;
namespace {

// A whole file name within the limit; its extension survives the cut.
std::string FitWholeFileName(std::string_view name) {
  size_t dot = ExtensionStart(name);
  if (dot == std::string_view::npos) return FitFileName(name, {});
  return FitFileName(name.substr(0, dot), name.substr(dot));
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

}  // namespace

TLogFileSettings LogFileSettingsFrom(const TPreferences& preferences) {
  TLogFileSettings settings;
  settings.root = FolderFromText(preferences.LogRootDir);
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
  ReplaceSingleByteChars(cleaned, IsReservedInFileName);
  if (cleaned.empty() || cleaned == "." || cleaned == "..") return "_";
  return cleaned;
}

std::optional<fs::path> LogFilePath(const TLogFileSettings& settings, TLogFileKind kind,
                                    std::string_view unit_name, std::string_view target_name, std::time_t now) {
  if (settings.root.empty()) return std::nullopt;
  std::string relative =
      ExpandPattern(settings.patterns[static_cast<size_t>(kind)], unit_name, target_name, now);
  ReplaceSingleByteChars(relative, IsControlByte);
  BreakDotRuns(relative);
  // A pattern that ends in a separator names a folder, not a file.
  if (relative.empty() || relative.back() == '/') return std::nullopt;
  std::vector<std::string> names = FileSystemNames(relative);
  if (names.empty()) return std::nullopt;
  fs::path path = settings.root;
  for (size_t i = 0; i + 1 < names.size(); ++i) path /= FitFileName(names[i], {});
  path /= FitWholeFileName(names.back());
  if (!IsInsideFolder(settings.root, path)) return std::nullopt;
  return path;
}

fs::path NumberedLogFilePath(const fs::path& path, int number) {
  std::string name = path.filename().string();
  size_t dot = ExtensionStart(name);
  std::string_view stem = std::string_view(name).substr(0, dot);
  std::string extension = StringPrintf("_%02d", number);
  if (dot != std::string::npos) extension += name.substr(dot);
  return path.parent_path() / FitFileName(stem, extension);
}

}  // namespace zeph
