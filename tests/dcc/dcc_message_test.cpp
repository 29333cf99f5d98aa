#include "dcc/dcc_message.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/sjis.h"

namespace zeph {
namespace {

constexpr uint32_t k192_168_0_1 = 3232235521;
constexpr int64_t kFiveGiB = int64_t{5} << 30;

TDccSend SendOf(const std::string& argument) {
  TDccQuery query = ParseDccQuery(argument);
  EXPECT_TRUE(std::holds_alternative<TDccSend>(query)) << argument;
  return std::holds_alternative<TDccSend>(query) ? std::get<TDccSend>(query) : TDccSend{};
}

TEST(DccSendParse, OffersAsPeersWriteThem) {
  struct Case {
    std::string argument;
    TDccSend expected;
  } cases[] = {
      {"SEND a.txt 3232235521 1100 1000", {"a.txt", k192_168_0_1, 1100, 1000, 0}},
      {"send  a.txt   3232235521  1100 1000 ", {"a.txt", k192_168_0_1, 1100, 1000, 0}},
      // The extended form: the exact name follows the protocol number.
      {"SEND a_b.txt 3232235521 1100 10 2 :a b.txt", {"a b.txt", k192_168_0_1, 1100, 10, 2}},
      {"SEND a_b.txt 3232235521 1100 10 2 :a b.txt   ", {"a b.txt", k192_168_0_1, 1100, 10, 2}},
      {"SEND a_b.txt 3232235521 1100 10 2 ::colon", {":colon", k192_168_0_1, 1100, 10, 2}},
      {"SEND a_b.txt 3232235521 1100 10 2 no colon", {"no colon", k192_168_0_1, 1100, 10, 2}},
      {"SEND a_b.txt 3232235521 1100 10 2 :", {"a_b.txt", k192_168_0_1, 1100, 10, 2}},
      {"SEND a_b.txt 3232235521 1100 10 2", {"a_b.txt", k192_168_0_1, 1100, 10, 2}},
      // Only protocol 2 has an exact name; other numbers keep the word.
      {"SEND a_b.txt 3232235521 1100 10 1 :a b.txt", {"a_b.txt", k192_168_0_1, 1100, 10, 1}},
      // A quoted name is one name.
      {"SEND \"a b.txt\" 3232235521 1100 1000", {"a b.txt", k192_168_0_1, 1100, 1000, 0}},
      {"SEND \"\" 3232235521 1100 1000", {"", k192_168_0_1, 1100, 1000, 0}},
      {"SEND \"a b.txt 3232235521 1100 1000", {"_a", 0, 0, 1100, 1000}},
      {"SEND a\"b.txt 3232235521 1100 1000", {"a_b.txt", k192_168_0_1, 1100, 1000, 0}},
      // Sizes are 64-bit; malformed numbers read as 0.
      {"SEND big.iso 3232235521 1100 5368709120", {"big.iso", k192_168_0_1, 1100, kFiveGiB, 0}},
      {"SEND a 4294967296 1100 -5", {"a", 0, 1100, -5, 0}},
      {"SEND a -1 +1100 12x", {"a", 0, 0, 0, 0}},
      {"SEND a 3232235521 99999999999 9223372036854775808", {"a", k192_168_0_1, 0, 0, 0}},
      {"SEND a 192.168.0.1 1100 10", {"a", 0, 1100, 10, 0}},
      {"SEND", {"", 0, 0, 0, 0}},
      // Control bytes never survive into a name.
      {"SEND a\tb\x02.txt 1 2 3", {"a_b_.txt", 1, 2, 3, 0}},
      {Sjis("SEND 表ソ能.txt 1 2 3"), {Sjis("表ソ能.txt"), 1, 2, 3, 0}},
  };
  for (const Case& c : cases) EXPECT_EQ(SendOf(c.argument), c.expected) << c.argument;
}

TEST(DccSendCompose, OurOffersFollowTheProtocolSetting) {
  uint32_t own = htonl(k192_168_0_1);
  EXPECT_EQ(DccQueryText(FileOffer("my file.txt", own, 1100, 1000, true)),
            "DCC SEND my_file.txt 3232235521 1100 1000 2 :my file.txt");
  EXPECT_EQ(DccQueryText(FileOffer("my file.txt", own, 1100, 1000, false)),
            "DCC SEND my_file.txt 3232235521 1100 1000");
  EXPECT_EQ(DccQueryText(FileOffer("big.iso", own, 1100, kFiveGiB, false)),
            "DCC SEND big.iso 3232235521 1100 5368709120");
  // An unknown own address goes out as it is.
  EXPECT_EQ(DccQueryText(FileOffer("a", 0xFFFFFFFF, 1096, 1, false)), "DCC SEND a 4294967295 1096 1");
  // A file name may hold anything the file system allows; nothing of it
  // may end the CTCP message or the line, or open a quoted name.
  EXPECT_EQ(DccQueryText(FileOffer("\"x\"\x01\r\n.txt", own, 1100, 1, true)),
            "DCC SEND _x____.txt 3232235521 1100 1 2 :_x____.txt");
  EXPECT_EQ(DccQueryText(FileOffer(Sjis("表 ソ.txt"), own, 1100, 1, false)),
            Sjis("DCC SEND 表_ソ.txt 3232235521 1100 1"));
}

// Whatever a peer sent, what we write of it reads back the same.
TEST(DccQueryText, ParsedMessagesReadBackUnchanged) {
  struct Case {
    const char* argument;
    const char* text;
  } cases[] = {
      {"SEND \"a b.txt\" 1 2 3", "DCC SEND \"a b.txt\" 1 2 3"},
      {"SEND \"a\" 1 2 3", "DCC SEND a 1 2 3"},
      {"SEND \"\" 1 2 3 2", "DCC SEND \"\" 1 2 3 2 :"},
      {"SEND a_b 1 2 3 2 : a b", "DCC SEND _a_b 1 2 3 2 : a b"},
      {"SEND a 1 2 3 7 :x", "DCC SEND a 1 2 3 7"},
      {"SEND a 1 2 3 0", "DCC SEND a 1 2 3"},
      {"CHAT chat 2130706433 1196", "DCC CHAT chat 2130706433 1196"},
      {"CHAT", "DCC CHAT chat 0 0"},
      {"RESUME file.ext 1100 900", "DCC RESUME file.ext 1100 900"},
      {"resume \"my file.txt\" 1100 5368709120", "DCC RESUME \"my file.txt\" 1100 5368709120"},
      {"ACCEPT file.ext 1100 900", "DCC ACCEPT file.ext 1100 900"},
      {"accept", "DCC ACCEPT \"\" 0 0"},
      {"xmit a b c", "DCC XMIT"},
      {"", "DCC"},
  };
  for (const Case& c : cases) {
    TDccQuery query = ParseDccQuery(c.argument);
    std::string text = DccQueryText(query);
    EXPECT_EQ(text, c.text) << c.argument;
    EXPECT_EQ(ParseDccQuery(std::string_view(text).substr(3)), query) << c.argument;
  }
}

TEST(DccResume, TheHandshakeEchoesTheRequestersWord) {
  TDccResume request = ResumeRequest(1100, 900);
  EXPECT_EQ(DccQueryText(request), "DCC RESUME file.ext 1100 900");
  TDccQuery received = ParseDccQuery("RESUME \"my file.txt\" 1100 900");
  ASSERT_TRUE(std::holds_alternative<TDccResume>(received));
  EXPECT_EQ(DccQueryText(AcceptReply(std::get<TDccResume>(received))), "DCC ACCEPT \"my file.txt\" 1100 900");
}

TEST(DccOther, OnlyTheCommandIsKeptUpperCasedByCharacter) {
  // 0x83 0x61 is one double-byte character whose second byte is "a".
  std::string odd = "\x83\x61x";
  EXPECT_EQ(ParseDccQuery("xmit a b"), TDccQuery(TDccOther{"XMIT"}));
  EXPECT_EQ(ParseDccQuery(odd + " a"), TDccQuery(TDccOther{"\x83\x61X"}));
}

TEST(DccAddresses, WireAddressesAreInHostByteOrder) {
  EXPECT_EQ(WireAddress(htonl(k192_168_0_1)), k192_168_0_1);
  EXPECT_EQ(NetworkAddress(k192_168_0_1), htonl(k192_168_0_1));
  TDccChat chat = ChatOffer(htonl(0x7F000001), 1196);
  EXPECT_EQ(DccQueryText(chat), "DCC CHAT chat 2130706433 1196");
}

}  // namespace
}  // namespace zeph
