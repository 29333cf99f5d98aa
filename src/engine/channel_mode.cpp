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

bool* ChannelFlag(TChannelMode& mode, char letter) {
  switch (letter) {
    case 'a': return &mode.a;
    case 'i': return &mode.i;
    case 'm': return &mode.m;
    case 'n': return &mode.n;
    case 'p': return &mode.p;
    case 'q': return &mode.q;
    case 'r': return &mode.r;
    case 's': return &mode.s;
    case 't': return &mode.t;
    default: return nullptr;
  }
}

bool* UserFlag(TUserMode& mode, char letter) {
  switch (letter) {
    case 'a': return &mode.a;
    case 'i': return &mode.i;
    case 'O': return &mode.O;
    case 'o': return &mode.o;
    case 'r': return &mode.r;
    case 's': return &mode.s;
    case 'w': return &mode.w;
    default: return nullptr;
  }
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
      } else if (bool* flag = ChannelFlag(*this, letter)) {
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
  std::string letters;
  const std::pair<char, bool> flags[] = {{'p', p}, {'s', s}, {'m', m}, {'n', n}, {'t', t},
                                         {'i', i}, {'a', a}, {'q', q}, {'r', r}};
  for (auto [letter, set] : flags) {
    if (set) letters += letter;
  }
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
  const std::pair<char, bool TChannelMode::*> flags[] = {
      {'a', &TChannelMode::a}, {'i', &TChannelMode::i}, {'m', &TChannelMode::m}, {'n', &TChannelMode::n},
      {'p', &TChannelMode::p}, {'s', &TChannelMode::s}, {'r', &TChannelMode::r}, {'t', &TChannelMode::t}};
  for (auto [letter, flag] : flags) {
    if (this->*flag == next.*flag) continue;
    letters += next.*flag ? '+' : '-';
    letters += letter;
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
    } else if (bool* flag = UserFlag(*this, letter)) {
      *flag = plus;
    }
  });
}

std::string TUserMode::ToText() const {
  std::string text = "+";
  const std::pair<char, bool> flags[] = {{'a', a}, {'i', i}, {'w', w}, {'s', s}, {'r', r}, {'o', o}, {'O', O}};
  for (auto [letter, set] : flags) {
    if (set) text += letter;
  }
  return text;
}

}  // namespace zeph
