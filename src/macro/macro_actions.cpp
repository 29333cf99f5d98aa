#include "macro/macro_actions.h"

#include <algorithm>
#include <optional>

#include "settings/line_list.h"
#include "macro/data_path.h"
#include "macro/keyword_case.h"
#include "macro/macro_substitutions.h"
#include "macro/macro_variables.h"
#include "macro/plugin_call.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

// What one action sees: the expanded target and text.
struct TAction {
  const TMacroItem& item;
  bool from_menu;
  const TMacroContext& context;
  TMacroHost& host;
  std::string target;
  std::string info;
};

void SendLineByLine(TAction& a, std::string_view command_line) {
  for (const std::string& line : SplitLines(command_line)) a.host.SendCommandLine(line, a.from_menu);
}

void SendOneLine(TAction& a, std::string command_line) {
  std::erase_if(command_line, [](char c) { return c == '\r' || c == '\n'; });
  a.host.SendCommandLine(command_line, a.from_menu);
}

// A data file named by the item: variable values in the name are cleaned,
// and a relative name stays in the data folder.
std::optional<std::filesystem::path> ItemFile(const TAction& a, std::string_view written) {
  return DataFilePath(a.context.data_folder, ExpandSubstitutions(written, true, a.context, TValueForm::FileName));
}

void AddLine(TAction& a, bool at_head) {
  std::optional<std::filesystem::path> file = ItemFile(a, a.item.target);
  if (!file) return;
  TLineList lines;
  std::error_code error;
  // A file that is there but refused (a device, an oversized file) is never
  // replaced by the one new line.
  if (!LoadDataLines(*file, &lines) && std::filesystem::exists(*file, error)) return;
  if (at_head) {
    lines.Insert(0, a.info);
  } else {
    lines.Add(a.info);
  }
  lines.SaveToFile(*file);
}

void DeleteDataFile(TAction& a) {
  std::optional<std::filesystem::path> file = ItemFile(a, a.item.info);
  std::error_code error;
  if (file && !std::filesystem::is_directory(*file, error)) std::filesystem::remove(*file, error);
}

void PluginCall(TAction& a, bool hook) {
  std::optional<std::filesystem::path> library = ItemFile(a, a.item.target);
  if (!library) return;
  if (!hook) {
    CallPluginProcedure(*library, a.info, a.context.data_folder);
    return;
  }
  const TMacroEvent& e = a.context.event;
  TPluginEvent event{e.nick, e.user, e.host, e.command, e.channel, e.message};
  std::optional<std::string> result = CallPluginHook(*library, a.info, a.context.data_folder, event);
  if (result && !result->empty()) SendLineByLine(a, ExpandVariables(*result, a.context));
}

using TRun = void (*)(TAction&);

struct TActionWord {
  std::string_view word;
  TRun run;
  bool uses_target = false;
};

constexpr TActionWord kActions[] = {
    {"print", [](TAction& a) { a.host.PrintMacroOutput(a.target, a.info); }, true},
    {"send", [](TAction& a) { SendLineByLine(a, "NOTICE " + a.target + " :" + a.info); }, true},
    {"raw", [](TAction& a) { SendLineByLine(a, a.info); }},
    {"action", [](TAction& a) { SendOneLine(a, "ACTION " + a.target + " :" + a.info); }, true},
    {"join", [](TAction& a) { SendOneLine(a, "JOIN " + a.info); }},
    {"part", [](TAction& a) { SendOneLine(a, "PART " + a.target + " :" + a.info); }, true},
    // The command line takes the whole rest of QUIT and AWAY as the
    // message; a ":" before it would become part of the message.
    {"quit", [](TAction& a) { SendOneLine(a, "QUIT " + a.info); }},
    {"mode", [](TAction& a) { SendOneLine(a, "MODE " + a.target + " " + a.info); }, true},
    {"nick", [](TAction& a) { SendOneLine(a, "NICK " + a.info); }},
    {"topic", [](TAction& a) { SendOneLine(a, "TOPIC " + a.target + " :" + a.info); }, true},
    {"kick", [](TAction& a) { SendOneLine(a, "KICK " + a.target + " " + a.info); }, true},
    {"away", [](TAction& a) { SendOneLine(a, "AWAY " + a.info); }},
    {"invite", [](TAction& a) { SendOneLine(a, "INVITE " + a.target + " :" + a.info); }, true},
    {"ctcpping", [](TAction& a) { SendOneLine(a, "CTCPPING " + a.target); }, true},
    {"ctcpquery", [](TAction& a) { SendOneLine(a, "CTCPQUERY " + a.target + " :" + a.info); }, true},
    {"ctcpreply", [](TAction& a) { SendOneLine(a, "CTCPREPLY " + a.target + " :" + a.info); }, true},
    {"giveop", [](TAction& a) { a.host.QueueOp(a.target, a.info); }, true},
    {"pushtoopqueue", [](TAction& a) { a.host.QueueOp(a.target, a.info); }, true},
    {"showballoon", [](TAction& a) { a.host.ShowBalloon(a.target, a.info); }, true},
    {"showbaloon", [](TAction& a) { a.host.ShowBalloon(a.target, a.info); }, true},
    {"exec", [](TAction& a) { a.host.Execute(a.info, false); }},
    {"execute", [](TAction& a) { a.host.Execute(a.info, false); }},
    {"execmin", [](TAction& a) { a.host.Execute(a.info, true); }},
    {"executeminimize", [](TAction& a) { a.host.Execute(a.info, true); }},
    {"openurl", [](TAction& a) { a.host.OpenUrl(a.info, a.target); }, true},
    {"sound", [](TAction& a) { a.host.PlaySoundFile(a.info); }},
    {"playsound", [](TAction& a) { a.host.PlaySoundFile(a.info); }},
    {"appendfile", [](TAction& a) { AddLine(a, false); }, true},
    {"addtailline", [](TAction& a) { AddLine(a, false); }, true},
    {"appendfiler", [](TAction& a) { AddLine(a, true); }, true},
    {"addheadline", [](TAction& a) { AddLine(a, true); }, true},
    {"deletefile", [](TAction& a) { DeleteDataFile(a); }},
    {"selectchannel", [](TAction& a) { a.host.SelectChannel(a.info); }},
    {"channelcondition", [](TAction& a) { a.host.SetChannelCondition(a.target, a.info); }, true},
    {"dllcall", [](TAction& a) { PluginCall(a, false); }, true},
    {"dllhook", [](TAction& a) { PluginCall(a, true); }, true},
    {"window", [](TAction& a) { a.host.WindowCommand(a.info); }},
    {"menu", [](TAction& a) { a.host.MenuCommand(a.info); }},
};

constexpr std::string_view kEditorActionWords[] = {
    "Print",      "Send",       "Raw",         "Join",      "Part",       "Quit",         "Mode",       "Nick",
    "Topic",      "Kick",       "Invite",      "Away",      "Action",     "CTCPPing",     "CTCPQuery",  "CTCPReply",
    "GiveOp",     "ShowBalloon", "Execute",    "ExecuteMinimize", "OpenURL", "PlaySound", "DllCall", "DllHook",
    "AddHeadLine", "AddTailLine", "DeleteFile", "SelectChannel", "ChannelCondition", "Window", "Menu",
};

const TActionWord* FindAction(std::string_view action) {
  std::string word = AsciiLowerText(action);
  auto found = std::find_if(std::begin(kActions), std::end(kActions), [&](const TActionWord& a) { return a.word == word; });
  return found == std::end(kActions) ? nullptr : found;
}

}  // namespace

std::span<const std::string_view> EditorActionWords() { return kEditorActionWords; }

bool ActionUsesTarget(std::string_view action) {
  const TActionWord* found = FindAction(action);
  return found && found->uses_target;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t pos = 0; pos <= text.size(); ++pos) {
    if (pos < text.size() && text[pos] != '\r' && text[pos] != '\n') continue;
    lines.emplace_back(text.substr(start, pos - start));
    if (pos + 1 < text.size() && text[pos] == '\r' && text[pos + 1] == '\n') ++pos;
    start = pos + 1;
  }
  return lines;
}

void RunMacroItem(const TMacroItem& item, bool from_menu, const TMacroContext& context, TMacroHost& host) {
  const TActionWord* found = FindAction(item.action);
  if (found == nullptr) return;
  TAction action{item, from_menu, context, host, ExpandVariables(item.target, context),
                 ExpandSubstitutions(item.info, true, context)};
  found->run(action);
}

}  // namespace zeph
