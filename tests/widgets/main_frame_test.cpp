// The main window over a real application object: menu rules across the
// unit's states, prompts, deleting servers, the tray click rule, the window
// layout, the close request, and a whole first start against a real server.
#include "app/widgets/main_frame.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QToolBar>
#include <QTreeView>
#include <fstream>
#include <memory>

#include "app/application.h"
#include "app/widgets/first_start_wizard.h"
#include "display/widgets/log_view.h"
#include "engine/channel.h"
#include "platform/poll_loop.h"
#include "platform/qt/qt_text.h"
#include "platform/sjis.h"
#include "protocol/protocol.h"
#include "settings/preference_file.h"
#include "settings/tree_file.h"
#include "support/irc_server.h"
#include "support/loopback_peer.h"
#include "support/prerequisite.h"
#include "support/temp_dir.h"
#include "widgets/main_frame_fixture.h"

namespace zeph {
namespace {

size_t Occurrences(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST_F(MainFrameTest, ServerItemsFollowTheUnitsState) {
  Open([](TPreferences& p) {
    p.Reconnect = true;
    p.ReconnectTime = 30;
  });
  using I = std::vector<std::pair<bool, QString>>;
  auto q = [](const char* s) { return QString::fromUtf8(s); };
  auto items = [&] { return Items({"connect", "connectcancel", "quit", "away", "deleteserver", "disconnect"}); };
  EXPECT_EQ(items(), (I{{true, q("接続(&C)")}, {false, q("切断(&D)")}, {false, q("メッセージを入力して切断(&Q)...")},
                        {false, q("離席状態を変更(&A)")}, {true, q("サーバを削除(&E)...")}, {false, q("強制切断(&F)")}}));
  Unit().Connect();
  ASSERT_TRUE(server_.WaitFor("USER "));
  EXPECT_EQ(items(), (I{{false, q("接続(&C)")}, {true, q("切断(&D)")}, {false, q("メッセージを入力して切断(&Q)...")},
                        {false, q("離席状態を変更(&A)")}, {false, q("サーバを削除(&E)...")}, {true, q("強制切断(&F)")}}));
  server_.Send(":irc.test 001 a :Welcome\r\n");
  ASSERT_TRUE(loop_.RunUntil([&] { return Unit().IsLoggedIn(); }));
  EXPECT_EQ(items(), (I{{false, q("接続(&C)")}, {true, q("切断(&D)")}, {true, q("メッセージを入力して切断(&Q)...")},
                        {true, q("離席状態を変更(&A)")}, {false, q("サーバを削除(&E)...")}, {true, q("強制切断(&F)")}}));
  // Away is ticked while away.
  server_.Send(":irc.test 306 a :You have been marked as being away\r\n");
  ASSERT_TRUE(loop_.RunUntil([&] { return Unit().IsAway(); }));
  frame_->UpdateActions();
  EXPECT_TRUE(Item("away")->isChecked());

  // The server goes away: a reconnection is pending and the item cancels it.
  server_.CloseClient();
  ASSERT_TRUE(loop_.RunUntil([&] { return Unit().IsReconnectPending(); }));
  EXPECT_EQ(items(), (I{{true, q("接続(&C)")}, {true, q("再接続をキャンセル(&D)")}, {false, q("メッセージを入力して切断(&Q)...")},
                        {false, q("離席状態を変更(&A)")}, {true, q("サーバを削除(&E)...")}, {true, q("強制切断(&F)")}}));
  EXPECT_EQ(Item("connectcancel")->shortcut(), QKeySequence("Alt+Shift+Q"));
  Item("connectcancel")->trigger();
  EXPECT_FALSE(Unit().IsReconnectPending());
  EXPECT_EQ(items()[1], (std::pair<bool, QString>{false, q("切断(&D)")}));
}

TEST_F(MainFrameTest, ThePartItemClosesTalksAndChatsUnderItsOtherTexts) {
  Open();
  LogIn();
  JoinRoom();
  EXPECT_EQ(Items({"part"})[0], (std::pair<bool, QString>{true, QString::fromUtf8("メッセージを入力して出る(&Q)...")}));
  TChannel* talk = World().CreateTarget(Unit(), NewChannelConfig("hanako", false), TTargetKind::Talk, true);
  ASSERT_NE(talk, nullptr);
  World().Select(&Unit(), talk);
  EXPECT_EQ(Items({"part", "join", "quickpart"}),
            (std::vector<std::pair<bool, QString>>{{true, QString::fromUtf8("トークをやめる(&P)")},
                                                   {false, QString::fromUtf8("入る(&J)")},
                                                   {false, QString::fromUtf8("出る(&P)")}}));
  Item("part")->trigger();
  EXPECT_EQ(Unit().FindChannel("hanako"), nullptr);
  TChannel* chat = Unit().OpenDccChat("jiro", "u", "h");
  World().Select(&Unit(), chat);
  EXPECT_EQ(Items({"part"})[0], (std::pair<bool, QString>{true, QString::fromUtf8("DCCチャットをやめる(&P)")}));
}

TEST_F(MainFrameTest, ACommandWhoseChannelWentAwayDuringThePromptDoesNothing) {
  Open();
  LogIn();
  JoinRoom();
  server_.ClearReceived();
  while_asking_ = [&] { World().CloseTarget(Unit(), Room()); };
  Item("topic")->trigger();
  EXPECT_EQ(asked_, 1);
  ASSERT_TRUE(server_.Sync());
  EXPECT_EQ(server_.Received().find("TOPIC"), std::string::npos);
}

TEST_F(MainFrameTest, AConnectedServerIsNotDeletedAndADisconnectedOneIsAfterAsking) {
  Open();
  LogIn();
  Item("deleteserver")->trigger();
  EXPECT_EQ(asked_, 0);
  ASSERT_EQ(World().Units().size(), 1u);
  Item("disconnect")->trigger();
  ASSERT_FALSE(Unit().IsConnectionUp());
  answer_ = false;
  Item("deleteserver")->trigger();
  EXPECT_EQ(asked_, 1);
  ASSERT_EQ(World().Units().size(), 1u);
  answer_ = true;
  Item("deleteserver")->trigger();
  EXPECT_EQ(asked_, 2);
  EXPECT_TRUE(World().Units().empty());
  TWorldConfig tree;
  ASSERT_TRUE(LoadTree(folders_.config / "tree.ini", &tree));
  EXPECT_TRUE(tree.units.empty());
  EXPECT_EQ(frame_->ServerTree()->model()->rowCount(), 0);
}

TEST_F(MainFrameTest, DeletingAServerWithAPendingReconnectionCancelsIt) {
  Open([](TPreferences& p) { p.Reconnect = true; });
  LogIn();
  server_.CloseClient();
  ASSERT_TRUE(loop_.RunUntil([&] { return Unit().IsReconnectPending(); }));
  Item("deleteserver")->trigger();
  EXPECT_TRUE(World().Units().empty());
  loop_.Advance(120000);  // no reconnection comes from a deleted unit
  EXPECT_EQ(server_.Accepted(), 1);
}

TEST_F(MainFrameTest, ShortcutsReachTheirItemsEvenWithTheMenuBarHidden) {
  Open();
  frame_->show();
  QApplication::setActiveWindow(frame_.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(frame_.get()));
  QTest::keyClick(frame_->InputLine(), Qt::Key_F, Qt::ControlModifier);
  EXPECT_TRUE(frame_->SearchPanel()->isVisible());
  QTest::keyClick(frame_->InputLine(), Qt::Key_F5);
  EXPECT_FALSE(frame_->menuBar()->isVisible());
  QTest::keyClick(frame_->InputLine(), Qt::Key_F5);
  EXPECT_TRUE(frame_->menuBar()->isVisible());
  // Alt+C connects: no toolbar button's mnemonic takes it.
  QTest::keyClick(frame_->InputLine(), Qt::Key_C, Qt::AltModifier);
  EXPECT_TRUE(Unit().IsConnectionUp());
}

TEST_F(MainFrameTest, TrayClickRule) {
  struct {
    bool single_click;
    QSystemTrayIcon::ActivationReason reason;
    bool restores;
  } cases[] = {
      {true, QSystemTrayIcon::Trigger, true},
      {true, QSystemTrayIcon::DoubleClick, false},
      {false, QSystemTrayIcon::Trigger, false},
      {false, QSystemTrayIcon::DoubleClick, true},
      {false, QSystemTrayIcon::Context, false},
  };
  Open();
  for (const auto& c : cases) {
    World().Preferences().RestoreTrayIconOnSingleClick = c.single_click;
    frame_->showMinimized();
    EXPECT_EQ(frame_->OnTrayActivated(c.reason), c.restores) << c.single_click << " " << c.reason;
    EXPECT_EQ(frame_->isMinimized(), !c.restores) << c.single_click << " " << c.reason;
  }
}

TEST_F(MainFrameTest, AnEmptyWindowFileGivesTheDefaultWindow) {
  folders_.CreateAll();
  std::ofstream(folders_.config / "window.ini") << "";
  Open();
  frame_->show();
  EXPECT_EQ(frame_->geometry(), QRect(100, 100, 500, 500));
  EXPECT_TRUE(frame_->menuBar()->isVisible());
  EXPECT_TRUE(frame_->findChild<QToolBar*>(QStringLiteral("ToolBar"))->isVisible());
  EXPECT_FALSE(frame_->SearchPanel()->isVisible());
  // The tree side is on the right and 120 wide; the console 100 high.
  QSplitter* root = frame_->RootSplitter();
  EXPECT_EQ(root->sizes()[1], 120);
  EXPECT_EQ(frame_->LogSplitter()->sizes()[1], 100);
  EXPECT_EQ(frame_->InfoSplitter()->sizes()[1], 200);
}

TEST_F(MainFrameTest, InvertedPanesKeepTheirSizes) {
  Open([](TPreferences& p) {
    p.InvertLogAndList = true;
    p.InvertMemberAndTree = true;
  });
  frame_->show();
  EXPECT_EQ(frame_->RootSplitter()->widget(0), frame_->InfoSplitter());
  EXPECT_EQ(frame_->InfoSplitter()->widget(0), frame_->ServerTree());
  EXPECT_EQ(frame_->RootSplitter()->sizes()[0], 120);
  EXPECT_EQ(frame_->InfoSplitter()->sizes()[0], 200);
}

TEST_F(MainFrameTest, MaximizedAtCloseKeepsTheRestoredPlacement) {
  Open();
  frame_->setGeometry(40, 50, 600, 450);
  frame_->show();
  frame_->showMaximized();
  frame_->StoreLayout();
  const TWindowLayout::TMain& main = app_->WindowLayout().main;
  EXPECT_TRUE(main.maximized);
  EXPECT_EQ(main.rect, TWindowRect::At(40, 50, 600, 450));
  // Nothing moved: the splitters stay as they were read.
  EXPECT_EQ(main.splitter_root, 120);
  EXPECT_EQ(main.splitter_info, 200);
  EXPECT_EQ(main.splitter_log, 100);
}

TEST_F(MainFrameTest, ARepeatedCloseRequestAsksAndQuitsOnce) {
  Open();
  LogIn();
  bool closed = false;
  frame_->on_closed = [&] { closed = true; };
  frame_->show();
  frame_->close();
  EXPECT_EQ(asked_, 1);
  ASSERT_TRUE(server_.WaitFor("QUIT "));
  std::filesystem::remove(folders_.config / "window.ini");
  frame_->close();  // the user again, while the server has not closed yet
  loop_.Advance(100);
  EXPECT_EQ(asked_, 1);
  EXPECT_FALSE(std::filesystem::exists(folders_.config / "window.ini"));
  EXPECT_FALSE(closed);
  server_.CloseClient();
  ASSERT_TRUE(server_.Sync());
  loop_.Advance(100);
  EXPECT_TRUE(closed);
  EXPECT_EQ(Occurrences(server_.Received(), "QUIT "), 1u);
  EXPECT_FALSE(std::filesystem::exists(folders_.config / "window.ini"));
}

TEST_F(MainFrameTest, CancellingTheQuestionKeepsTheProgramRunning) {
  Open();
  answer_ = false;
  frame_->show();
  frame_->close();
  EXPECT_EQ(asked_, 1);
  EXPECT_FALSE(frame_->IsClosingDown());
  EXPECT_FALSE(std::filesystem::exists(folders_.config / "window.ini"));
}

// A first start as a user makes it: the wizard's beginner choice, the main
// window, the connection to a real server, the channel, and a line from
// someone else in the channel's log view.
TEST(FirstStartRoundTripTest, WizardToAMessageInTheLogView) {
  test::TIrcServer ircd;
  if (!ircd.Start()) ZEPH_SKIP_OR_FAIL(ircd.Error());
  test::TTempDir home;
  TPollLoop loop;
  TAppFolders folders = TAppFolders::Setup(home.Path(), "taro", "");
  folders.CreateAll();
  TApplication app(loop, folders);
  app.LoadAllSettings();
  ASSERT_FALSE(app.Preferences().Installed);
  app.CreateWorld();
  {
    CMainFrame frame(app);
    TFirstStartWizard wizard(app, &frame);
    wizard.show();
    wizard.next();  // the beginner's choice is the first
    wizard.NickBox()->setText(QStringLiteral("taro"));
    wizard.ServerBox()->setEditText(QStringLiteral("127.0.0.1 (Local)"));
    wizard.next();
    wizard.ChannelBox()->setPlainText(QStringLiteral("#room\n"));
    ApplyFirstStart(app, wizard, true);
    ASSERT_EQ(app.LoadedTree().units.size(), 1u);
    EXPECT_EQ(app.LoadedTree().units[0].name, "Local");
    // The wizard asks 6667 of servers it does not know; ours listens elsewhere.
    app.LoadedTree().units[0].port = ircd.Port();
    frame.ApplyLayout();
    frame.show();
    app.Start({});

    TUnit* unit = app.World().FindUnit("Local");
    ASSERT_NE(unit, nullptr);
    ASSERT_TRUE(loop.RunUntil([&] { return unit->FindChannel("#room") && unit->FindChannel("#room")->IsJoined(); },
                              10000));
    // Someone else on the server says something in the channel.
    TPreferences prefs;
    TMessageFormat formats;
    TWorld other(loop, prefs, formats);
    TProtocol handlers(other);
    other.SetProtocol(&handlers);
    other.Attach();
    TServerConfig hanako = ircd.UnitConfig("hanako");
    hanako.channels.push_back(NewChannelConfig("#room", true));
    TUnit* peer = other.AddUnit(hanako);
    peer->Connect();
    ASSERT_TRUE(loop.RunUntil([&] { return peer->FindChannel("#room") && peer->FindChannel("#room")->IsJoined(); },
                              10000));
    peer->SendMessage("#room", Sjis("こんにちは、世界"), TUnit::TMessageType::Privmsg);
    TChannel* room = unit->FindChannel("#room");
    auto shown = [&] {
      for (size_t i = 0; i < room->Log().Count(); ++i)
        if (room->Log().At(i).text.find(Sjis("こんにちは、世界")) != std::string::npos) return true;
      return false;
    };
    ASSERT_TRUE(loop.RunUntil(shown, 10000));
    app.World().Select(unit, room);
    auto* view = qobject_cast<TLogView*>(frame.CurrentLogView());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(&view->Store(), &room->Log());
    view->SelectAll();
    EXPECT_NE(view->SelectedText().find(Sjis("こんにちは、世界")), std::string::npos);
    EXPECT_TRUE(app.Preferences().Installed);
  }
  TPreferences saved;
  ASSERT_TRUE(LoadPreferences(folders.config / "preference.ini", &saved));
  EXPECT_TRUE(saved.Installed);
}

}  // namespace
}  // namespace zeph
