// The expansion of macro texts against events from the network. Whatever a
// peer sends, a %-variable never brings a line break into a command and a
// file-name expansion never brings a folder separator: only the item's own
// text may hold them.
//
// Input: one byte of flags, then the item text and the IRC line, separated
// by LF. Items naming plug-ins or paths outside the data folder are the
// user's own text; the inputs keep away from them, so a run touches only
// its data folder.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "engine/irc_message.h"
#include "macro/macro_substitutions.h"
#include "macro/macro_variables.h"
#include "platform/sjis.h"

using namespace zeph;

namespace {

class TFixedFacts : public TMacroFacts {
 public:
  bool IsSelfUser(std::string_view, std::string_view, std::string_view) const override { return false; }
  bool IsGroupMember(int, std::string_view, std::string_view, std::string_view) const override { return false; }
  bool IsOperator(std::string_view, std::string_view) const override { return false; }
  bool IsAway() const override { return false; }
  std::string ActiveChannelName() const override { return "#active"; }
  std::string SelectedText() const override { return "selected\r\n%m $FILE(lines)"; }
  std::string LocalAddress() const override { return "192.0.2.1"; }
};

// A data folder with a line file and a dictionary the inputs may name; the
// "once" forms change them, so they are written afresh for every input.
const std::filesystem::path& DataFolder() {
  static const std::filesystem::path folder = [] {
    std::filesystem::path path = std::filesystem::temp_directory_path() / "zeph_fuzz_macro_expand";
    std::filesystem::create_directories(path);
    return path;
  }();
  std::ofstream(folder / "lines", std::ios::binary) << "one %n\r\ntwo %0\r\nthree $$\r\n";
  std::ofstream(folder / "dic", std::ios::binary) << "hello* Hi %n\r\n*\\** star\r\ndefault Bye %m\r\n";
  return folder;
}

bool IsUsersOwn(std::string_view text) {
  return AsciiUpperText(text).find("$DLL") != std::string::npos || text.find('/') != std::string_view::npos ||
         text.find('\\') != std::string_view::npos;
}

bool HasLineBreak(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

bool HasSeparator(std::string_view text) {
  for (size_t pos = 0; pos < text.size(); pos += SjisCharLength(text, pos)) {
    if (SjisCharLength(text, pos) == 1 && (text[pos] == '/' || text[pos] == '\\' || text[pos] == ':')) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > 4096) return 0;
  uint8_t flags = data[0];
  std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  size_t cut = input.find('\n');
  std::string_view text = input.substr(0, cut);
  std::string_view line = cut == std::string_view::npos ? std::string_view() : input.substr(cut + 1);
  if (IsUsersOwn(text) || HasLineBreak(text) || text.find(':') != std::string_view::npos) return 0;

  TIrcMessage message;
  message.Parse(line);
  TMacroEvent event = MakeMacroEvent(message, "me");
  TFixedFacts facts;
  TMacroContext context{event, facts, DataFolder(), 0};
  context.random = [flags] { return flags * 128; };

  if (HasLineBreak(ExpandVariables(text, context))) abort();
  if (HasLineBreak(ExpandSubstitutions(text, (flags & 1) != 0, context))) abort();
  if (HasSeparator(ExpandFileNameVariables(text, context))) abort();
  if (HasSeparator(ExpandSubstitutions(text, true, context, TValueForm::FileName))) abort();
  return 0;
}
