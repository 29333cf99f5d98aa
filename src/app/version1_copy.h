#pragma once
#include <filesystem>
#include <functional>
#include <string_view>

#include "app/import_report.h"

// Copying the user's files out of a version-1 installation.
namespace zeph {

// Copies the regular files of `folder` whose names `wanted` accepts into
// `target` (created when missing). A file the profile already has with
// other contents is first renamed to a free "<name>.bak" (then ".bak2",
// ...) so nothing of the profile is lost; one with the same contents is
// left alone. Only files inside `root` are read: a link that leads out of
// the installation is skipped. Each failure is reported and the rest is
// copied.
void CopyVersion1Files(const std::filesystem::path& root, const std::filesystem::path& folder,
                       const std::filesystem::path& target, const std::function<bool(std::string_view)>& wanted,
                       TImportReport* report);

// Whether a file name ends in `extension`, ASCII letters in any case.
bool HasExtensionIgnoringCase(std::string_view name, std::string_view extension);

}  // namespace zeph
