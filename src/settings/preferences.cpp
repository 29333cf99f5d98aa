#include "settings/preferences.h"

#include "platform/cp932.h"
#include "platform/sjis.h"
#include "platform/user_folders.h"

namespace zeph {
namespace {

// A folder as internal text, ending with a separator when asked; empty when
// Shift_JIS cannot hold its name, which the text would then change.
std::string FolderText(const std::filesystem::path& folder, bool trailing_separator) {
  std::string text = cp932::FromUtf8(folder.string());
  if (cp932::ToUtf8(text) != folder.string()) return {};
  if (trailing_separator && !text.empty() && text.back() != '/') text += '/';
  return text;
}

}  // namespace

std::string DefaultGroupName(int index) { return Sjis("グループ") + std::to_string(index + 1); }

std::array<TUserGroup, kUserGroupCount> DefaultUserGroups() {
  std::array<TUserGroup, kUserGroupCount> groups;
  for (int g = 0; g < kUserGroupCount; ++g) groups[static_cast<size_t>(g)].name = DefaultGroupName(g);
  return groups;
}

std::filesystem::path DefaultLogRootFolder() {
  std::filesystem::path documents = DocumentsFolder();
  return (documents.empty() ? DesktopFolder() : documents) / "ZephloraLog";
}

TPreferences DefaultPreferences() {
  TPreferences prefs;
  prefs.LogRootDir = FolderText(DefaultLogRootFolder(), true);
  prefs.DCCRootDir = FolderText(DesktopFolder(), false);
  return prefs;
}

}  // namespace zeph
