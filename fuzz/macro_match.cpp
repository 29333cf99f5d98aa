// Patterns of macro items against event texts from the network. The
// wildcard matcher must agree with a plain table-filling reference of the
// same rules; whole patterns ($NOT, $LIST, special words, variables) and
// whole items are matched against an event parsed from the input.
//
// Input: one byte of flags, then pattern, value, IRC line and macro item
// line separated by LF.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/irc_message.h"
#include "macro/macro_item.h"
#include "macro/macro_match.h"
#include "macro/wildcard.h"
#include "platform/sjis.h"
#include "wild_reference.h"

using namespace zeph;

namespace {

// Every byte one position, of its kind: a single-byte character (0), the
// first (1) or the second byte (2) of a double-byte character.
std::vector<fuzz::TWildUnit> Bytes(std::string_view text) {
  std::vector<fuzz::TWildUnit> bytes;
  for (size_t pos = 0; pos < text.size();) {
    if (SjisCharLength(text, pos) == 1) {
      bytes.push_back({std::string(1, text[pos++]), 0});
      continue;
    }
    bytes.push_back({std::string(1, text[pos++]), 1});
    bytes.push_back({std::string(1, text[pos++]), 2});
  }
  return bytes;
}

// Answers fixed by the flags of the input.
class TFlagFacts : public TMacroFacts {
 public:
  explicit TFlagFacts(uint8_t flags) : flags_(flags) {}
  bool IsSelfUser(std::string_view, std::string_view, std::string_view) const override { return flags_ & 1; }
  bool IsGroupMember(int group, std::string_view, std::string_view, std::string_view) const override {
    return (flags_ >> (group % 5)) & 2;
  }
  bool IsOperator(std::string_view, std::string_view nick) const override { return nick.size() % 2 == (flags_ & 1); }
  bool IsAway() const override { return flags_ & 64; }
  std::string ActiveChannelName() const override { return "#active"; }
  std::string SelectedText() const override { return "selected %s $LIST(list)"; }
  std::string LocalAddress() const override { return "192.0.2.1"; }

 private:
  uint8_t flags_;
};

// A data folder with one list file the inputs may name.
const std::filesystem::path& DataFolder() {
  static const std::filesystem::path folder = [] {
    std::filesystem::path path = std::filesystem::temp_directory_path() / "zeph_fuzz_macro_match";
    std::filesystem::create_directories(path);
    std::ofstream(path / "list", std::ios::binary) << "$NOT *x*\r\n*%m*\r\n%me\r\n%g2\r\n";
    return path;
  }();
  return folder;
}

std::string_view NextPiece(std::string_view& input) {
  size_t end = input.find('\n');
  std::string_view piece = input.substr(0, end);
  input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
  return piece;
}

// A list name that leaves the data folder could name a device that never
// ends; the inputs keep to the folder.
bool StaysInDataFolder(std::string_view text) {
  return text.find("(/") == std::string_view::npos && text.find("(\\") == std::string_view::npos &&
         text.find("..") == std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > 2048) return 0;
  uint8_t flags = data[0];
  std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  std::string_view pattern = NextPiece(input);
  std::string_view value = NextPiece(input);
  std::string_view line = NextPiece(input);
  std::string_view item_line = input;
  if (!StaysInDataFolder(pattern) || !StaysInDataFolder(item_line)) return 0;

  if (MatchWildcard(pattern, value) != fuzz::WildReference(Bytes(pattern), Bytes(value))) abort();
  if (!MatchWildcard("*", value)) abort();

  TIrcMessage message;
  message.Parse(line);
  TMacroEvent event = MakeMacroEvent(message, (flags & 128) ? message.nick : "me");
  TFlagFacts facts(flags);
  TMacroContext context{event, facts, DataFolder(), 0};
  TPatternRules rules{.is_self = (flags & 4) != 0,
                      .expand_variables = (flags & 8) != 0,
                      .allow_specials = (flags & 16) != 0,
                      .is_command = (flags & 32) != 0};
  bool matched = MatchPattern(value, pattern, rules, context);
  if (pattern.empty() && matched == rules.is_self) abort();
  if (!rules.is_self && !MatchPattern(value, "*", rules, context)) abort();

  TMacroItem item;
  if (ParseMacroItem(item_line, &item)) MatchItem(item, context);
  return 0;
}
