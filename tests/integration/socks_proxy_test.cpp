// The SOCKS handshakes against a real SOCKS server (dante) on loopback,
// tunnelling to a local IRC-like peer.
#include <gtest/gtest.h>

#include "engine/irc_connection.h"
#include "net/socket_error.h"
#include "platform/sjis.h"
#include "support/loopback_peer.h"
#include "support/prerequisite.h"
#include "support/socket_recorder.h"
#include "support/socks_server.h"

namespace zeph {
namespace {

using test::TLoopbackPeer;
using test::TSocketRecorder;
using test::TSocksServer;

class SocksProxyTest : public testing::Test {
 protected:
  TPollLoop loop_;
  TLoopbackPeer irc_{loop_};
  TSocketRecorder recorder_;
  TProxySocket socket_{loop_};
  TSocksServer socks_;

  virtual bool WithUserAuthentication() const { return false; }
  void SetUp() override {
    if (!socks_.Start(WithUserAuthentication())) ZEPH_SKIP_OR_FAIL(socks_.Error());
    socket_.SetListener(&recorder_);
    socket_.enable_socks = true;
    socket_.socks_version = 5;
    socket_.socks_hostname = "127.0.0.1";
    socket_.socks_port = socks_.Port();
    socket_.SetTarget("irc.test", irc_.Port());
  }
  // Opens the tunnel and checks that bytes cross it both ways.
  void ExpectTunnel() {
    socket_.Connect();
    ASSERT_TRUE(loop_.RunUntil([&] { return recorder_.Saw("connected") || recorder_.Saw("error"); }))
        << "no answer from the proxy";
    ASSERT_TRUE(recorder_.Saw("connected")) << recorder_.error_kind;
    ASSERT_TRUE(irc_.WaitForClient());
    irc_.Send(":irc.test NOTICE AUTH :hello\r\n");
    ASSERT_TRUE(loop_.RunUntil([&] { return !recorder_.lines.empty(); }));
    EXPECT_EQ(recorder_.lines.front(), ":irc.test NOTICE AUTH :hello");
    EXPECT_EQ(socket_.Send("NICK me\r\n", 9), 9);
    EXPECT_TRUE(irc_.WaitFor("NICK me\r\n"));
  }
};

class SocksAuthProxyTest : public SocksProxyTest {
 protected:
  bool WithUserAuthentication() const override { return true; }
};

TEST_F(SocksProxyTest, Socks4Tunnel) {
  socket_.socks_version = 4;
  socket_.username = "zephlora";
  ExpectTunnel();
}

TEST_F(SocksProxyTest, Socks5TunnelWithoutAuthentication) { ExpectTunnel(); }

TEST_F(SocksAuthProxyTest, Socks5TunnelWithUserAndPassword) {
  socket_.enable_socks_auth = true;
  socket_.username = TSocksServer::kUser;
  socket_.password = TSocksServer::kPassword;
  ExpectTunnel();
}

TEST_F(SocksAuthProxyTest, Socks5WrongPasswordIsRefused) {
  socket_.enable_socks_auth = true;
  socket_.username = TSocksServer::kUser;
  socket_.password = "wrong";
  socket_.Connect();
  ASSERT_TRUE(loop_.RunUntil([&] { return recorder_.Saw("error") || recorder_.Saw("closed"); }));
  EXPECT_EQ(recorder_.error_kind, kSocketErrorProxy);
  EXPECT_EQ(recorder_.error_text, Sjis("SOCKSサーバのユーザ認証に失敗しました"));
}

TEST_F(SocksProxyTest, Socks5TargetThatRefusesIsAConnectError) {
  socket_.SetTarget("127.0.0.1", test::FreeLoopbackPort());
  socket_.Connect();
  ASSERT_TRUE(loop_.RunUntil([&] { return recorder_.Saw("error") || recorder_.Saw("closed"); }));
  EXPECT_EQ(recorder_.error_kind, kSocketErrorConnect);
  EXPECT_FALSE(socket_.IsConnected());
}

}  // namespace
}  // namespace zeph
