#include "net/socket.h"

#include <gtest/gtest.h>

#include <memory>

#include "net/listen_socket.h"
#include "net/socket_error.h"
#include "platform/sjis.h"
#include "support/loopback_peer.h"
#include "support/socket_recorder.h"

namespace zeph {
namespace {

using test::TLoopbackPeer;
using test::TSocketRecorder;

class SocketTest : public testing::Test {
 protected:
  TPollLoop loop_;
  TSocketRecorder recorder_;

  std::unique_ptr<TSocket> Connect(const std::string& host, int port) {
    auto socket = std::make_unique<TSocket>(loop_);
    socket->SetListener(&recorder_);
    socket->SetHost(host);
    socket->SetPort(port);
    socket->Connect();
    return socket;
  }
  bool RunUntilEvent(const std::string& event) {
    return loop_.RunUntil([&] { return recorder_.Saw(event); });
  }
};

TEST_F(SocketTest, ConnectsAndExchangesLines) {
  TLoopbackPeer peer(loop_);
  auto socket = Connect("127.0.0.1", peer.Port());
  // A dotted address resolves inside Connect itself.
  ASSERT_EQ(recorder_.events, std::vector<std::string>{"resolved"});
  ASSERT_TRUE(RunUntilEvent("connected"));
  EXPECT_EQ(socket->Address(), 0x0100007Fu);
  EXPECT_EQ(socket->Send("NICK a\r\n", 8), 8);
  EXPECT_TRUE(peer.WaitFor("NICK a\r\n"));
  peer.Send("A\r\nB\r\n");
  ASSERT_TRUE(RunUntilEvent("data"));
  EXPECT_EQ(recorder_.lines, (std::vector<std::string>{"A", "B"}));
}

TEST_F(SocketTest, ResolvesNamesOffTheLoop) {
  TLoopbackPeer peer(loop_);
  auto socket = Connect("irc.test", peer.Port());
  EXPECT_TRUE(recorder_.events.empty());
  ASSERT_TRUE(RunUntilEvent("connected"));
  EXPECT_EQ(recorder_.events.front(), "resolved");
}

TEST_F(SocketTest, RefusedConnectionIsAConnectError) {
  auto socket = Connect("127.0.0.1", test::FreeLoopbackPort());
  ASSERT_TRUE(RunUntilEvent("error"));
  EXPECT_EQ(recorder_.error_kind, kSocketErrorConnect);
  EXPECT_EQ(recorder_.error_text, Sjis("接続は拒否されました"));
  EXPECT_FALSE(recorder_.Saw("connected"));
  EXPECT_FALSE(socket->IsActive());
}

TEST_F(SocketTest, UnknownHostsFailToResolve) {
  for (const char* host : {"nowhere.invalid", "", "0.0.0.0"}) {
    SCOPED_TRACE(host);
    recorder_ = TSocketRecorder();
    auto socket = Connect(host, 6667);
    ASSERT_TRUE(RunUntilEvent("error"));
    EXPECT_EQ(recorder_.error_kind, kSocketErrorResolve);
    EXPECT_EQ(recorder_.error_text, Sjis("接続先が見つかりませんでした"));
  }
}

TEST_F(SocketTest, DeliversWhatThePeerSentBeforeClosing) {
  TLoopbackPeer peer(loop_);
  auto socket = Connect("127.0.0.1", peer.Port());
  ASSERT_TRUE(RunUntilEvent("connected"));
  ASSERT_TRUE(peer.WaitForClient());
  peer.Send("ERROR :Closing link\r\n");
  peer.CloseClient();
  ASSERT_TRUE(RunUntilEvent("closed"));
  EXPECT_EQ(recorder_.events, (std::vector<std::string>{"resolved", "connected", "data", "closed"}));
  EXPECT_EQ(recorder_.lines, std::vector<std::string>{"ERROR :Closing link"});
}

TEST_F(SocketTest, PartialWriteIsFollowedByWritable) {
  TLoopbackPeer peer(loop_);
  auto socket = Connect("127.0.0.1", peer.Port());
  ASSERT_TRUE(RunUntilEvent("connected"));
  ASSERT_TRUE(peer.WaitForClient());
  peer.SetReading(false);
  std::string block(1 << 20, 'x');
  long total = 0;
  for (int i = 0; i < 256; ++i) {
    int sent = socket->Send(block.data(), static_cast<int>(block.size()));
    total += sent;
    if (sent < static_cast<int>(block.size())) break;
  }
  EXPECT_FALSE(recorder_.Saw("writable"));
  peer.SetReading(true);
  ASSERT_TRUE(RunUntilEvent("writable"));
  EXPECT_TRUE(loop_.RunUntil([&] { return static_cast<long>(peer.Received().size()) == total; }));
}

TEST_F(SocketTest, ListenerMayDestroyTheSocketInsideAReport) {
  TLoopbackPeer peer(loop_);
  std::unique_ptr<TSocket> socket = Connect("127.0.0.1", peer.Port());
  recorder_.on_event = [&](const std::string& event, TStreamSocket&) {
    if (event == "data") socket.reset();
  };
  ASSERT_TRUE(RunUntilEvent("connected"));
  ASSERT_TRUE(peer.WaitForClient());
  peer.Send("ERROR :bye\r\n");
  peer.CloseClient();  // the close arrives in the same read as the data
  ASSERT_TRUE(RunUntilEvent("data"));
  loop_.RunOnce(50);
  EXPECT_EQ(socket, nullptr);
  EXPECT_FALSE(recorder_.Saw("closed"));
}

TEST_F(SocketTest, ListenerMayCloseOrReconnectInsideAReport) {
  TLoopbackPeer peer(loop_);
  auto socket = Connect("127.0.0.1", peer.Port());
  int connects = 0;
  recorder_.on_event = [&](const std::string& event, TStreamSocket&) {
    if (event == "connected" && ++connects == 1) {
      socket->Close();
      socket->Connect();  // again, from inside the report
    }
  };
  ASSERT_TRUE(loop_.RunUntil([&] { return connects == 2; }));
  EXPECT_TRUE(socket->IsActive());
  EXPECT_EQ(peer.Accepted(), 2);
  EXPECT_FALSE(recorder_.Saw("closed"));
  EXPECT_FALSE(recorder_.Saw("error"));
}

class ListenRecorder : public TListenSocketListener {
 public:
  std::vector<std::string> events;
  int error_kind = -1;
  std::string error_text;
  void OnListening(TListenSocket&) override { events.push_back("listening"); }
  void OnListenError(TListenSocket&, int kind, const std::string& text) override {
    error_kind = kind;
    error_text = text;
    events.push_back("error");
  }
  void OnAccepted(TListenSocket&, int index) override { events.push_back("accepted " + std::to_string(index)); }
  void OnClientData(TListenSocket& s, int index) override {
    events.push_back("data " + std::to_string(index) + " " + std::string(s.Client(index).ReadLine()));
  }
  void OnClientClosed(TListenSocket&, int index) override { events.push_back("closed " + std::to_string(index)); }
};

TEST_F(SocketTest, ListenSocketAcceptsAndForwardsClientEvents) {
  ListenRecorder listener;
  TListenSocket server(loop_);
  server.SetListener(&listener);
  server.SetAddress(0x0100007F);
  server.Listen();
  ASSERT_EQ(listener.events, std::vector<std::string>{"listening"});
  ASSERT_NE(server.Port(), 0);

  auto client = Connect("127.0.0.1", server.Port());
  ASSERT_TRUE(RunUntilEvent("connected"));
  ASSERT_TRUE(loop_.RunUntil([&] { return server.ClientCount() == 1; }));
  client->Send("hello\n", 6);
  ASSERT_TRUE(loop_.RunUntil([&] { return listener.events.size() == 3; }));
  EXPECT_EQ(listener.events[1], "accepted 0");
  EXPECT_EQ(listener.events[2], "data 0 hello");
  EXPECT_EQ(server.Send(0, "hi\n", 3), 3);
  ASSERT_TRUE(RunUntilEvent("data"));
  EXPECT_EQ(recorder_.lines, std::vector<std::string>{"hi"});

  client->Close();
  ASSERT_TRUE(loop_.RunUntil([&] { return listener.events.size() == 4; }));
  EXPECT_EQ(listener.events[3], "closed 0");
  server.RemoveClient(0);
  EXPECT_EQ(server.ClientCount(), 0);
}

TEST_F(SocketTest, ListeningOnAPortInUseIsABindError) {
  TLoopbackPeer peer(loop_);
  ListenRecorder listener;
  TListenSocket server(loop_);
  server.SetListener(&listener);
  server.SetAddress(0x0100007F);
  server.SetPort(peer.Port());
  server.Listen();
  EXPECT_EQ(listener.error_kind, kSocketErrorBind);
  EXPECT_EQ(listener.error_text, Sjis("すでにアドレスが使われています"));
  EXPECT_FALSE(server.IsListening());
}

TEST(SocketErrorTest, TextsFollowCodeThenKind) {
  EXPECT_EQ(SocketErrorText(kSocketErrorConnect, 10061), Sjis("接続は拒否されました"));
  EXPECT_EQ(SocketErrorText(kSocketErrorConnect, -1), Sjis("接続に失敗しました"));
  EXPECT_EQ(SocketErrorText(kSocketErrorSend, 12345), Sjis("送信に失敗しました"));
  EXPECT_EQ(SocketErrorText(99, -1), Sjis("ソケットに関する一般エラー"));
  EXPECT_EQ(SocketErrorText(kSocketErrorResolve, 11001), Sjis("ホストが見つかりませんでした"));
  EXPECT_TRUE(IsTransientSocketError(10035));
  EXPECT_FALSE(IsTransientSocketError(10054));
}

}  // namespace
}  // namespace zeph
