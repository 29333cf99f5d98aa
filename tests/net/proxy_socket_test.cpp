#include "net/proxy_socket.h"

#include <gtest/gtest.h>

#include "net/socket_error.h"
#include "platform/sjis.h"
#include "support/loopback_peer.h"
#include "support/socket_recorder.h"

namespace zeph {
namespace {

using test::TLoopbackPeer;
using test::TSocketRecorder;

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s.push_back(static_cast<char>(v));
  return s;
}

// A scripted proxy: the test answers each request the client sends.
class ProxySocketTest : public testing::Test {
 protected:
  TPollLoop loop_;
  TLoopbackPeer proxy_{loop_};
  TSocketRecorder recorder_;
  TProxySocket socket_{loop_};

  void SetUp() override {
    socket_.SetListener(&recorder_);
    socket_.enable_socks = true;
    socket_.socks_hostname = "127.0.0.1";
    socket_.socks_port = proxy_.Port();
    socket_.SetTarget("irc.test", 6667);
  }
  void StartSocks5() {
    socket_.socks_version = 5;
    socket_.Connect();
    ASSERT_TRUE(proxy_.WaitFor(Bytes({5, 1, 0})));
    proxy_.ClearReceived();
  }
  // Answers the method selection with "none" and waits for the request.
  void ReachSocks5Request() {
    StartSocks5();
    proxy_.Send(Bytes({5, 0}));
    ASSERT_TRUE(proxy_.WaitFor(Bytes({5, 1, 0, 1, 127, 0, 0, 1, 0x1A, 0x0B})));
    proxy_.ClearReceived();
  }
  bool RunUntilEvent(const std::string& event) {
    return loop_.RunUntil([&] { return recorder_.Saw(event); });
  }
};

TEST_F(ProxySocketTest, Socks4RequestCutsTheUserNameAndLeftoverReachesTheOwner) {
  socket_.username = std::string(70, 'u');
  socket_.Connect();
  std::string expected = Bytes({4, 1, 0x1A, 0x0B, 127, 0, 0, 1}) + std::string(64, 'u') + Bytes({0});
  ASSERT_TRUE(proxy_.WaitFor(expected));
  EXPECT_EQ(proxy_.Received().size(), 73u);

  // During the handshake the tunnel is not there yet for the owner.
  EXPECT_TRUE(socket_.IsConnected());
  EXPECT_EQ(socket_.Send("x", 1), 0);
  EXPECT_EQ(socket_.Length(), 0);

  proxy_.Send(Bytes({0, 0x5A, 0, 0, 0, 0, 0, 0}) + ":irc.test NOTICE * :hello\r\n");
  ASSERT_TRUE(RunUntilEvent("data"));
  EXPECT_EQ(recorder_.events, (std::vector<std::string>{"resolved", "connected", "data"}));
  EXPECT_EQ(recorder_.lines, std::vector<std::string>{":irc.test NOTICE * :hello"});
  EXPECT_EQ(socket_.Send("NICK a\r\n", 8), 8);
  EXPECT_TRUE(proxy_.WaitFor("NICK a\r\n"));
}

TEST_F(ProxySocketTest, Socks4Refusals) {
  const struct {
    int code;
    int kind;
    const char* text;
  } cases[] = {
      {0x5B, kSocketErrorConnect, ""},
      {0x5C, kSocketErrorProxy, "SOCKSサーバがidentdに接続できませんでした"},
      {0x5D, kSocketErrorProxy, "SOCKSサーバに送信したユーザ名がidentdのユーザ名と異なります"},
      {0x42, kSocketErrorConnect, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    recorder_ = TSocketRecorder();
    proxy_.ClearReceived();
    socket_.Connect();
    ASSERT_TRUE(proxy_.WaitFor(Bytes({4, 1})));
    proxy_.Send(Bytes({0, c.code, 0, 0, 0, 0, 0, 0}));
    ASSERT_TRUE(RunUntilEvent("error"));
    EXPECT_EQ(recorder_.error_kind, c.kind);
    EXPECT_EQ(recorder_.error_text, Sjis(c.text));
    EXPECT_FALSE(socket_.IsConnected());
  }
}

TEST_F(ProxySocketTest, Socks4NeedsAResolvedTarget) {
  socket_.SetTarget("nowhere.invalid", 6667);
  socket_.Connect();
  ASSERT_TRUE(RunUntilEvent("error"));
  EXPECT_EQ(recorder_.error_kind, kSocketErrorResolve);
  EXPECT_EQ(recorder_.error_text, "");
  EXPECT_FALSE(recorder_.Saw("connected"));
}

TEST_F(ProxySocketTest, Socks5GreetingOffersAuthOnlyWithNameAndPassword) {
  socket_.socks_version = 5;
  socket_.enable_socks_auth = true;
  socket_.username = "user";
  socket_.Connect();  // no password: only "no authentication"
  ASSERT_TRUE(proxy_.WaitFor(Bytes({5, 1, 0})));
  EXPECT_EQ(proxy_.Received(), Bytes({5, 1, 0}));

  proxy_.ClearReceived();
  socket_.password = "secret";
  socket_.Connect();
  ASSERT_TRUE(proxy_.WaitFor(Bytes({5, 2, 0, 2})));
  proxy_.Send(Bytes({5, 2}));
  ASSERT_TRUE(proxy_.WaitFor(Bytes({1, 4}) + "user" + Bytes({6}) + "secret"));
  proxy_.Send(Bytes({1, 1}));
  ASSERT_TRUE(RunUntilEvent("error"));
  EXPECT_EQ(recorder_.error_kind, kSocketErrorProxy);
  EXPECT_EQ(recorder_.error_text, Sjis("SOCKSサーバのユーザ認証に失敗しました"));
}

TEST_F(ProxySocketTest, Socks5MethodsWeCannotSpeakAbort) {
  for (int method : {0xFF, 0x80, 0x01}) {
    SCOPED_TRACE(method);
    recorder_ = TSocketRecorder();
    StartSocks5();
    proxy_.Send(Bytes({5, method}));
    ASSERT_TRUE(RunUntilEvent("error"));
    EXPECT_EQ(recorder_.error_kind, kSocketErrorProxy);
    EXPECT_EQ(recorder_.error_text, Sjis("SOCKSサーバへの接続方法がありません"));
  }
}

TEST_F(ProxySocketTest, Socks5ConnectByNameWhenOurLookupFails) {
  socket_.SetTarget("nowhere.invalid", 6697);
  StartSocks5();
  proxy_.Send(Bytes({5, 0}));
  std::string request = Bytes({5, 1, 0, 3, 15}) + "nowhere.invalid" + Bytes({0x1A, 0x29});
  ASSERT_TRUE(proxy_.WaitFor(request));
  EXPECT_EQ(proxy_.Received(), request);
}

TEST_F(ProxySocketTest, Socks5ReplyWithANameIsSkippedWhole) {
  ReachSocks5Request();
  std::string name(20, 'n');
  proxy_.Send(Bytes({5, 0, 0, 3, 20}) + name + Bytes({0, 80}) + "PING :x\r\n");
  ASSERT_TRUE(RunUntilEvent("data"));
  EXPECT_EQ(recorder_.lines, std::vector<std::string>{"PING :x"});
}

TEST_F(ProxySocketTest, Socks5ReplyOfAnUnknownAddressTypeIsTheHeaderAlone) {
  ReachSocks5Request();
  proxy_.Send(Bytes({5, 0, 0, 9}) + "PING :x\r\n");
  ASSERT_TRUE(RunUntilEvent("data"));
  EXPECT_EQ(recorder_.lines, std::vector<std::string>{"PING :x"});
}

// Every reply of the handshake may arrive a byte at a time: nothing is
// decided before its last byte, and the tunnel opens on it.
TEST_F(ProxySocketTest, RepliesArrivingOneByteAtATime) {
  const struct {
    const char* name;
    int version;
    std::string method;  // SOCKS 5 only: the method selection and its answer
    std::string reply;
  } cases[] = {
      {"socks4", 4, "", Bytes({0, 0x5A, 0x1A, 0x0B, 127, 0, 0, 1})},
      {"ipv4", 5, Bytes({5, 0}), Bytes({5, 0, 0, 1, 127, 0, 0, 1, 0x1A, 0x0B})},
      {"name", 5, Bytes({5, 0}), Bytes({5, 0, 0, 3, 3}) + "irc" + Bytes({0x1A, 0x0B})},
      {"ipv6", 5, Bytes({5, 0}), Bytes({5, 0, 0, 4}) + std::string(15, '\0') + Bytes({1, 0x1A, 0x0B})},
      {"password", 5, Bytes({5, 2, 1, 0}), Bytes({5, 0, 0, 1, 127, 0, 0, 1, 0x1A, 0x0B})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    recorder_ = TSocketRecorder();
    proxy_.ClearReceived();
    socket_.socks_version = c.version;
    socket_.enable_socks_auth = true;
    socket_.username = "user";
    socket_.password = "secret";
    socket_.Connect();
    ASSERT_TRUE(proxy_.WaitFor(Bytes({c.version})));
    for (char byte : c.method + c.reply.substr(0, c.reply.size() - 1)) {
      proxy_.Send(std::string(1, byte));
      ASSERT_TRUE(proxy_.Sync());
      ASSERT_FALSE(recorder_.Saw("connected") || recorder_.Saw("error") || recorder_.Saw("closed"));
    }
    proxy_.Send(c.reply.substr(c.reply.size() - 1) + "PING :x\r\n");
    ASSERT_TRUE(RunUntilEvent("data"));
    EXPECT_EQ(recorder_.lines, std::vector<std::string>{"PING :x"});
  }
}

TEST_F(ProxySocketTest, Socks5ReplyCodes) {
  const struct {
    int code;
    int kind;
    const char* text;
  } cases[] = {
      {1, kSocketErrorConnect, ""},
      {2, kSocketErrorProxy, "SOCKSサーバのルールセットにより接続が拒否されました"},
      {5, kSocketErrorConnect, ""},
      {7, kSocketErrorProxy, "SOCKSサーバがサポートしないコマンドです"},
      {8, kSocketErrorProxy, "SOCKSサーバがサポートしないアドレスタイプです"},
      {99, kSocketErrorConnect, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    recorder_ = TSocketRecorder();
    ReachSocks5Request();
    proxy_.Send(Bytes({5, c.code, 0, 1, 0, 0, 0, 0, 0, 0}));
    ASSERT_TRUE(RunUntilEvent("error"));
    EXPECT_EQ(recorder_.error_kind, c.kind);
    EXPECT_EQ(recorder_.error_text, Sjis(c.text));
    EXPECT_FALSE(socket_.IsConnected());
  }
}

TEST_F(ProxySocketTest, ProxyClosingDuringTheHandshakeIsAClose) {
  const struct {
    const char* name;
    int version;
    std::string answered;  // what the proxy says before it closes
  } cases[] = {
      {"before the method", 5, ""},
      {"inside the method", 5, Bytes({5})},
      {"inside the reply", 5, Bytes({5, 0, 5, 0, 0, 3, 20}) + "irc"},
      {"inside the socks4 reply", 4, Bytes({0, 0x5A, 0x1A})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    recorder_ = TSocketRecorder();
    socket_.socks_version = c.version;
    socket_.Connect();
    ASSERT_TRUE(proxy_.WaitForClient());
    ASSERT_TRUE(proxy_.WaitFor(Bytes({c.version})));
    proxy_.Send(c.answered);
    ASSERT_TRUE(proxy_.Sync());
    proxy_.CloseClient();
    ASSERT_TRUE(RunUntilEvent("closed"));
    EXPECT_FALSE(socket_.IsConnected());
    EXPECT_FALSE(recorder_.Saw("connected"));
    EXPECT_FALSE(recorder_.Saw("error"));
  }
}

TEST(ProxySocketPlainTest, WithoutSocksItIsThePlainSocket) {
  TPollLoop loop;
  TLoopbackPeer server(loop);
  TSocketRecorder recorder;
  TProxySocket socket(loop);
  socket.SetListener(&recorder);
  socket.SetTarget("127.0.0.1", server.Port());
  socket.Connect();
  ASSERT_TRUE(loop.RunUntil([&] { return recorder.Saw("connected"); }));
  EXPECT_EQ(recorder.events, (std::vector<std::string>{"resolved", "connected"}));
  socket.SetTarget("elsewhere.test", 1);  // ignored while connected
  EXPECT_EQ(socket.TargetHost(), "127.0.0.1");
  socket.Abort();
  EXPECT_FALSE(socket.IsConnected());
  ASSERT_TRUE(server.Sync());  // the server has seen the close
  EXPECT_EQ(recorder.events.size(), 2u);  // Abort reports nothing
}

}  // namespace
}  // namespace zeph
