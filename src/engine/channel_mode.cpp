#include "engine/channel_mode.h"

#include <charconv>
#include <limits>

#include "engine/irc_text.h"
#include "platform/sjis.h"

namespace zeph {

namespace {

// A limit as the server wrote it: leading decimal digits, anything else 0,
// and a value too large for an int is held at the largest one.
int ParseLimit(std::string_view word) {
  unsigned long long value = 0;
  auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (end == word.data()) return 0;
  if (error == std::errc::result_out_of_range || value > std::numeric_limits<int>::max())
    return std::numeric_limits<int>::max();
  return static_cast<int>(value);
}

template <class Mode>
struct TFlag {
  char letter;
  bool Mode::*field;
};

// In the order ToText writes them.
constexpr TFlag<TChannelMode> kChannelFlags[] = {
    {'p', &TChannelMode::p}, {'s', &TChannelMode::s}, {'m', &TChannelMode::m}, {'n', &TChannelMode::n},
    {'t', &TChannelMode::t}, {'i', &TChannelMode::i}, {'a', &TChannelMode::a}, {'q', &TChannelMode::q},
    {'r', &TChannelMode::r}};
// In the order Diff compares them; "q" is not compared.
constexpr TFlag<TChannelMode> kDiffFlags[] = {
    {'a', &TChannelMode::a}, {'i', &TChannelMode::i}, {'m', &TChannelMode::m}, {'n', &TChannelMode::n},
    {'p', &TChannelMode::p}, {'s', &TChannelMode::s}, {'r', &TChannelMode::r}, {'t', &TChannelMode::t}};
constexpr TFlag<TUserMode> kUserFlags[] = {{'a', &TUserMode::a}, {'i', &TUserMode::i}, {'w', &TUserMode::w},
                                           {'s', &TUserMode::s}, {'r', &TUserMode::r}, {'o', &TUserMode::o},
                                           {'O', &TUserMode::O}};

template <class Mode, size_t N>
bool* FlagOf(Mode& mode, char letter, const TFlag<Mode> (&flags)[N]) {
  for (const TFlag<Mode>& flag : flags) {
    if (flag.letter == letter) return &(mode.*flag.field);
  }
  return nullptr;
}

template <class Mode, size_t N>
std::string SetLetters(const Mode& mode, const TFlag<Mode> (&flags)[N]) {
  std::string letters;
  for (const TFlag<Mode>& flag : flags) {
    if (mode.*flag.field) letters += flag.letter;
  }
  return letters;
}

// The letters of a mode word, skipping double-byte characters whole: the
// second byte of one may look like a mode letter.
template <class Visit>
void ForEachModeLetter(std::string_view word, Visit visit) {
  for (size_t pos = 0; pos < word.size();) {
    size_t length = SjisCharLength(word, pos);
    if (length == 1) visit(word[pos]);
    pos += length;
  }
}

// Mode letters that carry an argument this record does not keep.
bool TakesIgnoredArgument(char letter) {
  return std::string_view("IORbeov").find(letter) != std::string_view::npos;
}

}  // namespace

void TChannelMode::Apply(std::string_view mode_text) {
  std::string_view rest = mode_text;
  while (!rest.empty()) {
    std::string_view word = NextToken(rest);
    if (word.empty() || (word.front() != '+' && word.front() != '-')) continue;
    bool plus = true;
    ForEachModeLetter(word, [&](char letter) {
      if (letter == '+' || letter == '-') {
        plus = letter == '+';
      } else if (bool* flag = FlagOf(*this, letter, kChannelFlags)) {
        *flag = plus;
      } else if (letter == 'k') {
        std::string_view argument = NextToken(rest);
        key = plus ? std::string(argument) : std::string();
      } else if (letter == 'l') {
        limit = plus ? ParseLimit(NextToken(rest)) : 0;
      } else if (TakesIgnoredArgument(letter)) {
        NextToken(rest);
      }
    });
  }
}

std::string TChannelMode::ToText() const {
  std::string letters = SetLetters(*this, kChannelFlags);
  std::string text = letters.empty() ? std::string() : "+" + letters;
  if (limit > 0) text += "+l";
  if (!key.empty()) text += "+k";
  if (limit > 0) text += " " + std::to_string(limit);
  if (!key.empty()) text += " " + key;
  return text;
}

TModeChange TChannelMode::Diff(const TChannelMode& next) const {
  std::string letters;
  std::string arguments;
  for (const TFlag<TChannelMode>& flag : kDiffFlags) {
    if (this->*flag.field == next.*flag.field) continue;
    letters += next.*flag.field ? '+' : '-';
    letters += flag.letter;
  }
  if (next.limit != limit) {
    if (next.limit > 0) {
      letters += "+l";
      arguments += " " + std::to_string(next.limit);
    } else {
      letters += "-l";
    }
  }
  TModeChange change;
  if (next.key != key) {
    if (!key.empty()) {
      change.first = letters + "-k" + arguments + " " + key;
      if (!next.key.empty()) change.second = "+k " + next.key;
      return change;
    }
    letters += "+k";
    arguments += " " + next.key;
  }
  change.first = letters + arguments;
  return change;
}

void TUserMode::Apply(std::string_view mode_text) {
  bool plus = true;
  ForEachModeLetter(mode_text, [&](char letter) {
    if (letter == '+' || letter == '-') {
      plus = letter == '+';
    } else if (bool* flag = FlagOf(*this, letter, kUserFlags)) {
      *flag = plus;
    }
  });
}

std::string TUserMode::ToText() const { return "+" + SetLetters(*this, kUserFlags); }

}  // namespace zeph
