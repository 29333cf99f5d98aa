#include "engine/mode_letters.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zeph {
namespace {

// One letter as a test reads it: "+o alice", "-l", "+k".
std::string Show(const TModeLetter& mode) {
  std::string text = mode.plus ? "+" : "-";
  text += mode.letter;
  if (!mode.argument.empty()) text += " " + std::string(mode.argument);
  return text;
}

TEST(ModeLettersTest, LettersWithTheirSignAndArgument) {
  struct TCase {
    std::string text;
    TModeWords words;
    TModeArguments arguments;
    std::vector<std::string> expected;
  };
  const TModeWords kSigned = TModeWords::kSigned;
  const TModeWords kAll = TModeWords::kAll;
  const TModeArguments kChannel = TModeArguments::kChannel;
  const TCase cases[] = {
      {"+o-v+k alice bob key", kSigned, kChannel, {"+o alice", "-v bob", "+k key"}},
      {"+IORbe a b c d e", kSigned, kChannel, {"+I a", "+O b", "+R c", "+b d", "+e e"}},
      {"+l-l 10", kSigned, kChannel, {"+l 10", "-l"}},  // a limit is removed without a word
      {"-k+t old", kSigned, kChannel, {"-k old", "+t"}},
      {"+ov alice", kSigned, kChannel, {"+o alice", "+v"}},  // no word left: empty
      {"+b", kSigned, kChannel, {"+b"}},
      {"+xyz a", kSigned, kChannel, {"+x", "+y", "+z"}},     // unknown letters take no word
      {"  +n   +t  ", kSigned, kChannel, {"+n", "+t"}},
      {"", kAll, kChannel, {}},
      // A word without a sign: skipped as servers send MODE, read with the
      // sign carried over as users type it.
      {"nt +i", kSigned, kChannel, {"+i"}},
      {"nt +i", kAll, kChannel, {"+n", "+t", "+i"}},
      {"-o a lt", kAll, kChannel, {"-o a", "-l", "-t"}},
      // An argument is taken whole, even one that starts with a sign.
      {"+o-k a -b", kSigned, kChannel, {"+o a", "-k -b"}},
      // 0x82 0x6F is one character whose second byte is "o": no letter.
      {"+\x82\x6Fv nick", kSigned, kChannel, {"+v nick"}},
      {"+v a \x82\x6F\x82\x62", kAll, kChannel, {"+v a"}},
      // A key of full-width plus and minus (0x81 0x7B, 0x81 0x7C) and a nick
      // whose second bytes look like letters are arguments, never mode words.
      {"+k-o \x81\x7B\x81\x7C \x83\x6B\x83\x6F", kSigned, kChannel,
       {"+k \x81\x7B\x81\x7C", "-o \x83\x6B\x83\x6F"}},
      {"+iw-o x", kAll, TModeArguments::kNone, {"+i", "+w", "-o", "-x"}},  // user modes take no word
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.text);
    std::vector<std::string> shown;
    for (const TModeLetter& mode : ModeLetters(c.text, c.words, c.arguments)) shown.push_back(Show(mode));
    EXPECT_EQ(shown, c.expected);
  }
}

}  // namespace
}  // namespace zeph
