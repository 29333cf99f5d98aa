#include <gtest/gtest.h>

#include <string>

#include "engine/encoding.h"
#include "engine/encoding_char_type.h"
#include "engine/encoding_detect.h"
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
  EXPECT_EQ(DetectEncoding("\xA0\x1Bx"), kDetectedEightBit);
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
