// The main window from the keyboard: the focus cycle, stray keys, the
// search highlight of every log, pastes, and the windows of the commands.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QTreeView>

#include "display/widgets/history_window.h"
#include "display/widgets/log_view.h"
#include "engine/widgets/member_detail_model.h"
#include "engine/widgets/member_info_window.h"
#include "engine/widgets/protocol_log_window.h"
#include "platform/sjis.h"
#include "protocol/widgets/channel_list_window.h"
#include "protocol/widgets/whois_dialog.h"
#include "settings/window_layout.h"
#include "widgets/main_frame_fixture.h"

namespace zeph {
namespace {

class MainFrameKeyboardTest : public MainFrameTest {
 protected:
  void Show() {
    frame_->resize(800, 600);
    frame_->show();
    QApplication::setActiveWindow(frame_.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame_.get()));
  }
  QWidget* Focus() const { return QApplication::focusWidget(); }
  void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(Focus(), static_cast<Qt::Key>(key), modifiers);
  }
  QWidget* CurrentLog() { return frame_->CurrentLogView(); }
  QWidget* Console() { return frame_->findChild<QWidget*>("Console"); }
};

TEST_F(MainFrameKeyboardTest, TabVisitsEveryPaneAndTheSearchBoxWhenShown) {
  Open();
  LogIn();
  JoinRoom();
  Show();
  frame_->InputLine()->setFocus();
  QWidget* input = frame_->InputLine();
  QWidget* tree = frame_->ServerTree();
  std::vector<QWidget*> forward;
  for (int i = 0; i < 5; ++i) {
    Press(Qt::Key_Tab);
    forward.push_back(Focus());
  }
  ASSERT_EQ(forward.size(), 5u);
  EXPECT_EQ(forward[0], Console());
  EXPECT_TRUE(qobject_cast<QAbstractItemView*>(forward[1]) != nullptr);  // the member list
  EXPECT_EQ(forward[2], tree);
  EXPECT_EQ(forward[3], CurrentLog());
  EXPECT_EQ(forward[4], input);

  Press(Qt::Key_F, Qt::ControlModifier);  // the search panel
  QWidget* search = &frame_->SearchPanel()->SearchBox();
  EXPECT_EQ(Focus(), search);
  frame_->InputLine()->setFocus();
  std::vector<QWidget*> backward;
  for (int i = 0; i < 6; ++i) {
    Press(Qt::Key_Backtab, Qt::ShiftModifier);
    backward.push_back(Focus());
  }
  EXPECT_EQ(backward, (std::vector<QWidget*>{CurrentLog(), search, tree, forward[1], Console(), input}));
}

// The window stays off screen (as when it waits in the tray): the panel
// counts as shown all the same.
TEST_F(MainFrameKeyboardTest, HidingTheSearchPanelEndsTheHighlightOfEveryLog) {
  Open();
  Unit().PrintSystem("needle in the server log");
  Unit().PrintSystem("needle in the room", &Room());
  World().Select(&Unit(), &Room());
  auto* room = qobject_cast<TLogView*>(CurrentLog());
  Item("find")->trigger();
  frame_->SearchPanel()->SearchBox().setText("needle");
  World().Select(&Unit(), nullptr);  // the words follow to the server log
  auto* server = qobject_cast<TLogView*>(CurrentLog());
  ASSERT_TRUE(room && server && room != server);
  EXPECT_TRUE(room->FindHighlight(true, true));
  EXPECT_TRUE(server->FindHighlight(true, true));

  Item("find")->trigger();
  EXPECT_FALSE(frame_->SearchPanel()->IsShown());
  EXPECT_FALSE(room->FindHighlight(true, true)) << "not the current log, ended all the same";
  EXPECT_FALSE(server->FindHighlight(true, true));
  // Shown again, the words come back to the current log only.
  Item("find")->trigger();
  EXPECT_TRUE(server->FindHighlight(true, true));
  EXPECT_FALSE(room->FindHighlight(true, true));
}

TEST_F(MainFrameKeyboardTest, ALetterTypedInTheTreeLandsAtTheEndOfTheInputLine) {
  Open();
  Show();
  frame_->InputLine()->setText("ab");
  frame_->InputLine()->setCursorPosition(0);
  frame_->ServerTree()->setFocus();
  QTest::keyClicks(frame_->ServerTree(), "c");
  EXPECT_EQ(Focus(), frame_->InputLine());
  EXPECT_EQ(frame_->InputLine()->text(), "abc");
}

TEST_F(MainFrameKeyboardTest, APasteOfOneLineGoesStraightToTheInputLine) {
  Open();
  LogIn();
  JoinRoom();
  Show();
  QGuiApplication::clipboard()->setText("abc\n");
  frame_->Action("paste")->trigger();
  EXPECT_EQ(frame_->InputLine()->text(), "abc");
  EXPECT_EQ(frame_->findChild<QDialog*>("Zephlora2PasteConfirm"), nullptr);

  // Several lines: the confirmation at the size window.ini keeps, which
  // takes the size the user leaves it at.
  app_->WindowLayout().paste = TWindowRect::At(0, 0, 520, 260);
  QGuiApplication::clipboard()->setText("one\ntwo\n");
  frame_->Action("paste")->trigger();
  auto* dialog = frame_->findChild<QDialog*>("Zephlora2PasteConfirm");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("貼り付け確認"));
  EXPECT_EQ(dialog->size(), QSize(520, 260));
  EXPECT_TRUE(frame_->geometry().contains(dialog->geometry().center())) << "over the main window";
  dialog->resize(600, 330);
  dialog->reject();
  EXPECT_EQ(app_->WindowLayout().paste.Width(), 600);
  EXPECT_EQ(app_->WindowLayout().paste.Height(), 330);
}

TEST_F(MainFrameKeyboardTest, EnterSendsAndUpBringsTheLineBack) {
  Open();
  LogIn();
  JoinRoom();
  Show();
  server_.ClearReceived();
  frame_->InputLine()->setFocus();
  QTest::keyClicks(frame_->InputLine(), "hello");
  Press(Qt::Key_Return);
  ASSERT_TRUE(server_.WaitFor("PRIVMSG #room :hello"));
  EXPECT_TRUE(frame_->InputLine()->text().isEmpty());
  Press(Qt::Key_Up);
  EXPECT_EQ(frame_->InputLine()->text(), "hello");
}

TEST_F(MainFrameKeyboardTest, CommandsOpenTheirWindows) {
  Open();
  LogIn();
  JoinRoom();
  frame_->Action("member")->trigger();
  TMemberInfoWindow* members = frame_->MemberWindows().Find(Room().Id());
  ASSERT_NE(members, nullptr);
  EXPECT_TRUE(members->isVisible());
  frame_->Action("protocol")->trigger();
  TProtocolLogWindow* protocol = frame_->ProtocolLogs().Find(Unit());
  ASSERT_NE(protocol, nullptr);
  server_.Send(":irc.test NOTICE a :seen\r\n");
  ASSERT_TRUE(loop_.RunUntil([&] { return protocol->toPlainText().contains("seen"); }));

  // The channel goes: its member window goes with it.
  World().CloseTarget(Unit(), Room());
  EXPECT_EQ(members->Model().rowCount(), 0);
}

TEST_F(MainFrameKeyboardTest, ClosingTheProgramClosesEveryWindowAndKeepsTheirPlaces) {
  Open();
  LogIn();
  JoinRoom();
  Show();
  Item("member")->trigger();
  Item("protocol")->trigger();
  Item("list")->trigger();
  Item("keywordhistory")->trigger();
  server_.Send(":irc.test 311 a bob u h.example * :Bob\r\n");
  ASSERT_TRUE(loop_.RunUntil([&] { return frame_->findChild<TWhoisDialog*>() != nullptr; }));
  frame_->MemberWindows().Find(Room().Id())->resize(610, 310);
  frame_->ProtocolLogs().Find(Unit())->resize(520, 330);
  frame_->findChild<TChannelListWindow*>()->resize(530, 340);
  frame_->findChild<THistoryWindow*>()->resize(430, 250);

  bool closed = false;
  frame_->on_closed = [&] { closed = true; };
  frame_->close();
  for (QWidget* window : QApplication::topLevelWidgets())
    EXPECT_FALSE(window->isVisible()) << window->objectName().toStdString();
  const TWindowLayout written = LoadWindowLayout(folders_.config / "window.ini");
  EXPECT_EQ(written.who.rect.Width(), 610);
  EXPECT_EQ(written.protocol_log.rect.Height(), 330);
  EXPECT_EQ(written.list.rect.Width(), 530);
  EXPECT_EQ(written.keyword_history.Width(), 430);
  // The server lets go; the units end with no window left to reach them.
  ASSERT_TRUE(server_.WaitFor("QUIT "));
  server_.CloseClient();
  ASSERT_TRUE(server_.Sync());
  loop_.Advance(100);
  EXPECT_TRUE(closed);
}

}  // namespace
}  // namespace zeph
