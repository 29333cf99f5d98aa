#include <gtest/gtest.h>

#include <string>

#include "engine/encoding.h"
#include "codec/encoding_char_type.h"
#include "codec/encoding_detect.h"
#include "engine/encoding_foreign_names.h"
#include "codec/encoding_jis.h"
#include "codec/encoding_utf8.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

TEST(WireEncodingTest, KanaMethodChoosesTheKanaForm) {
  const std::string ga = "\xB6\xDE";  // ｶﾞ
  const std::string expected[] = {
      "\x1B$B\x25\x2C\x1B(B",             // full-width ガ
      "\x1B(J\xB6\xDE\x1B(B",             // 8-bit
      "\x1B(J\x0E\x36\x5E\x0F\x1B(B",     // SO/SI
      "\x1B(I\x36\x5E\x1B(B",             // kana set
      "\x1B(I\x36\x5E\x1B(B",             // unknown values use the kana set
  };
  for (int method = 0; method < 5; ++method)
    EXPECT_EQ((TWireEncoding{kEncodingIso2022Jp, method}.Encode(ga)), expected[method]) << method;
}

TEST(WireEncodingTest, SessionEncodingChoosesTheCodec) {
  const std::string text = Sjis("亜ｱ");
  TWireEncoding jis{kEncodingIso2022Jp, 3};
  TWireEncoding utf8{kEncodingUtf8, 0};
  EXPECT_EQ(jis.Encode(text), "\x1B$B\x30\x21\x1B(I\x31\x1B(B");
  EXPECT_EQ(jis.Decode("\x1B$B\x30\x21\x1B(I\x31\x1B(B"), text);
  EXPECT_EQ(utf8.Encode(text), "\xE4\xBA\x9C\xEF\xBD\xB1");
  EXPECT_EQ(utf8.Decode("\xE4\xBA\x9C\xEF\xBD\xB1"), text);
  EXPECT_EQ((TWireEncoding{2, 0}.Encode(text)), "\xE4\xBA\x9C\xEF\xBD\xB1");  // any other session: UTF-8
}

TEST(WireEncodingTest, NoTextEncodesToNothing) {
  for (int session : {kEncodingIso2022Jp, kEncodingUtf8}) {
    for (int method = 0; method < 4; ++method) {
      TWireEncoding wire{session, method};
      EXPECT_EQ(wire.Encode(""), "");
      for (int b = 0; b < 0x100; ++b) EXPECT_FALSE(wire.Encode(std::string(1, static_cast<char>(b))).empty()) << b;
    }
  }
}

TEST(WireEncodingTest, UnicodeSessionNeedsTheCodePage) {
  EXPECT_EQ(SessionEncoding(kEncodingIso2022Jp), kEncodingIso2022Jp);
  EXPECT_EQ(SessionEncoding(kEncodingUtf8), kEncodingUtf8);
}

TEST(DetectEncodingTest, Cases) {
  EXPECT_EQ(DetectEncoding("abc"), kDetectedPlain);
  EXPECT_EQ(DetectEncoding(""), kDetectedPlain);
  EXPECT_EQ(DetectEncoding("\xE3\x81\x82"), kDetectedEightBit);
  EXPECT_EQ(DetectEncoding("\xE3\x81\x82 \x1B$B\x30\x21\x1B(B"), kDetectedJis);
  EXPECT_EQ(DetectEncoding("\x1B(I1"), kDetectedJis);
  EXPECT_EQ(DetectEncoding("a\x1B"), kDetectedPlain);
  EXPECT_FALSE(HasDesignation("a\x1B"));
  EXPECT_TRUE(HasDesignation("\x1Bx\x1B$"));
  EXPECT_EQ(DetectEncoding("\xA0\x1Bx"), kDetectedEightBit);
}

// A byte that decides the answer counts wherever it stands, also among
// long runs of plain bytes.
TEST(DetectEncodingTest, SeesTheDecidingByteAtAnyPosition) {
  for (size_t pos = 0; pos < 20; ++pos) {
    std::string text(24, 'a');
    text.replace(pos, 2, "\x1B(");
    EXPECT_EQ(DetectEncoding(text), kDetectedJis) << pos;
    EXPECT_TRUE(HasDesignation(text)) << pos;
    text.replace(pos, 2, "\x1Bx");
    EXPECT_EQ(DetectEncoding(text), kDetectedPlain) << pos;
    EXPECT_FALSE(HasDesignation(text)) << pos;
    text.replace(pos, 2, "\xC3\xA9");
    EXPECT_TRUE(DetectEncoding(text).utf8) << pos;
    text[pos + 1] = 'a';
    TDetection cut = DetectEncoding(text);
    EXPECT_TRUE(cut.eight_bit && !cut.utf8) << pos;
  }
}

// Each received text is read in the encoding its own bytes show; what
// cannot be told apart stays with the unit's encoding.
TEST(WireEncodingTest, ReadsEachTextInTheEncodingItsBytesShow) {
  const std::string utf8_kana = EncodeUtf8(Sjis("こんにちは"));
  const std::string utf8_kanji = "say " + EncodeUtf8(Sjis("漢字")) + "!";
  const std::string raw_sjis = Sjis("日本語");  // 0x93 0xFA: not UTF-8
  const std::string latin1 = "caf\xE9 cr\xE8me";
  const std::string jis = TWireEncoding{kEncodingIso2022Jp, 3}.Encode(Sjis("亜ｱ"));
  const std::string kana_8bit = "\x1B(J\xC3\xBD\x1B(B";  // «ﾃｽ», bytes that are also UTF-8 «ý»
  struct TCase {
    const char* what;
    int session;
    std::string wire;
    std::string expected;
    bool foreign;
  };
  const TCase cases[] = {
      {"utf-8 kana", kEncodingIso2022Jp, utf8_kana, Sjis("こんにちは"), true},
      {"utf-8 kanji", kEncodingIso2022Jp, utf8_kanji, "say " + Sjis("漢字") + "!", true},
      {"raw shift_jis", kEncodingIso2022Jp, raw_sjis, raw_sjis, false},
      {"latin-1", kEncodingIso2022Jp, latin1, latin1, false},
      {"jis", kEncodingIso2022Jp, jis, Sjis("亜ｱ"), false},
      {"8-bit kana after ESC ( J", kEncodingIso2022Jp, kana_8bit, "\xC3\xBD", false},
      {"utf-8 before a jis escape", kEncodingIso2022Jp, utf8_kana + jis, DecodeJis(utf8_kana + jis), false},
      {"utf-8 with a broken tail", kEncodingIso2022Jp, utf8_kana + "\xE3\x81", utf8_kana + "\xE3\x81", false},
      {"ascii", kEncodingIso2022Jp, "hello\x1Bx", "hello\x1Bx", false},
      {"jis on utf-8", kEncodingUtf8, jis, Sjis("亜ｱ"), true},
      {"jis in a url", kEncodingUtf8, "see " + jis + " now", "see " + Sjis("亜ｱ") + " now", true},
      {"jis and utf-8 together", kEncodingUtf8, jis + utf8_kana, DecodeUtf8(jis + utf8_kana), false},
      {"utf-8 on utf-8", kEncodingUtf8, utf8_kanji, "say " + Sjis("漢字") + "!", false},
      {"raw shift_jis on utf-8", kEncodingUtf8, raw_sjis, DecodeUtf8(raw_sjis), false},
      {"ascii on utf-8", kEncodingUtf8, "a\x1B" "b", "a\x1B" "b", false},
  };
  // A reused buffer holds the previous case's text, longer or shorter.
  std::string reused = "left over from a much longer earlier line of text";
  for (const TCase& c : cases) {
    bool foreign = !c.foreign;
    EXPECT_EQ((TWireEncoding{c.session, 0}.Decode(c.wire, &foreign)), c.expected) << c.what;
    EXPECT_EQ(foreign, c.foreign) << c.what;
    TWireEncoding{c.session, 0}.DecodeInto(c.wire, reused);
    EXPECT_EQ(reused, c.expected) << c.what << ", into a reused buffer";
  }
}

// Malformed UTF-8 is never read as UTF-8 on an ISO-2022-JP unit: its bytes
// are copied as they came.
TEST(WireEncodingTest, MalformedUtf8IsNeverReadAsUtf8) {
  const char* const malformed[] = {
      "\xC0\xAF",              // overlong «/»
      "\xC1\xBF",              // overlong, two bytes
      "\xE0\x80\xAF",          // overlong, three bytes
      "\xF0\x80\x80\xAF",      // overlong, four bytes
      "\xED\xA0\x80",          // surrogate U+D800
      "\xED\xBF\xBF",          // surrogate U+DFFF
      "\xF4\x90\x80\x80",      // U+110000
      "\xF5\x80\x80\x80",      // no such lead byte
      "\xE3\x81",              // cut off at the end
      "\xE3\x81" "a",          // cut off by ASCII
      "\xF0\x9F\x98",          // four-byte sequence cut off
      "\x81" "a",              // a lone trail byte
      "\xE3\x81\x82\xE3\x81",  // good, then cut off
      "\xFE\xFF",              // never in UTF-8
  };
  TWireEncoding jis{kEncodingIso2022Jp, 0};
  for (const char* wire : malformed) {
    EXPECT_FALSE(DetectEncoding(wire).utf8) << wire;
    EXPECT_EQ(jis.Decode(wire), wire);
  }
}

TEST(DetectEncodingTest, TellsDesignationEightBitAndWellFormedUtf8Apart) {
  struct TCase {
    std::string text;
    bool designation, eight_bit, utf8;
  };
  const TCase cases[] = {
      {"plain", false, false, false},
      {"\xC2\x80\xDF\xBF", false, true, true},             // two-byte bounds
      {"\xE0\xA0\x80\xEF\xBF\xBF", false, true, true},     // three-byte bounds
      {"\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", false, true, true},  // four-byte bounds, U+10FFFF
      {"\xEF\xBF\xBD", false, true, true},                 // U+FFFD itself is a character
      {"\xED\x9F\xBF\xEE\x80\x80", false, true, true},     // either side of the surrogates
      {"\x1B$B\x30\x21\x1B(B", true, false, false},
      {"\xE3\x81\x82\x1B(B", true, true, true},            // an escape after UTF-8 is still seen
      {"\x1B(J\xC3\xBD", true, true, true},
      {"\x80\x1B$", true, true, false},                     // a bad byte does not hide the escape
  };
  for (const TCase& c : cases) {
    TDetection found = DetectEncoding(c.text);
    EXPECT_EQ(found.designation, c.designation) << c.text;
    EXPECT_EQ(found.eight_bit, c.eight_bit) << c.text;
    EXPECT_EQ(found.utf8, c.utf8) << c.text;
  }
}

// A name that came in the other encoding goes back in its own bytes; one
// that also comes in the unit's encoding is the unit's again.
TEST(ForeignNamesTest, NamesFromTheOtherEncodingKeepTheirBytes) {
  const std::string jis_name = TWireEncoding{kEncodingIso2022Jp, 3}.Encode(Sjis("#日本"));
  TForeignNames names;
  TWireEncoding utf8{kEncodingUtf8, 0, &names};
  names.Note(Sjis("#日本"), jis_name, true);
  EXPECT_EQ(utf8.EncodeName(Sjis("#日本")), jis_name);
  EXPECT_EQ(utf8.EncodeParams(Sjis("#a,#日本 +o #日本")), "#a," + jis_name + " +o " + jis_name);
  EXPECT_EQ(utf8.Encode(Sjis("#日本")), EncodeUtf8(Sjis("#日本")));  // texts are always the unit's
  names.Note(Sjis("#日本"), EncodeUtf8(Sjis("#日本")), false);
  EXPECT_EQ(utf8.EncodeName(Sjis("#日本")), EncodeUtf8(Sjis("#日本")));

  // Case folds as on the server; ASCII names and unsafe bytes are not kept.
  names.Note(Sjis("#abc日本"), "#abc" + jis_name.substr(1), true);
  EXPECT_NE(names.Find(Sjis("#ABC日本")), nullptr);
  names.Note("#plain", "\x1B(B#plain", true);
  EXPECT_EQ(names.Find("#plain"), nullptr);
  const char* const unsafe[] = {"#\x1B(I,0", "#\x1B(I 0", "#\x1B(I\x7F", "#\x1B(I\r", ":\x1B(I1", ""};
  for (const char* wire : unsafe) {
    names.Note(Sjis("#ｱ"), wire, true);
    EXPECT_EQ(names.Find(Sjis("#ｱ")), nullptr) << wire;
  }
}

TEST(ForeignNamesTest, TheNamesSeenLongestAgoMakeRoom) {
  TForeignNames names;
  auto name = [](size_t i) { return Sjis("亜") + std::to_string(i); };
  for (size_t i = 0; i < TForeignNames::kCapacity; ++i) names.Note(name(i), "x" + std::to_string(i), true);
  names.Note(name(0), "x0", true);  // seen again: now the newest
  names.Note(name(TForeignNames::kCapacity), "new", true);
  EXPECT_NE(names.Find(name(0)), nullptr);
  EXPECT_EQ(names.Find(name(1)), nullptr);
  EXPECT_NE(names.Find(name(TForeignNames::kCapacity)), nullptr);
  EXPECT_NE(names.Find(name(TForeignNames::kCapacity - 1)), nullptr);
}

TEST(CharTypeTest, Cases) {
  const std::string text = "a" + Sjis("亜") + "\xB1\x88";  // a 亜 ｱ and a lead byte at the end
  const TCharType expected[] = {kSingleByte, kLeadByte, kTrailByte, kSingleByte, kSingleByte, kSingleByte};
  for (size_t i = 0; i < std::size(expected); ++i) EXPECT_EQ(CharType(text, i), expected[i]) << i;
  EXPECT_EQ(CharType("\x88 ", 1), kSingleByte);
  EXPECT_EQ(CharType("\x81\x81\x81\x81", 3), kTrailByte);
}

// Looking back must always agree with scanning from the start.
TEST(CharTypeTest, AgreesWithForwardScan) {
  const unsigned char alphabet[] = {0x20, 0x41, 0x7F, 0x81, 0x9F, 0xA1, 0xE0, 0xFC, 0xFD};
  const size_t n = std::size(alphabet);
  for (size_t combo = 0; combo < n * n * n * n * n; ++combo) {
    std::string text;
    for (size_t rest = combo; text.size() < 5; rest /= n) text.push_back(static_cast<char>(alphabet[rest % n]));
    for (size_t pos = 0; pos < text.size();) {
      size_t length = SjisCharLength(text, pos);
      ASSERT_EQ(CharType(text, pos), length == 2 ? kLeadByte : kSingleByte);
      if (length == 2) {
        ASSERT_EQ(CharType(text, pos + 1), kTrailByte);
      }
      pos += length;
    }
  }
}

}  // namespace
}  // namespace zeph
