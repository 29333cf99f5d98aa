#pragma once

#include <string_view>
#include <vector>

// Taking a MODE text apart ("+o-v+k alice bob key"): each mode letter with
// the sign in force and the word it takes as its argument. The channel mode
// record, the MODE event, the operator and voice macro events and the flood
// penalty of an outgoing MODE all read mode texts this one way.
namespace zeph {

struct TModeLetter {
  bool plus = true;
  char letter = 0;
  std::string_view argument;  // empty when the letter takes none or no word is left

  bool operator==(const TModeLetter&) const = default;
};

// Which words of a mode text hold mode letters.
enum class TModeWords {
  kSigned,  // only words that start with "+" or "-"; any other word is skipped whole
  kAll,     // every word not taken as an argument, the sign carried over from the word before
};

// Which letters take the next word as their argument.
enum class TModeArguments {
  kChannel,  // I O R b e k o v both ways, l only when set
  kNone,     // user modes take none
};

// The mode letters of a text in order; the arguments point into the text.
// Double-byte characters are stepped over whole: their second byte may look
// like a mode letter.
std::vector<TModeLetter> ModeLetters(std::string_view text, TModeWords words,
                                     TModeArguments arguments = TModeArguments::kChannel);

}  // namespace zeph
