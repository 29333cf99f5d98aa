#pragma once

#include <string_view>

namespace zeph {

// Whether opening a received file asks first ("%s\n危険なファイルですが本当に開きますか?"):
// its extension, whatever its case, is one that runs a program or macros
// on Windows or on the desktop here (".exe", ".bat", ".desktop", ".sh",
// ".AppImage", …).
bool WarnsBeforeOpening(std::string_view file_name);

}  // namespace zeph
