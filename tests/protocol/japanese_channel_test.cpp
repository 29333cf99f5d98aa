// Channels with Japanese names from end to end, in both wire encodings:
// the bytes of JOIN, PRIVMSG and PART, the server's echo finding the
// configured channel, and the auto-join lines cut by their wire length.
#include <gtest/gtest.h>

#include "engine/encoding.h"
#include "incoming_fixture.h"
#include "platform/sjis.h"
#include "protocol/command_line.h"

namespace zeph {
namespace {

using Lines = std::vector<std::string>;

struct TWireCase {
  const char* name;
  int encoding;
  std::string nihongo;     // «#日本語»
  std::string nihon_long;  // «#日本:*.jp», the wire form of «%日本»
  std::string hello;       // «こんにちは»
};

const TWireCase kWireCases[] = {
    {"iso2022jp", kEncodingIso2022Jp, "#\x1B$BF|K\\8l\x1B(B", "#\x1B$BF|K\\\x1B(B:*.jp",
     "\x1B$B$3$s$K$A$O\x1B(B"},
    {"utf8", kEncodingUtf8, "#\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E", "#\xE6\x97\xA5\xE6\x9C\xAC:*.jp",
     "\xE3\x81\x93\xE3\x82\x93\xE3\x81\xAB\xE3\x81\xA1\xE3\x81\xAF"},
};

void PrintTo(const TWireCase& wire, std::ostream* out) { *out << wire.name; }

class JapaneseChannelTest : public test::IncomingTest, public testing::WithParamInterface<TWireCase> {
 protected:
  JapaneseChannelTest() { config_.encoding = GetParam().encoding; }
  // What the server received once the flood budget has let everything out.
  Lines Drain() {
    Tick(30);
    return Sent();
  }
};

TEST_P(JapaneseChannelTest, JoinTalkAndPartOnTheWire) {
  const TWireCase& wire = GetParam();
  config_.channels = {NewChannelConfig(Sjis("#日本語"), true), NewChannelConfig(Sjis("%日本"), true)};
  LogIn();
  EXPECT_EQ(Drain(), (Lines{"NICK me", "USER uname 8 * :Full Name", "JOIN " + wire.nihongo + "," + wire.nihon_long}));

  // The echoes find the configured channels; none is added.
  Receive(":me!u@h JOIN :" + wire.nihongo + "\n:me!u@h JOIN :" + wire.nihon_long);
  ASSERT_EQ(unit_->Channels().size(), 2u);
  TChannel& nihongo = *unit_->FindChannel(Sjis("#日本語"));
  TChannel& nihon = *unit_->FindChannel(Sjis("%日本"));
  EXPECT_TRUE(nihongo.IsJoined());
  EXPECT_TRUE(nihon.IsJoined());

  Receive(":bob!b@h PRIVMSG " + wire.nihongo + " :" + wire.hello + "\n:bob!b@h PRIVMSG " + wire.nihon_long + " :" +
          wire.hello);
  EXPECT_EQ(Texts(nihongo.Log()).back(), kTimePiece + Sjis("(bob) こんにちは"));
  EXPECT_EQ(Texts(nihon.Log()).back(), kTimePiece + Sjis("(bob) こんにちは"));

  ASSERT_TRUE(SubmitInput(*unit_, &nihongo, Sjis("こんにちは"), false, false, true));
  ASSERT_TRUE(SubmitInput(*unit_, &nihon, Sjis("こんにちは"), false, false, true));
  ExecuteCommandLine(*unit_, Sjis("part #日本語 bye"), false);
  EXPECT_EQ(Drain(), (Lines{"PRIVMSG " + wire.nihongo + " :" + wire.hello, "PRIVMSG " + wire.nihon_long + " :" +
                                                                             wire.hello,
                            "PART " + wire.nihongo + " :bye"}));
}

TEST_P(JapaneseChannelTest, PartEchoLeavesTheConfiguredChannel) {
  const TWireCase& wire = GetParam();
  config_.channels = {NewChannelConfig(Sjis("%日本"), false)};
  LogIn();
  Receive(":me!u@h JOIN :" + wire.nihon_long + "\n:me!u@h PART " + wire.nihon_long + " :bye");
  ASSERT_EQ(unit_->Channels().size(), 1u);
  EXPECT_FALSE(unit_->Channels().front()->IsJoined());
  EXPECT_EQ(Texts(unit_->Channels().front()->Log()).back(), kTimePiece + Sjis("チャンネルを出ました"));
}

// Twenty channels of «#» and ten kanji: 27 bytes each in ISO-2022-JP (the
// kanji and two escapes), 31 in UTF-8, 21 inside. A JOIN takes what fits
// in 480 wire bytes with the commas: 17 or 15 names, not the 21 that the
// internal length would allow. (Counting commas would not tell: a kanji
// may hold the byte of one in ISO-2022-JP.)
TEST_P(JapaneseChannelTest, AutoJoinLinesAreCutByTheirWireLength) {
  const char* const last[] = {"甲", "乙", "丙", "丁", "戊", "己", "庚", "辛", "壬", "癸",
                              "子", "丑", "寅", "卯", "辰", "巳", "午", "未", "申", "酉"};
  for (const char* kanji : last)
    config_.channels.push_back(NewChannelConfig(Sjis("#漢字のチャンネル名") + Sjis(kanji), true));
  LogIn();
  Lines sent = Drain();
  ASSERT_EQ(sent.size(), 4u);
  std::vector<size_t> sizes;
  for (size_t i = 2; i < sent.size(); ++i) {
    EXPECT_EQ(sent[i].rfind("JOIN #", 0), 0u) << sent[i];
    sizes.push_back(sent[i].size());
  }
  // "JOIN " and the names: 17 × 27 + 16 and 3 × 27 + 2; 15 × 31 + 14 and
  // 5 × 31 + 4.
  EXPECT_EQ(sizes, (GetParam().encoding == kEncodingUtf8 ? std::vector<size_t>{484, 164}
                                                          : std::vector<size_t>{480, 88}));
}

INSTANTIATE_TEST_SUITE_P(Encodings, JapaneseChannelTest, testing::ValuesIn(kWireCases),
                         [](const testing::TestParamInfo<TWireCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zeph
