#include <gtest/gtest.h>

#include <string>

#include "codec/encoding_jis.h"
#include "platform/cp932.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

const std::string kGetaJis = "\x1B$B\x22\x2E\x1B(B";  // 〓 in the kanji set

struct TCase {
  const char* name;
  std::string input;
  std::string expected;
};

std::string Code(unsigned code) { return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)}; }

TEST(DecodeJisTest, DecodesSetsAndCopiesWhatItDoesNotKnow) {
  const TCase cases[] = {
      {"kanji", "\x1B$B\x30\x21\x1B(B", Sjis("亜")},
      {"kanji run ended by a blank", "\x1B$B\x30\x21 ab\x30\x21", Sjis("亜") + " ab\x30\x21"},
      {"kanji run ended by an 8-bit byte", "\x1B$B\x30\x21\x88\x9F", Sjis("亜亜")},
      {"older kanji designations", "\x1B$@\x30\x21\x1B(b.\x1B$b\x30\x21\x1B(B", Sjis("亜.亜")},
      {"kana set", "\x1B(I\x31\x1B(B", "\xB1"},
      {"lower-case kana set, bytes past 0x5F copied", "\x1B(i\x31\x60", "\xB1\x60"},
      {"SO in the Roman set", "\x1B(J\x0E\x31\x0F", "\xB1"},
      {"SI returns to the Roman set", "\x1B(j\x0E\x31\x0F\x31\xB6", "\xB1\x31\xB6"},
      {"SO and SI in ASCII are bytes", "\x0E\x31\x0F", "\x0E\x31\x0F"},
      {"8-bit Roman kana", "\x1B(J\xB6\xDE\x1B(B", "\xB6\xDE"},
      {"raw Shift_JIS passes", Sjis("亜ｱ"), Sjis("亜ｱ")},
      {"unknown escape copied", "\x1B(Zab", "\x1B(Zab"},
      {"ESC at the end", "a\x1B", "a\x1B"},
      {"ESC cut off at the end", "a\x1B(", "a\x1B("},
      {"ESC cut off in the kanji set", "\x1B$B\x30\x21\x1B$", Sjis("亜") + "\x1B$"},
      {"designation only", "\x1B$B\x1B(B", ""},
  };
  for (const TCase& c : cases) EXPECT_EQ(DecodeJis(c.input), c.expected) << c.name;
}

TEST(DecodeJisTest, BrokenKanjiPairsBecomeGeta) {
  const std::string geta = Sjis("〓");
  const TCase cases[] = {
      {"8-bit second byte", "\x1B$B\x30\x8D", geta + "\x8D"},
      {"CR as second byte", "\x1B$B\x30\rabc", geta + "\rabc"},
      {"NUL as second byte", std::string("\x1B$B\x30\0", 5), geta + std::string(1, '\0')},
      {"lone last byte", "\x1B$B\x30\x21\x30", Sjis("亜") + geta},
      {"DEL is no kanji byte", "\x1B$B\x7F\x30\x21", geta + Sjis("亜")},
  };
  for (const TCase& c : cases) EXPECT_EQ(DecodeJis(c.input), c.expected) << c.name;
}

// A hostile pair must not wrap into control bytes the line did not carry.
TEST(DecodeJisTest, NoKanjiPairProducesAControlByte) {
  for (int j1 = 0; j1 < 0x100; ++j1) {
    for (int j2 = 0; j2 < 0x100; ++j2) {
      std::string input = "\x1B$B" + std::string{static_cast<char>(j1), static_cast<char>(j2)};
      for (unsigned char c : DecodeJis(input)) {
        if (c < 0x20) {
          ASSERT_TRUE(c == j1 || c == j2) << std::hex << j1 << " " << j2;
        }
      }
    }
  }
}

TEST(EncodeJisTest, EscapesOnlyWhatLeavesAscii) {
  const TCase cases[] = {
      {"plain ASCII", "hello", "hello"},
      {"empty", "", ""},
      {"kanji closed at the end", Sjis("亜"), "\x1B$B\x30\x21\x1B(B"},
      {"kanji between ASCII", "a" + Sjis("亜亜") + "b", "a\x1B$B\x30\x21\x30\x21\x1B(Bb"},
      {"control bytes in ASCII", Sjis("亜") + "\x0F\x03", "\x1B$B\x30\x21\x1B(B\x0F\x03"},
  };
  for (const TCase& c : cases) EXPECT_EQ(EncodeJis(c.input, TKanaMode::KanaSet), c.expected) << c.name;
}

TEST(EncodeJisTest, KanaModes) {
  struct TKanaCase {
    TKanaMode mode;
    std::string input;
    std::string expected;
  };
  const TKanaCase cases[] = {
      {TKanaMode::EightBit, "\xB6\xDE", "\x1B(J\xB6\xDE\x1B(B"},
      {TKanaMode::ShiftOut, "\xB6\xDE", "\x1B(J\x0E\x36\x5E\x0F\x1B(B"},
      {TKanaMode::KanaSet, "\xB6\xDE", "\x1B(I\x36\x5E\x1B(B"},
      {TKanaMode::EightBit, "\xB1" + Sjis("亜") + "\xB1", "\x1B(J\xB1\x1B$B\x30\x21\x1B(J\xB1\x1B(B"},
      {TKanaMode::ShiftOut, "\xB1" + Sjis("亜") + "\xB1", "\x1B(J\x0E\x31\x0F\x1B$B\x30\x21\x1B(J\x0E\x31\x0F\x1B(B"},
      {TKanaMode::KanaSet, "\xB1" + Sjis("亜") + "\xB1", "\x1B(I\x31\x1B$B\x30\x21\x1B(I\x31\x1B(B"},
      {TKanaMode::ShiftOut, "a\xB1z", "a\x1B(J\x0E\x31\x0F\x1B(Bz"},
  };
  for (const TKanaCase& c : cases) EXPECT_EQ(EncodeJis(c.input, c.mode), c.expected) << static_cast<int>(c.mode);
}

TEST(EncodeJisTest, CharactersOutsideJisX0208) {
  const TCase cases[] = {
      {"IBM extension small roman one", "\xFA\x40", "\x1B$B\x7C\x71\x1B(B"},
      {"IBM extension folds like its NEC-selected twin", "\xFA\x40", EncodeJis("\xEE\xEF", TKanaMode::KanaSet)},
      {"user-defined area", "\xF0\x40", kGetaJis},
      {"0xFD stands alone", "\xFD\x40", "\x1B$B\x22\x2E\x1B(B@"},
      {"lead byte at the end", "a\x88", "a" + kGetaJis},
      {"lead byte before a blank", "\x88 a", "\x1B$B\x22\x2E\x1B(B a"},
      {"byte that starts nothing", "\x80\xA0\xFF", "\x1B$B\x22\x2E\x22\x2E\x22\x2E\x1B(B"},
  };
  for (const TCase& c : cases) EXPECT_EQ(EncodeJis(c.input, TKanaMode::KanaSet), c.expected) << c.name;
}

// Every IBM extension character must arrive as the same character, only
// under its JIS X 0208 style code.
TEST(EncodeJisTest, IbmExtensionsKeepTheirCharacter) {
  int folded = 0;
  for (unsigned code = 0xFA40; code <= 0xFC4B; ++code) {
    if (!IsSjisTrail(code & 0xFF)) continue;
    std::string ibm = Code(code);
    size_t pos = 0;
    char32_t expected = cp932::DecodeChar(ibm, &pos);
    if (expected == cp932::kGeta) continue;
    std::string sent = EncodeJis(ibm, TKanaMode::KanaSet);
    std::string received = DecodeJis(sent);
    pos = 0;
    EXPECT_EQ(cp932::DecodeChar(received, &pos), expected) << std::hex << code;
    EXPECT_LT(static_cast<unsigned char>(received[0]), 0xF0) << std::hex << code;
    ++folded;
  }
  EXPECT_EQ(folded, 388);
}

TEST(EncodeJisTest, EveryJisX0208CodeRoundTrips) {
  for (unsigned lead = 0x81; lead <= 0xEF; ++lead) {
    if (!IsSjisLead(lead)) continue;
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      if (!IsSjisTrail(trail)) continue;
      std::string code = Code((lead << 8) | trail);
      std::string sent = EncodeJis(code, TKanaMode::KanaSet);
      ASSERT_EQ(sent.size(), 8u) << std::hex << lead << trail;
      EXPECT_EQ(DecodeJis(sent), code) << std::hex << lead << trail;
    }
  }
}

TEST(EncodeJisTest, JapaneseTextRoundTripsInEveryKanaMode) {
  const std::string text = Sjis("今日は ｶﾀｶﾅ と「漢字」、ｱﾞ① ~\\ end.");
  for (TKanaMode mode : {TKanaMode::EightBit, TKanaMode::ShiftOut, TKanaMode::KanaSet})
    EXPECT_EQ(DecodeJis(EncodeJis(text, mode)), text) << static_cast<int>(mode);
}

// Whatever the internal text holds, the wire stays 7-bit (kana in the 8-bit
// mode aside) and a text never encodes to nothing.
TEST(EncodeJisTest, AnyTwoBytesEncodeToSevenBitText) {
  for (int b1 = 0; b1 < 0x100; ++b1) {
    for (int b2 = 0; b2 < 0x100; ++b2) {
      std::string input{static_cast<char>(b1), static_cast<char>(b2)};
      for (TKanaMode mode : {TKanaMode::ShiftOut, TKanaMode::KanaSet}) {
        std::string sent = EncodeJis(input, mode);
        for (unsigned char c : sent) ASSERT_LT(c, 0x80) << std::hex << b1 << " " << b2;
      }
      ASSERT_FALSE(EncodeJis(input.substr(0, 1), TKanaMode::EightBit).empty());
    }
  }
}

}  // namespace
}  // namespace zeph
