#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Starting programs and opening documents and URLs for the user. Nothing
// here goes through a command interpreter: a program gets its arguments as
// a list, so no text can become a second command.
namespace zeph {

class TShell {
 public:
  virtual ~TShell() = default;
  // Starts the program detached in `folder` (empty: the current folder). A
  // program without a folder part is looked up on the PATH.
  virtual bool StartProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                            const std::filesystem::path& folder, bool minimized);
  // Opens a file with the application the desktop associates with it.
  virtual bool OpenDocument(const std::filesystem::path& file);
  // Opens a URL (ASCII) in the desktop's browser.
  virtual bool OpenUrl(const std::string& url);
};

// The shell of a process without a window system library: programs are
// spawned directly, documents and URLs handed to xdg-open.
TShell& DefaultShell();

// The arguments of a parameter text: words split at blanks, a double-quoted
// run kept as one word without its quotes.
std::vector<std::string> SplitArguments(std::string_view parameters);

}  // namespace zeph
