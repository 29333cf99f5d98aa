#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "macro/macro_host.h"

// The unit's side of its macro engine: what actions do to the unit, its
// targets, the tree, the window and the shell.
namespace zeph {

class TMacros;
class TUnit;

class TUnitMacroHost final : public TMacroHost {
 public:
  TUnitMacroHost(TUnit& unit, TMacros& macros) : unit_(unit), macros_(macros) {}

  // TMacroFacts
  bool IsSelfUser(std::string_view nick, std::string_view user, std::string_view host) const override;
  bool IsGroupMember(int group, std::string_view nick, std::string_view user, std::string_view host) const override;
  bool IsOperator(std::string_view channel, std::string_view nick) const override;
  bool IsAway() const override;
  std::string ActiveChannelName() const override;
  std::string SelectedText() const override;
  std::string LocalAddress() const override;

  // TMacroHost
  std::vector<std::string> MacroFileNames() const override;
  void RemoveMacroFile(const std::string& name) override;
  void PrintMacroOutput(const std::string& target, const std::string& text) override;
  void Execute(const std::string& command_line, bool minimized) override;
  void OpenUrl(const std::string& url, const std::string& encoding_name) override;
  void SendCommandLine(const std::string& text, bool from_menu) override;
  void QueueOp(const std::string& channel, const std::string& nick) override;
  void PlaySoundFile(const std::string& file) override;
  void SelectChannel(const std::string& name) override;
  void SetChannelCondition(const std::string& channel, const std::string& word) override;
  void WindowCommand(const std::string& word) override;
  void MenuCommand(const std::string& name) override;
  void ShowBalloon(const std::string& title, const std::string& text) override;

 private:
  TUnit& unit_;
  TMacros& macros_;
};

// How exec reads its text: a program in double quotes followed by its
// parameters, or a program name that is the whole text.
struct TProgramLine {
  std::string program;
  std::string parameters;
};
TProgramLine ParseProgramLine(std::string_view command_line);

// The URL openurl opens: converted to UTF-8 when asked, and every byte
// below 0x21 or above 0x7F written as "%xx". Nothing unless the text is an
// http, https or ftp URL.
std::optional<std::string> MacroUrl(std::string_view url, std::string_view encoding_name);

}  // namespace zeph
