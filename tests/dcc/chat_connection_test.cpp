#include "dcc/chat_connection.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>

#include "platform/poll_loop.h"
#include "platform/sjis.h"
#include "support/loopback_peer.h"

namespace zeph {
namespace {

constexpr uint32_t kLoopback = 0x7F000001;

// A chat talk as far as the connection tells it things.
class TTalk : public TChatConnectionListener {
 public:
  explicit TTalk(TPollLoop& loop) : chat(loop, *this) {}

  void OnChatNotice(bool error, const std::string& text) override {
    (error ? errors : notices).push_back(text);
  }
  void OnChatOffer(const TDccChat& offer) override { offers.push_back(offer); }
  void OnChatConnected() override { ++connected; }
  void OnChatLine(const std::string& text) override { lines.push_back(text); }
  void OnChatClosed() override { ++closed; }

  TChatConnection chat;
  std::vector<std::string> notices;
  std::vector<std::string> errors;
  std::vector<TDccChat> offers;
  std::vector<std::string> lines;
  int connected = 0;
  int closed = 0;
};

class ChatConnectionTest : public ::testing::Test {
 protected:
  TPortRange Range() {
    int first = test::FreeLoopbackPort();
    return {first, first + 20};
  }

  TPollLoop loop_;
  TPortAllocator ports_;
};

TEST_F(ChatConnectionTest, BothSidesExchangeLinesUntilOneCloses) {
  TTalk offering(loop_);
  TTalk answering(loop_);
  offering.chat.Offer(ports_, Range(), htonl(kLoopback));
  ASSERT_EQ(offering.offers.size(), 1u);
  int port = offering.offers[0].port;
  EXPECT_EQ(offering.offers[0].address, kLoopback);
  EXPECT_EQ(offering.notices, (std::vector<std::string>{Sjis("サーバの準備を始めます"),
                                                        Sjis("ポート") + std::to_string(port) + Sjis("を確保しました"),
                                                        Sjis("チャットの要求を送信します")}));
  EXPECT_EQ(offering.chat.State(), TChatState::Listening);

  answering.chat.Connect(kLoopback, port);
  EXPECT_EQ(answering.notices[0], Sjis("127.0.0.1:") + std::to_string(port) + Sjis("へ接続を試みます"));
  ASSERT_TRUE(loop_.RunUntil([&] { return offering.connected == 1 && answering.connected == 1; }));
  EXPECT_EQ(offering.notices.back(), Sjis("接続しました"));
  EXPECT_EQ(answering.notices.back(), Sjis("接続しました"));

  EXPECT_TRUE(answering.chat.SendLine(Sjis("こんにちは")));
  EXPECT_TRUE(offering.chat.SendLine("hi"));
  EXPECT_TRUE(offering.chat.SendLine(""));
  ASSERT_TRUE(loop_.RunUntil([&] { return offering.lines.size() == 1 && answering.lines.size() == 2; }));
  EXPECT_EQ(offering.lines[0], Sjis("こんにちは"));
  EXPECT_EQ(answering.lines, (std::vector<std::string>{"hi", ""}));

  offering.chat.Close();
  EXPECT_FALSE(offering.chat.SendLine("lost"));
  ASSERT_TRUE(loop_.RunUntil([&] { return answering.closed == 1; }));
  EXPECT_EQ(answering.notices.back(), Sjis("切断されました"));
  EXPECT_EQ(answering.chat.State(), TChatState::Disconnected);
  EXPECT_TRUE(answering.errors.empty());
}

// With adaptive selection our lines follow the peer's encoding once one
// of its lines showed it; before that they go in the unit's.
TEST_F(ChatConnectionTest, AdaptiveEncodingFollowsThePeer) {
  test::TLoopbackPeer peer(loop_);
  TTalk talk(loop_);
  talk.chat.SetEncoding(true, TWireEncoding{});
  talk.chat.Connect(kLoopback, peer.Port());
  ASSERT_TRUE(peer.WaitForClient());
  ASSERT_TRUE(loop_.RunUntil([&] { return talk.connected == 1; }));
  talk.chat.SendLine(Sjis("日本"));
  ASSERT_TRUE(peer.WaitFor("\n"));
  EXPECT_EQ(peer.Received(), "\x1B$BF|K\\\x1B(B\n");
  peer.ClearReceived();

  peer.Send("\xE6\x97\xA5\xE6\x9C\xAC\r\n");
  ASSERT_TRUE(loop_.RunUntil([&] { return talk.lines.size() == 1; }));
  EXPECT_EQ(talk.lines[0], Sjis("日本"));
  EXPECT_EQ(talk.chat.PeerEncoding(), TPeerEncoding::Utf8);
  talk.chat.SendLine(Sjis("日本"));
  ASSERT_TRUE(peer.WaitFor("\n"));
  EXPECT_EQ(peer.Received(), "\xE6\x97\xA5\xE6\x9C\xAC\n");
}

TEST_F(ChatConnectionTest, ALineLongerThanTheCapIsDroppedAndTheNextOneRead) {
  test::TLoopbackPeer peer(loop_);
  TTalk talk(loop_);
  talk.chat.Connect(kLoopback, peer.Port());
  ASSERT_TRUE(peer.WaitForClient());
  peer.Send(std::string(kMaxChatLineBytes + 10, 'x') + "\nafter\n");
  ASSERT_TRUE(loop_.RunUntil([&] { return !talk.lines.empty(); }));
  EXPECT_EQ(talk.lines, std::vector<std::string>{"after"});
}

TEST_F(ChatConnectionTest, FailuresBecomeErrorLines) {
  TTalk refused(loop_);
  refused.chat.Connect(kLoopback, test::FreeLoopbackPort());
  ASSERT_TRUE(loop_.RunUntil([&] { return refused.closed == 1; }));
  EXPECT_EQ(refused.errors.size(), 1u);
  EXPECT_EQ(refused.chat.State(), TChatState::Disconnected);

  TTalk holder(loop_);
  TPortRange one = Range();
  one.end = one.start;
  holder.chat.Offer(ports_, one, htonl(kLoopback));
  ASSERT_EQ(holder.chat.State(), TChatState::Listening);
  TTalk busy(loop_);
  busy.chat.Offer(ports_, one, htonl(kLoopback));
  EXPECT_EQ(busy.errors, std::vector<std::string>{Sjis("空きポートがありません")});
  EXPECT_TRUE(busy.offers.empty());
  EXPECT_EQ(busy.closed, 1);
}

}  // namespace
}  // namespace zeph
