#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "macro/macro_context.h"

// What a macro action may do to the rest of the program: everything goes
// through the unit that owns the macro engine.
namespace zeph {

class TMacroHost : public TMacroFacts {
 public:
  // The names of the macro files bound to the unit, in order (a copy).
  virtual std::vector<std::string> MacroFileNames() const = 0;
  // Drops the first binding of that file name from the unit.
  virtual void RemoveMacroFile(const std::string& name) = 0;
  // Into the channel or talk of that name, else into the unit's log.
  virtual void PrintMacroOutput(const std::string& target, const std::string& text) = 0;
  // A program with its parameters, or a document, in the program's folder.
  virtual void Execute(const std::string& command_line, bool minimized) = 0;
  virtual void OpenUrl(const std::string& url, const std::string& encoding_name) = 0;
  // One command line for the command interpreter; from_menu is false for
  // lines of event macros, which then raise no further macro events.
  virtual void SendCommandLine(const std::string& text, bool from_menu) = 0;
  virtual void QueueOp(const std::string& channel, const std::string& nick) = 0;
  virtual void PlaySoundFile(const std::string& file) = 0;
  virtual void SelectChannel(const std::string& name) = 0;
  virtual void SetChannelCondition(const std::string& channel, const std::string& word) = 0;
  // The main window's words ("show", "flashtitle", "quit", ...) and
  // commands by name.
  virtual void WindowCommand(const std::string& word) = 0;
  virtual void MenuCommand(const std::string& name) = 0;
  virtual void ShowBalloon(const std::string& title, const std::string& text) = 0;
};

}  // namespace zeph
