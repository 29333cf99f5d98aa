// Long messages cut by their wire length: every piece fits, no character
// is divided, and the pieces give the text back.
#include <gtest/gtest.h>

#include "engine/encoding.h"
#include "platform/sjis.h"
#include "protocol/message_split.h"

namespace zeph {
namespace {

const TWireEncoding kJis{kEncodingIso2022Jp, 0};
const TWireEncoding kJisKanaSet{kEncodingIso2022Jp, 3};
const TWireEncoding kUtf8{kEncodingUtf8, 0};

std::string Repeat(const std::string& piece, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += piece;
  return text;
}

// Every piece fits, each is as long as it can be, and no cut divides a
// character.
void ExpectSoundSplit(const std::string& text, const TWireEncoding& wire, size_t overhead) {
  TMessagePieces split = SplitMessage(text, wire, overhead);
  std::string joined;
  for (const std::string& piece : split.pieces) {
    size_t start = joined.size();
    EXPECT_LE(overhead + wire.Encode(piece).size(), 510u);
    joined += piece;
    // The cut lies on a character boundary of the whole text.
    size_t pos = 0;
    while (pos < start) pos += SplitUnitLength(text, pos, wire);
    EXPECT_EQ(pos, start);
    if (joined.size() < text.size()) {
      size_t next = SplitUnitLength(text, joined.size(), wire);
      EXPECT_GT(overhead + wire.Encode(piece + text.substr(joined.size(), next)).size(), 510u);
    }
  }
  EXPECT_EQ(joined + split.unsent, text);
}

TEST(MessageSplitTest, RelayOverheadCountsWireBytes) {
  EXPECT_EQ(RelayOverhead(kJis, "me", "u", "h", "PRIVMSG", "#c", false), 2u + 1 + 1 + 7 + 2 + 7);
  EXPECT_EQ(RelayOverhead(kJis, "me", "u", "h", "PRIVMSG", "#c", true), 30u);
  // «#日本»: "#", ESC $ B, four bytes, ESC ( B.
  EXPECT_EQ(RelayOverhead(kJis, "", "", "", "NOTICE", Sjis("#日本"), false), 6u + 11 + 7);
}

TEST(MessageSplitTest, KanjiPiecesPayTheirOwnEscapes) {
  // "a" then 300 kanji: the first piece holds «a», ESC $ B, 251 kanji and
  // ESC ( B; the second starts inside the run and needs ESC $ B again.
  std::string text = "a" + Repeat(Sjis("漢"), 300);
  TMessagePieces split = SplitMessage(text, kJis, 0);
  ASSERT_EQ(split.pieces.size(), 2u);
  EXPECT_EQ(split.pieces[0].size(), 1u + 2 * 251);
  EXPECT_EQ(kJis.Encode(split.pieces[0]).size(), 509u);
  EXPECT_EQ(kJis.Encode(split.pieces[1]), "\x1B$B" + Repeat("4A", 49) + "\x1B(B");  // 漢 is 0x3441
  ExpectSoundSplit(text, kJis, 0);
}

TEST(MessageSplitTest, MixedTextsSplitSoundly) {
  const std::string mixed = Sjis("日本語のtextと半角ｶﾅ、") + "\xb6\xde\xcb\xdf" + "ascii ";
  const std::string samples[] = {
      Repeat("x", 1500),
      Repeat(mixed, 60),
      Repeat(Sjis("ア"), 700) + "\x82",  // ends with a lone lead byte
      Repeat("\xb3\xde", 400),           // «ｳﾞ» pairs
  };
  for (const std::string& text : samples) {
    for (size_t overhead : {0u, 30u, 200u, 505u}) {
      ExpectSoundSplit(text, kJis, overhead);
      ExpectSoundSplit(text, kJisKanaSet, overhead);
      ExpectSoundSplit(text, kUtf8, overhead);
    }
  }
}

TEST(MessageSplitTest, VoicedKanaPairStaysWhole) {
  // «ｶﾞ» is one character on the wire with full-width kana.
  std::string kana = "\xb6\xde";
  EXPECT_EQ(SplitUnitLength(kana, 0, kJis), 2u);
  EXPECT_EQ(SplitUnitLength(kana, 0, kJisKanaSet), 1u);
  EXPECT_EQ(SplitUnitLength("\xb1\xde", 0, kJis), 1u);  // «ｱﾞ» has no joined form
  EXPECT_EQ(SplitUnitLength(Sjis("漢"), 0, kJis), 2u);

  // 500 ASCII bytes and «ｶﾞ» need 500 + 3 + 2 + 3 bytes: with one byte less
  // the pair moves to the next piece whole.
  std::string text = std::string(500, 'x') + kana + "y";
  TMessagePieces split = SplitMessage(text, kJis, 3);
  ASSERT_EQ(split.pieces.size(), 2u);
  EXPECT_EQ(split.pieces[0], std::string(500, 'x'));
  EXPECT_EQ(split.pieces[1], kana + "y");
  split = SplitMessage(text, kJis, 2);
  EXPECT_EQ(split.pieces[0], std::string(500, 'x') + kana);
}

TEST(MessageSplitTest, NothingFitsLeavesTheTextUnsent) {
  TMessagePieces split = SplitMessage("abc", kJis, 510);
  EXPECT_TRUE(split.pieces.empty());
  EXPECT_EQ(split.unsent, "abc");
  // Room for a few ASCII bytes but not for a kanji with its escapes.
  split = SplitMessage("ab" + Sjis("漢") + "c", kJis, 505);
  EXPECT_EQ(split.pieces, (std::vector<std::string>{"ab"}));
  EXPECT_EQ(split.unsent, Sjis("漢") + "c");
  EXPECT_TRUE(SplitMessage("", kJis, 0).pieces.empty());
}

}  // namespace
}  // namespace zeph
