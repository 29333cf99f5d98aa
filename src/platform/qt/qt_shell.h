#pragma once

#include "platform/shell.h"

// The shell of the window program: programs through QProcess (detached,
// with an argument list, never a command interpreter), documents and URLs
// through the desktop services.
namespace zeph {

class TQtShell final : public TShell {
 public:
  bool StartProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                    const std::filesystem::path& folder, bool minimized) override;
  bool OpenDocument(const std::filesystem::path& file) override;
  bool OpenUrl(const std::string& url) override;
};

}  // namespace zeph
