#include "app/version1_folder.h"

#include <string>
#include <system_error>

#include "platform/sjis.h"

namespace zeph {

namespace fs = std::filesystem;

namespace {

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) { return AsciiLowerText(a) == AsciiLowerText(b); }

}  // namespace

std::optional<fs::path> FindEntryIgnoringCase(const fs::path& folder, std::string_view name) {
  std::error_code error;
  if (fs::exists(folder / name, error)) return folder / name;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
    if (SameIgnoringAsciiCase(it->path().filename().native(), name)) return it->path();
  return std::nullopt;
}

std::optional<fs::path> FindVersion1ConfigFile(const fs::path& source, std::string_view user_name,
                                               std::string_view suffix) {
  auto config = FindEntryIgnoringCase(source, "Config");
  if (!config) return std::nullopt;
  return FindEntryIgnoringCase(*config, std::string(user_name) + std::string(suffix));
}

bool HasVersion1Settings(const fs::path& source, std::string_view user_name) {
  std::error_code error;
  auto general = FindVersion1ConfigFile(source, user_name, "-general.ini");
  return general && fs::is_regular_file(*general, error);
}

std::vector<fs::path> Version1Candidates(const fs::path& application) {
  fs::path folder = application.has_filename() ? application : application.parent_path();
  return {folder, folder.parent_path() / "zephlora1"};
}

std::optional<fs::path> FindVersion1Installation(const fs::path& application, std::string_view user_name) {
  for (const fs::path& folder : Version1Candidates(application))
    if (HasVersion1Settings(folder, user_name)) return folder;
  return std::nullopt;
}

}  // namespace zeph
