// Chat offers that ask the user: the request dialogs, their limit, and
// "接続" starting the chat talk.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "dcc/dcc_service.h"
#include "dcc/widgets/chat_request_dialog.h"
#include "dcc/widgets/dcc_windows.h"
#include "dcc/widgets/transfer_model.h"
#include "engine/irc_message.h"
#include "engine/world.h"
#include "platform/poll_loop.h"
#include "platform/sjis.h"
#include "support/loopback_peer.h"

namespace zeph {
namespace {

class ChatRequestTest : public ::testing::Test {
 protected:
  ChatRequestTest() {
    if (!QApplication::instance()) {
      static int argc = 1;
      static char name[] = "dcc_widgets_tests";
      static char* argv[] = {name, nullptr};
      new QApplication(argc, argv);
    }
    prefs_.DCCChatAction = 1;
    prefs_.EnableMaxDCCChatRequestDialog = true;
    prefs_.MaxDCCChatRequestDialog = 1;
    world_ = std::make_unique<TWorld>(loop_, prefs_, formats_);
    TServerConfig config;
    config.name = "srv";
    config.nick = "me";
    unit_ = world_->AddUnit(config);
    dcc_ = std::make_unique<TDccService>(*world_);
    world_->SetDcc(dcc_.get());
    windows_ = std::make_unique<TDccWindows>(*dcc_);
  }
  ~ChatRequestTest() override {
    windows_.reset();
    world_->SetDcc(nullptr);
    dcc_.reset();
  }
  void ChatOfferFrom(const std::string& nick, int port) {
    TIrcMessage m;
    m.nick = nick;
    m.user = "u";
    m.host = "h.example";
    m.command = "PRIVMSG";
    world_->Dcc().OnDccQuery(*unit_, m, "CHAT chat 2130706433 " + std::to_string(port));
  }

  TPollLoop loop_;
  TPreferences prefs_;
  TMessageFormat formats_;
  std::unique_ptr<TWorld> world_;
  TUnit* unit_ = nullptr;
  std::unique_ptr<TDccService> dcc_;
  std::unique_ptr<TDccWindows> windows_;
};

TEST_F(ChatRequestTest, ConnectStartsTheChatTalkAndTheLimitHoldsFurtherRequestsBack) {
  test::TLoopbackPeer peer(loop_);
  ChatOfferFrom("peer", peer.Port());
  ChatOfferFrom("other", peer.Port());  // beyond the one dialog allowed
  std::vector<TChatRequestDialog*> dialogs = windows_->Prompter().Dialogs();
  ASSERT_EQ(dialogs.size(), 1u);
  TChatRequestDialog& dialog = *dialogs[0];
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("DCCチャット要求"));
  QStringList texts;
  for (QLabel* label : dialog.findChildren<QLabel*>()) texts << label->text();
  EXPECT_TRUE(texts.contains(QString::fromUtf8("送信元")));
  EXPECT_TRUE(texts.contains("peer (u@h.example)"));
  EXPECT_TRUE(texts.contains("127.0.0.1:" + QString::number(peer.Port())));
  EXPECT_EQ(dialog.CloseButton().text(), QString::fromUtf8("閉じる"));

  QTest::mouseClick(&dialog.ConnectButton(), Qt::LeftButton);
  QApplication::processEvents();
  ASSERT_TRUE(peer.WaitForClient());
  TChannel* talk = unit_->FindChannel("=peer");
  ASSERT_NE(talk, nullptr);
  EXPECT_TRUE(talk->IsDccChat());
  EXPECT_EQ(unit_->FindChannel("=other"), nullptr);
  EXPECT_EQ(windows_->Prompter().OpenRequests(), 0);
  ASSERT_TRUE(loop_.RunUntil([&] { return dcc_->Chats().State(*talk) == TChatState::Connected; }));

  // Text typed into the chat arrives at the peer, one LF-ended line.
  EXPECT_TRUE(world_->Dcc().SendChatLine(*unit_, *talk, "hello"));
  EXPECT_TRUE(peer.WaitFor("hello\n"));
}

TEST_F(ChatRequestTest, AFileOfferShowsTheWindowWhenTheSettingsSaySo) {
  prefs_.DCCReceiveAction = 1;
  prefs_.ViewDialogOnReceive = true;
  EXPECT_EQ(windows_->Window(), nullptr);
  TIrcMessage m;
  m.nick = "peer";
  world_->Dcc().OnDccQuery(*unit_, m, "SEND a.txt 2130706433 1100 10");
  ASSERT_NE(windows_->Window(), nullptr);
  EXPECT_TRUE(windows_->Window()->isVisible());
  EXPECT_EQ(windows_->Window()->Model(TTransferKind::Receive).rowCount(), 1);
}

}  // namespace
}  // namespace zeph
