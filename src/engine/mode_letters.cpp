#include "engine/mode_letters.h"

#include "engine/irc_text.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

bool IsSign(char c) { return c == '+' || c == '-'; }

bool TakesArgument(char letter, bool plus, TModeArguments arguments) {
  if (arguments == TModeArguments::kNone) return false;
  if (letter == 'l') return plus;  // a limit is removed without naming it
  return std::string_view("IORbekov").find(letter) != std::string_view::npos;
}

}  // namespace

std::vector<TModeLetter> ModeLetters(std::string_view text, TModeWords words, TModeArguments arguments) {
  std::vector<TModeLetter> letters;
  bool plus = true;
  std::string_view rest = text;
  while (!rest.empty()) {
    std::string_view word = NextToken(rest);
    if (word.empty() || (words == TModeWords::kSigned && !IsSign(word.front()))) continue;
    for (size_t pos = 0, length = 0; pos < word.size(); pos += length) {
      length = SjisCharLength(word, pos);
      if (length != 1) continue;
      char c = word[pos];
      if (IsSign(c)) {
        plus = c == '+';
        continue;
      }
      std::string_view argument = TakesArgument(c, plus, arguments) ? NextToken(rest) : std::string_view();
      letters.push_back(TModeLetter{plus, c, argument});
    }
  }
  return letters;
}

}  // namespace zeph
