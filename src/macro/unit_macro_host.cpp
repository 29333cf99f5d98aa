#include "macro/unit_macro_host.h"

#include <unistd.h>

#include <algorithm>

#include "display/url_detector.h"
#include "engine/channel.h"
#include "engine/unit.h"
#include "engine/world.h"
#include "macro/keyword_case.h"
#include "macro/macros.h"
#include "platform/cp932.h"
#include "platform/file_names.h"
#include "platform/sjis.h"
#include "platform/string_printf.h"
#include "protocol/command_line.h"

namespace zeph {
namespace {

namespace fs = std::filesystem;

constexpr size_t kBalloonTitleBytes = 63;
constexpr size_t kBalloonTextBytes = 255;

bool IsWebUrl(std::string_view url) {
  return StartsWithKeyword(url, "http://") || StartsWithKeyword(url, "https://") ||
         StartsWithKeyword(url, "ftp://");
}

std::string EscapeUrlBytes(std::string_view url) {
  std::string escaped;
  for (char c : url) {
    auto byte = static_cast<unsigned char>(c);
    escaped += byte < 0x21 || byte > 0x7F ? StringPrintf("%%%02x", byte) : std::string(1, c);
  }
  return escaped;
}

bool IsExecutableFile(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error) && access(path.c_str(), X_OK) == 0;
}

}  // namespace

TProgramLine ParseProgramLine(std::string_view command_line) {
  if (command_line.empty() || command_line.front() != '"') return {std::string(command_line), {}};
  size_t close = command_line.find('"', 1);
  if (close == std::string_view::npos) return {{}, std::string(command_line.substr(1))};
  std::string_view rest = command_line.substr(close + 1);
  rest.remove_prefix(std::min(rest.find_first_not_of(" \t"), rest.size()));
  return {std::string(command_line.substr(1, close - 1)), std::string(rest)};
}

std::optional<std::string> MacroUrl(std::string_view url, std::string_view encoding_name) {
  // Only what the log would show as a link is opened; anything else (a
  // file, a program, another scheme) could do more than show a page.
  if (!IsWebUrl(url) || !TUrlDetector::Shared().StartsWithUrl(url)) return std::nullopt;
  std::string name = AsciiLowerText(encoding_name);
  std::string text = name == "utf-8" || name == "utf8" ? cp932::ToUtf8(url) : std::string(url);
  return EscapeUrlBytes(text);
}

bool TUnitMacroHost::IsSelfUser(std::string_view nick, std::string_view user, std::string_view host) const {
  return zeph::IsSelfUser(unit_.Prefs(), unit_.Nick(), nick, user, host);
}

bool TUnitMacroHost::IsGroupMember(int group, std::string_view nick, std::string_view user,
                                   std::string_view host) const {
  return zeph::IsGroupMember(unit_.Prefs(), group, nick, user, host);
}

bool TUnitMacroHost::IsOperator(std::string_view channel, std::string_view nick) const {
  TChannel* target = unit_.FindChannel(channel);
  if (target == nullptr) return false;
  const TMember* member = target->Members().FindMember(nick);
  return member && member->is_operator;
}

bool TUnitMacroHost::IsAway() const { return unit_.IsAway(); }

std::string TUnitMacroHost::ActiveChannelName() const {
  const TChannel* target = unit_.LastSelectedTarget();
  return target ? target->Name() : std::string();
}

std::string TUnitMacroHost::SelectedText() const { return macros_.Window().SelectedText(); }

std::string TUnitMacroHost::LocalAddress() const {
  uint32_t address = unit_.OwnAddress();
  if (address == TResolver::kNone) return {};
  const auto* bytes = reinterpret_cast<const unsigned char*>(&address);
  return StringPrintf("%d.%d.%d.%d", bytes[0], bytes[1], bytes[2], bytes[3]);
}

std::vector<std::string> TUnitMacroHost::MacroFileNames() const { return unit_.Config().macro_files; }

void TUnitMacroHost::RemoveMacroFile(const std::string& name) {
  std::vector<std::string>& names = unit_.Config().macro_files;
  auto found = std::find(names.begin(), names.end(), name);
  if (found == names.end()) return;
  names.erase(found);
  unit_.World().RequestSaveTree();
}

void TUnitMacroHost::PrintMacroOutput(const std::string& target, const std::string& text) {
  if (TChannel* channel = unit_.FindTarget(target)) {
    unit_.PrintToChannel(*channel, TMessageKind::MacroOutput, std::string(), text);
  } else {
    unit_.PrintToUnit(TMessageKind::MacroOutput, std::string(), text);
  }
}

void TUnitMacroHost::Execute(const std::string& command_line, bool minimized) {
  TProgramLine line = ParseProgramLine(command_line);
  if (line.program.empty()) return;
  TShell& shell = macros_.Shell();
  // A web address opens in the browser under the same rule as openurl.
  if (std::optional<std::string> url = MacroUrl(line.program, "utf-8")) {
    shell.OpenUrl(*url);
    return;
  }
  fs::path program(cp932::ToUtf8(WithSlashes(line.program)));
  std::error_code error;
  // Documents open with the application the desktop gives them.
  if (fs::exists(program, error) && !IsExecutableFile(program)) {
    shell.OpenDocument(program);
    return;
  }
  std::vector<std::string> arguments;
  for (const std::string& word : SplitArguments(line.parameters)) arguments.push_back(cp932::ToUtf8(word));
  shell.StartProgram(program, arguments, program.parent_path(), minimized);
}

void TUnitMacroHost::OpenUrl(const std::string& url, const std::string& encoding_name) {
  std::optional<std::string> link = MacroUrl(url, encoding_name);
  if (!link) return;
  const TPreferences& prefs = unit_.Prefs();
  if (prefs.URLOpenMethod == 2 && !prefs.URLOpenApplication.empty()) {
    TProgramLine browser = ParseProgramLine(prefs.URLOpenApplication);
    macros_.Shell().StartProgram(cp932::ToUtf8(WithSlashes(browser.program)), {*link}, {}, false);
  } else {
    macros_.Shell().OpenUrl(*link);
  }
}

void TUnitMacroHost::SendCommandLine(const std::string& text, bool from_menu) {
  ExecuteCommandLine(unit_, text, !from_menu);
}

void TUnitMacroHost::QueueOp(const std::string& channel, const std::string& nick) {
  if (TChannel* target = unit_.FindChannel(channel)) unit_.PushToOpQueue(*target, nick);
}

void TUnitMacroHost::PlaySoundFile(const std::string& file) {
  if (file.empty() || unit_.IsClosing() || (unit_.Prefs().MuteOnAway && unit_.IsAway())) return;
  bool bare = WithSlashes(file).find('/') == std::string::npos;
  std::string path = bare ? cp932::FromUtf8((macros_.Folders().sound / cp932::ToUtf8(file)).string()) : file;
  unit_.World().Sound().PlaySound(path);
}

void TUnitMacroHost::SelectChannel(const std::string& name) {
  unit_.World().Select(&unit_, unit_.FindTarget(name));
}

void TUnitMacroHost::SetChannelCondition(const std::string& channel, const std::string& word) {
  unit_.World().SetMark(unit_, channel, AsciiLowerText(word));
}

// Window words and commands may close windows, units or channels: they run
// once the event that asked for them has been handled.
void TUnitMacroHost::WindowCommand(const std::string& word) {
  macros_.RunAfterEvent(unit_, [word = AsciiLowerText(word)](TMacros& macros, TUnit&) {
    macros.Window().WindowCommand(word);
  });
}

void TUnitMacroHost::MenuCommand(const std::string& name) {
  std::optional<TMainCommand> command = LookupCommand(name);
  if (!command) return;
  macros_.RunAfterEvent(unit_, [command = *command](TMacros& macros, TUnit& unit) {
    if (command == TMainCommand::StopMacro) {
      macros.SetStopped(!macros.IsStopped());
    } else {
      macros.Window().RunCommand(unit, command);
    }
  });
}

void TUnitMacroHost::ShowBalloon(const std::string& title, const std::string& text) {
  unit_.World().TitleView().ShowBalloon(std::string(CutSjis(title, kBalloonTitleBytes)),
                                        std::string(CutSjis(text, kBalloonTextBytes)));
}

}  // namespace zeph
