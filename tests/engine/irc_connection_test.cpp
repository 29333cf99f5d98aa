#include "engine/irc_connection.h"

#include <gtest/gtest.h>

#include "net/byte_buffer.h"
#include "support/loopback_peer.h"

namespace zeph {
namespace {

using test::TLoopbackPeer;

class TOwner : public TIrcConnectionListener {
 public:
  std::vector<std::string> events;
  std::vector<std::string> sent;
  std::vector<TIrcMessage> messages;
  std::function<void()> on_connected;
  std::function<void(TIrcMessage&)> on_message;

  void OnConnected() override {
    events.push_back("connected");
    if (on_connected) on_connected();
  }
  void OnClosed() override { events.push_back("closed"); }
  void OnResolved() override { events.push_back("resolved"); }
  void OnMessage(TIrcMessage& m) override {
    messages.push_back(m);
    if (on_message) on_message(m);
  }
  void OnSent(TOutgoingMessage& m) override { sent.push_back(m.line); }
  void OnError(const std::string& text) override { events.push_back("error"); }
  void OnLineDropped() override { events.push_back("dropped"); }
};

TOutgoingMessage Message(const std::string& command, const std::string& middle, const std::string& trailing,
                         int penalty) {
  TOutgoingMessage m;
  m.command = command;
  m.middle = middle;
  m.trailing = trailing;
  m.penalty = penalty;
  return m;
}

// A PRIVMSG line of exactly `length` bytes with CR LF.
TOutgoingMessage Privmsg(size_t length, char fill = 'x') {
  return Message("PRIVMSG", "#a", ":" + std::string(length - 14, fill), 2);
}

class IrcConnectionTest : public testing::Test {
 protected:
  TPollLoop loop_;  // manual clock: the budget returns only when a test advances it
  TLoopbackPeer server_{loop_};
  TOwner owner_;
  TIrcConnection connection_{loop_};

  void SetUp() override {
    connection_.SetOwner(&owner_);
    connection_.Socket().SetTarget("127.0.0.1", server_.Port());
    connection_.Connect();
    ASSERT_TRUE(loop_.RunUntil([&] { return connection_.IsConnected() && server_.HasClient(); }));
  }
  int Lines() const {
    const std::string& r = server_.Received();
    return static_cast<int>(std::count(r.begin(), r.end(), '\n'));
  }
  void Settle() { ASSERT_TRUE(server_.Sync()); }
  void Tick(int seconds = 1) {
    loop_.Advance(1000 * seconds);
    Settle();
  }
};

TEST_F(IrcConnectionTest, PenaltyBudgetLetsABurstThroughThenPaces) {
  for (int i = 0; i < 7; ++i) connection_.Enqueue(Privmsg(50), 0);
  Settle();
  EXPECT_EQ(Lines(), 6);  // the sixth starts at a sum of exactly 10
  EXPECT_EQ(connection_.PenaltySum(), 12);
  EXPECT_EQ(connection_.BytesInFlight(), 300);
  Tick();
  EXPECT_EQ(Lines(), 6);
  Tick();
  EXPECT_EQ(Lines(), 7);
  EXPECT_EQ(owner_.sent.size(), 7u);
}

TEST_F(IrcConnectionTest, BytesInFlightBoundStopsTheFlowUntilTheHeadExpires) {
  for (int i = 0; i < 5; ++i) connection_.Enqueue(Message("PONG", "", ":" + std::string(192, 'p'), 1), 0);
  Settle();
  EXPECT_EQ(Lines(), 4);  // 600 bytes in flight still allow one more start
  EXPECT_EQ(connection_.BytesInFlight(), 800);
  EXPECT_EQ(connection_.PenaltySum(), 4);
  Tick();
  EXPECT_EQ(Lines(), 5);
}

TEST_F(IrcConnectionTest, OnlyTheHeadOfTheSentListAges) {
  connection_.Enqueue(Message("PONG", "", ":" + std::string(292, 'a'), 5), 0);  // 300 bytes, 5 s
  connection_.Enqueue(Message("PONG", "", ":" + std::string(292, 'b'), 1), 0);  // 300 bytes, 1 s
  connection_.Enqueue(Message("PONG", "", ":" + std::string(92, 'c'), 1), 0);   // 100 bytes
  connection_.Enqueue(Message("PONG", "", ":d", 1), 0);
  Settle();
  EXPECT_EQ(Lines(), 3);
  Tick(4);
  EXPECT_EQ(Lines(), 3);  // the second entry has not aged while the first lives
  Tick();
  EXPECT_EQ(Lines(), 4);
}

TEST_F(IrcConnectionTest, HighPriorityGoesFirstButNotBeforeAPartlyWrittenLine) {
  // Fill the socket so that the next line is written only partly.
  server_.SetReading(false);
  std::string filler(1 << 16, 'f');
  TStreamSocket& raw = connection_.Socket();
  long filled = 0;
  for (int sent; (sent = raw.Send(filler.data(), static_cast<int>(filler.size()))) > 0;) filled += sent;
  connection_.Enqueue(Message("PRIVMSG", "#a", ":partly", 2), 0);
  connection_.Enqueue(Message("PRIVMSG", "#a", ":normal", 2), 0);
  connection_.Enqueue(Message("PONG", "", ":irc.test", 1), 1);
  EXPECT_TRUE(connection_.IsSending());
  server_.SetReading(true);
  ASSERT_TRUE(server_.WaitFor("normal\r\n"));
  std::string tail = server_.Received().substr(static_cast<size_t>(filled));
  EXPECT_EQ(tail, "PRIVMSG #a :partly\r\nPONG :irc.test\r\nPRIVMSG #a :normal\r\n");
}

TEST_F(IrcConnectionTest, DropPendingKeepsOnlyTheUrgent) {
  for (int i = 0; i < 6; ++i) connection_.Enqueue(Privmsg(50), 0);  // budget spent
  connection_.Enqueue(Message("PRIVMSG", "#a", ":normal", 2), 0);
  connection_.Enqueue(Message("PRIVMSG", "#a", ":low", 2), -1);
  connection_.Enqueue(Message("QUIT", "", ":bye", 2), 1);
  connection_.DropPending();
  Tick(10);
  EXPECT_TRUE(server_.WaitFor("QUIT :bye\r\n"));
  Tick(10);
  EXPECT_EQ(server_.Received().find("normal"), std::string::npos);
  EXPECT_EQ(server_.Received().find("low"), std::string::npos);
}

TOutgoingMessage Automatic(TOutgoingMessage message, TAutomatic automatic) {
  message.automatic = automatic;
  return message;
}

TEST_F(IrcConnectionTest, OnlyTheNewestPongWaits) {
  for (int i = 0; i < 6; ++i) connection_.Enqueue(Privmsg(50), 0);  // budget spent
  for (int i = 0; i < 1000; ++i)
    connection_.Enqueue(Automatic(Message("PONG", "", ":p" + std::to_string(i), 2), TAutomatic::kPong), 1);
  EXPECT_EQ(connection_.QueuedCount(), 1u);
  Tick(2);
  ASSERT_TRUE(server_.WaitFor("PONG :p999\r\n"));
  EXPECT_EQ(server_.Received().find("PONG :p998"), std::string::npos);
}

TEST_F(IrcConnectionTest, AutomaticAnswersAreBoundedAndTheUsersLinesGoFirst) {
  for (int i = 0; i < 6; ++i) connection_.Enqueue(Privmsg(50), 0);  // budget spent
  ASSERT_TRUE(loop_.RunUntil([&] { return Lines() == 6; }));
  for (size_t i = 0; i < TIrcConnection::kMaxWaitingAnswers + 5; ++i)
    connection_.Enqueue(Automatic(Message("NOTICE", "bob", ":a" + std::to_string(i), 2), TAutomatic::kAnswer), 0);
  EXPECT_EQ(connection_.QueuedCount(), TIrcConnection::kMaxWaitingAnswers);
  EXPECT_FALSE(connection_.HasRoomForAnswer());
  connection_.Enqueue(Message("PRIVMSG", "#a", ":mine", 2), 0);
  connection_.Enqueue(Message("QUIT", "", ":bye", 2), 0);
  Settle();
  size_t before = server_.Received().size();
  EXPECT_EQ(before, 6u * 50);
  std::string last = "NOTICE bob :a" + std::to_string(TIrcConnection::kMaxWaitingAnswers - 1) + "\r\n";
  for (int i = 0; i < 60 && server_.Received().find(last) == std::string::npos; ++i) Tick();
  const std::string first = "PRIVMSG #a :mine\r\nQUIT :bye\r\nNOTICE bob :a0\r\n";
  EXPECT_EQ(server_.Received().substr(before, first.size()), first);
  EXPECT_NE(server_.Received().find(last), std::string::npos);
  EXPECT_EQ(server_.Received().find("NOTICE bob :a" + std::to_string(TIrcConnection::kMaxWaitingAnswers)),
            std::string::npos);
  EXPECT_TRUE(connection_.HasRoomForAnswer());
}

TEST_F(IrcConnectionTest, ReconnectForgetsWhatWasQueued) {
  for (int i = 0; i < 8; ++i) connection_.Enqueue(Privmsg(50, 'q'), 0);
  Settle();
  server_.CloseClient();
  ASSERT_TRUE(loop_.RunUntil([&] { return !owner_.events.empty() && owner_.events.back() == "closed"; }));
  connection_.Connect();
  ASSERT_TRUE(loop_.RunUntil([&] { return connection_.IsConnected() && server_.HasClient(); }));
  server_.ClearReceived();
  Tick(30);
  EXPECT_EQ(server_.Received(), "");
  EXPECT_EQ(connection_.PenaltySum(), 0);
}

TEST_F(IrcConnectionTest, DeliversEveryLineAndToleratesReentry) {
  owner_.on_message = [&](TIrcMessage& m) {
    if (m.command == "PING") connection_.Enqueue(Message("PONG", "", ":" + m.Param(0), 0), 1);
  };
  const char burst[] = ":s 001 me :hi\r\n\r\nPING :t1\r\nNOTICE me :a\0b\r\nPART";
  server_.Send(std::string(burst, sizeof burst - 1));
  ASSERT_TRUE(server_.WaitFor("PONG :t1\r\n"));
  ASSERT_TRUE(loop_.RunUntil([&] { return owner_.messages.size() == 3; }));
  EXPECT_EQ(owner_.messages[2].Param(1), "a b");
  server_.Send(" #a\r\n");
  ASSERT_TRUE(loop_.RunUntil([&] { return owner_.messages.size() == 4; }));
  EXPECT_EQ(owner_.messages[3].command, "PART");
}

TEST_F(IrcConnectionTest, LineAfterAnOverlongOneArrivesWhole) {
  server_.Send(std::string(TByteBuffer::kMaxLine + 100, 'x') + "\r\nPRIVMSG #a :after\r\n");
  ASSERT_TRUE(loop_.RunUntil([&] { return owner_.messages.size() == 1; }));
  EXPECT_EQ(owner_.events.back(), "dropped");
  EXPECT_EQ(owner_.messages[0].raw, "PRIVMSG #a :after");
  EXPECT_EQ(owner_.messages[0].Param(1), "after");
}

TEST_F(IrcConnectionTest, OwnerMayCloseInsideAMessage) {
  owner_.on_message = [&](TIrcMessage&) { connection_.Close(); };
  server_.Send("ERROR :one\r\nERROR :two\r\n");
  loop_.RunUntil([&] { return !owner_.messages.empty(); });
  Settle();
  EXPECT_EQ(owner_.messages.size(), 1u);
  EXPECT_FALSE(connection_.IsConnected());
  connection_.Enqueue(Message("PRIVMSG", "#a", ":lost", 2), 0);  // dropped while closed
  EXPECT_EQ(connection_.QueuedCount(), 0u);
}

TEST(IrcConnectionProxyTest, LineQueuedDuringTheHandshakeGoesFirst) {
  TPollLoop loop;
  TLoopbackPeer proxy(loop);
  TOwner owner;
  TIrcConnection connection(loop);
  connection.SetOwner(&owner);
  TProxySocket& socket = connection.Socket();
  socket.enable_socks = true;
  socket.socks_hostname = "127.0.0.1";
  socket.socks_port = proxy.Port();
  socket.SetTarget("irc.test", 6667);
  owner.on_connected = [&] { connection.Enqueue(Message("NICK", "", "me", 3), 0); };
  connection.Connect();
  ASSERT_TRUE(proxy.WaitFor(std::string("\x04\x01", 2)));
  ASSERT_TRUE(connection.IsConnected());
  connection.Enqueue(Message("PASS", "", "early", 3), 0);
  EXPECT_TRUE(connection.IsSending());
  proxy.ClearReceived();
  proxy.Send(std::string("\x00\x5A\x00\x00\x00\x00\x00\x00", 8));
  ASSERT_TRUE(proxy.WaitFor("NICK me\r\n"));
  EXPECT_EQ(proxy.Received(), "PASS early\r\nNICK me\r\n");
}

}  // namespace
}  // namespace zeph
