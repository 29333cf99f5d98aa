#include "dcc/chat_codec.h"

#include <gtest/gtest.h>

#include <string>

#include "net/byte_buffer.h"
#include "codec/encoding_jis.h"
#include "codec/encoding_utf8.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

const std::string kJisA = "\x1B$B$\"\x1B(B";  // あ in ISO-2022-JP
const std::string kUtf8A = "\xE3\x81\x82";     // あ in UTF-8

TWireEncoding Unit(int encoding, int kana_method = 0) {
  TWireEncoding unit;
  unit.session_encoding = encoding;
  unit.kana_method = kana_method;
  return unit;
}

TEST(ChatCodec, AdaptiveChatsAnswerInThePeersEncoding) {
  TWireEncoding unit = Unit(kEncodingIso2022Jp);
  TChatCodec chat;
  // Before the peer has written, the unit's encoding.
  EXPECT_EQ(chat.EncodeLine(Sjis("あ"), true, unit), kJisA + "\n");

  EXPECT_EQ(chat.DecodeLine(kUtf8A, true, unit), Sjis("あ"));
  EXPECT_EQ(chat.Peer(), TPeerEncoding::Utf8);
  EXPECT_EQ(chat.EncodeLine(Sjis("あ"), true, unit), kUtf8A + "\n");

  // A 7-bit line shows no encoding and changes nothing.
  EXPECT_EQ(chat.DecodeLine("ok", true, unit), "ok");
  EXPECT_EQ(chat.Peer(), TPeerEncoding::Utf8);

  EXPECT_EQ(chat.DecodeLine(kJisA, true, unit), Sjis("あ"));
  EXPECT_EQ(chat.Peer(), TPeerEncoding::Iso2022Jp);
  EXPECT_EQ(chat.EncodeLine(Sjis("あ"), true, Unit(kEncodingUtf8)), kJisA + "\n");

  // Raw Shift_JIS from an older client is copied through, not garbled as
  // UTF-8, and answered in ISO-2022-JP.
  TChatCodec old_client;
  EXPECT_EQ(old_client.DecodeLine(Sjis("あ"), true, Unit(kEncodingUtf8)), Sjis("あ"));
  EXPECT_EQ(old_client.Peer(), TPeerEncoding::Iso2022Jp);
}

TEST(ChatCodec, AnsweringInIso2022JpFollowsTheKanaSetting) {
  TChatCodec chat;
  chat.DecodeLine(kJisA, true, Unit(kEncodingUtf8));
  std::string kana = Sjis("ｶﾞ");
  EXPECT_EQ(chat.EncodeLine(kana, true, Unit(kEncodingUtf8, 0)), EncodeJis(Sjis("ガ"), TKanaMode::KanaSet) + "\n");
  EXPECT_EQ(chat.EncodeLine(kana, true, Unit(kEncodingUtf8, 2)), "\x1B(J\x0E\x36\x5E\x0F\x1B(B\n");
}

TEST(ChatCodec, WithoutAdaptionTheUnitsEncodingServesBothWays) {
  TChatCodec chat;
  TWireEncoding unit = Unit(kEncodingUtf8);
  EXPECT_EQ(chat.DecodeLine(kJisA, false, unit), Sjis("あ"));
  EXPECT_EQ(chat.Peer(), TPeerEncoding::Unknown);
  EXPECT_EQ(chat.EncodeLine(Sjis("あ"), false, unit), kUtf8A + "\n");
}

TEST(ChatCodec, AnOwnLineIsCutToTheLineLimitBetweenCharacters) {
  TChatCodec chat;
  std::string text;
  for (int i = 0; i < 40000; ++i) text += Sjis("あ");  // 120000 bytes of UTF-8
  std::string line = chat.EncodeLine("x" + text, false, Unit(kEncodingUtf8));
  EXPECT_LE(line.size(), kMaxChatLineBytes);
  EXPECT_GT(line.size(), kMaxChatLineBytes - 4);
  EXPECT_EQ(line.back(), '\n');
  EXPECT_EQ(DecodeUtf8(line.substr(0, line.size() - 1)).find(Sjis("〓")), std::string::npos);

  std::string jis = chat.EncodeLine(text, false, Unit(kEncodingIso2022Jp));
  EXPECT_LE(jis.size(), kMaxChatLineBytes);
  EXPECT_TRUE(jis.ends_with("\x1B(B\n"));

  // The peer's line reader takes the longest line whole.
  TByteBuffer reader;
  ASSERT_EQ(reader.Append(line.data(), static_cast<int>(line.size())), static_cast<int>(line.size()));
  EXPECT_EQ(reader.ReadLine(), line.substr(0, line.size() - 1));

  std::string short_line(100, 'a');
  EXPECT_EQ(chat.EncodeLine(short_line, false, Unit(kEncodingUtf8)), short_line + "\n");
}

}  // namespace
}  // namespace zeph
