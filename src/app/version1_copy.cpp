#include "app/version1_copy.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "platform/cp932.h"
#include "platform/files.h"
#include "platform/sjis.h"
#include "platform/string_printf.h"

namespace zeph {

namespace fs = std::filesystem;

namespace {

std::optional<std::string> ReadWhole(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

bool Inside(const fs::path& root, const fs::path& path) {
  auto [root_end, unused] = std::mismatch(root.begin(), root.end(), path.begin(), path.end());
  return root_end == root.end();
}

std::string Shown(const fs::path& path) { return cp932::FromUtf8(path.filename().string()); }

fs::path FreeBackupName(const fs::path& file) {
  fs::path backup = file;
  backup += ".bak";
  std::error_code error;
  for (int n = 2; fs::exists(backup, error); ++n) {
    backup = file;
    backup += ".bak" + std::to_string(n);
  }
  return backup;
}

// Moves an old file with other contents out of the way; false when it
// cannot be kept (the copy is then not made).
bool KeepOldFile(const fs::path& to, const std::string& bytes, bool* same, TImportReport* report) {
  *same = false;
  std::error_code error;
  if (!fs::exists(to, error)) return true;
  auto old = ReadWhole(to);
  if (old && *old == bytes) {
    *same = true;
    return true;
  }
  fs::path backup = FreeBackupName(to);
  fs::rename(to, backup, error);
  if (error) return false;
  report->Add(StringPrintf(Sjis("%s は元のファイルを %s として残しました").c_str(), Shown(to).c_str(),
                           Shown(backup).c_str()));
  return true;
}

void CopyOne(const fs::path& from, const fs::path& to, TImportReport* report) {
  auto bytes = ReadWhole(from);
  bool same = false;
  bool copied = bytes && KeepOldFile(to, *bytes, &same, report);
  if (copied && !same) {
    TAtomicFile file;
    copied = file.Open(to, TFilePrivacy::Shared) && file.Write(*bytes) && file.Commit();
  }
  if (!copied) {
    ++report->failed;
    report->Add(StringPrintf(Sjis("%s をコピーできませんでした").c_str(), Shown(from).c_str()));
    return;
  }
  ++report->copied;
}

}  // namespace

bool HasExtensionIgnoringCase(std::string_view name, std::string_view extension) {
  return name.size() > extension.size() && AsciiLowerText(name).ends_with(AsciiLowerText(extension));
}

void CopyVersion1Files(const fs::path& root, const fs::path& folder, const fs::path& target,
                       const std::function<bool(std::string_view)>& wanted, TImportReport* report) {
  std::error_code error;
  fs::path real_root = fs::canonical(root, error);
  if (error) return;
  std::vector<fs::path> files;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
    if (wanted(it->path().filename().native())) files.push_back(it->path());
  std::sort(files.begin(), files.end());
  if (!files.empty() && !CreateFolders(target, TFilePrivacy::Shared)) {
    report->failed += static_cast<int>(files.size());
    report->Add(StringPrintf(Sjis("%s フォルダを作れませんでした").c_str(), cp932::FromUtf8(target.string()).c_str()));
    return;
  }
  for (const fs::path& file : files) {
    fs::path real = fs::canonical(file, error);
    if (error || !Inside(real_root, real)) {
      report->Add(StringPrintf(Sjis("%s は引き継ぎ元の外を指すためコピーしませんでした").c_str(), Shown(file).c_str()));
      continue;
    }
    if (!fs::is_regular_file(real, error)) continue;
    CopyOne(real, target / file.filename(), report);
  }
}

}  // namespace zeph
