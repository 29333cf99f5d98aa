// Networks where some clients speak ISO-2022-JP and others UTF-8: each
// received text is read on its own bytes, and a name that came in the other
// encoding is still addressed as the server knows it.
#include <gtest/gtest.h>

#include "codec/encoding_utf8.h"
#include "platform/sjis.h"
#include "protocol/command_line.h"
#include "protocol/numeric_test_fixture.h"

namespace zeph {
namespace {

// Run once on an ISO-2022-JP unit and once on a UTF-8 unit.
class MixedEncodingTest : public test::NumericTest, public testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    config_.encoding = GetParam();
    // 8-bit kana after ESC ( J: «ﾃｽ» goes out as bytes that are UTF-8 too.
    prefs_.KanaEncodingMethod = 1;
    config_.channels = {NewChannelConfig("#c", false), NewChannelConfig(Sjis("#ﾃｽ"), false),
                        NewChannelConfig(Sjis("#日本"), false)};
    LogIn();
    ASSERT_EQ(unit_->SessionEncoding(), GetParam());
    Receive(":me!u@h JOIN :#c");
    Sent();
  }
  TChannel& C() { return *unit_->FindChannel("#c"); }
  std::string LastLine(const TChannel& channel) const { return channel.Log().At(channel.Log().Count() - 1).text; }
  std::string Line(const std::string& body) const { return formats_.FormatTime(world_->Now()) + body; }
  // A text in the unit's own encoding, and in the other one.
  std::string Own(const std::string& utf8_source) const { return unit_->Encode(Sjis(utf8_source)); }
  std::string Other(const std::string& utf8_source) const {
    const std::string text = Sjis(utf8_source);
    return GetParam() == kEncodingUtf8 ? TWireEncoding{kEncodingIso2022Jp, 3}.Encode(text) : EncodeUtf8(text);
  }
};

INSTANTIATE_TEST_SUITE_P(BothUnits, MixedEncodingTest, testing::Values(kEncodingIso2022Jp, kEncodingUtf8),
                         [](const testing::TestParamInfo<int>& info) {
                           return info.param == kEncodingUtf8 ? "Utf8Unit" : "JisUnit";
                         });

TEST_P(MixedEncodingTest, NickAndMessageAreEachReadOnTheirOwnBytes) {
  Receive(":" + Other("太郎") + "!u@h PRIVMSG #c :" + Own("こんにちは"));
  EXPECT_EQ(LastLine(C()), Line(Sjis("(太郎) こんにちは")));
  Receive(":" + Own("花子") + "!u@h PRIVMSG #c :" + Other("やあ、") + " ok");
  EXPECT_EQ(LastLine(C()), Line(Sjis("(花子) やあ、 ok")));
}

TEST_P(MixedEncodingTest, ConfiguredChannelsAreFoundFromTheirJoinEcho) {
  for (const char* name : {"#ﾃｽ", "#日本"}) {
    Receive(":me!u@h JOIN :" + Own(name));
    ASSERT_TRUE(unit_->FindChannel(Sjis(name))->joined) << name;
  }
  EXPECT_EQ(unit_->Channels().size(), 3u);
}

TEST_P(MixedEncodingTest, AChannelNamedInTheOtherEncodingIsAddressedByItsBytes) {
  const std::string wire = Other("#漢字");
  const std::string nick = Other("太郎");
  Receive(":me!u@h JOIN :" + wire + "\n:" + nick + "!u@h JOIN :" + wire + "\n:bob!u@h PRIVMSG " + wire + " :hi");
  TChannel* channel = unit_->FindChannel(Sjis("#漢字"));
  ASSERT_NE(channel, nullptr);
  EXPECT_TRUE(channel->joined);
  EXPECT_NE(channel->members.FindMember(Sjis("太郎")), nullptr);
  EXPECT_EQ(LastLine(*channel), Line("(bob) hi"));

  // Names go back in the server's bytes; what we say, in the unit's encoding.
  ASSERT_TRUE(SubmitInput(*unit_, channel, Sjis("やあ"), false, false, true));
  EXPECT_TRUE(SentIs({"PRIVMSG " + wire + " :" + Own("やあ")}));
  ExecuteCommandLine(*unit_, "msg " + Sjis("太郎") + " " + Sjis("やあ"), false);
  EXPECT_TRUE(SentIs({"PRIVMSG " + nick + " :" + Own("やあ")}));
  ExecuteCommandLine(*unit_, "mode " + Sjis("#漢字") + " +o " + Sjis("太郎"), false);
  EXPECT_TRUE(SentIs({"MODE " + wire + " +o " + nick}));

  Receive(":me!u@h PART " + wire + " :bye");
  EXPECT_FALSE(channel->joined);
}

// The server may hold «#日本» in both encodings: ours stays ours.
TEST_P(MixedEncodingTest, ATwinInTheOtherEncodingDoesNotTakeOverAConfiguredChannel) {
  Receive(":me!u@h JOIN :" + Own("#日本") + "\n:srv 322 me " + Other("#日本") + " 5 :the other one");
  ASSERT_TRUE(SubmitInput(*unit_, unit_->FindChannel(Sjis("#日本")), "hi", false, false, true));
  EXPECT_TRUE(SentIs({"PRIVMSG " + Own("#日本") + " :hi"}));
}

TEST_P(MixedEncodingTest, TheNamesListReadsEachNickOnItsOwn) {
  Receive(":srv 353 me = #c :@" + Other("太郎") + " " + Own("花子") + " +bob");
  ASSERT_NE(C().members.FindMember(Sjis("太郎")), nullptr);
  EXPECT_TRUE(C().members.FindMember(Sjis("太郎"))->is_operator);
  EXPECT_NE(C().members.FindMember(Sjis("花子")), nullptr);
  EXPECT_TRUE(C().members.FindMember("bob")->has_voice);
  // The same person leaving is the same member.
  Receive(":" + Other("太郎") + "!u@h PART #c :bye");
  EXPECT_EQ(C().members.FindMember(Sjis("太郎")), nullptr);
}

}  // namespace
}  // namespace zeph
