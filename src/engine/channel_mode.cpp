#include "engine/channel_mode.h"

#include <charconv>
#include <limits>

#include "engine/mode_letters.h"

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

}  // namespace

void TChannelMode::Apply(std::string_view mode_text) {
  for (const TModeLetter& mode : ModeLetters(mode_text, TModeWords::kSigned)) {
    if (bool* flag = FlagOf(*this, mode.letter, kChannelFlags)) {
      *flag = mode.plus;
    } else if (mode.letter == 'k') {
      key = mode.plus ? std::string(mode.argument) : std::string();
    } else if (mode.letter == 'l') {
      limit = mode.plus ? ParseLimit(mode.argument) : 0;
    }
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
  for (const TModeLetter& mode : ModeLetters(mode_text, TModeWords::kAll, TModeArguments::kNone)) {
    if (bool* flag = FlagOf(*this, mode.letter, kUserFlags)) *flag = mode.plus;
  }
}

std::string TUserMode::ToText() const { return "+" + SetLetters(*this, kUserFlags); }

}  // namespace zeph
