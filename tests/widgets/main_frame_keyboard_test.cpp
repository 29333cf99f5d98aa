// The main window from the keyboard: the focus cycle, stray keys, the
// search highlight of every log, pastes, and the windows of the commands.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QTreeView>

#include "display/widgets/log_view.h"
#include "engine/widgets/member_detail_model.h"
#include "engine/widgets/member_info_window.h"
#include "engine/widgets/protocol_log_window.h"
#include "platform/sjis.h"
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

  QGuiApplication::clipboard()->setText("one\ntwo\n");
  frame_->Action("paste")->trigger();
  auto* dialog = frame_->findChild<QDialog*>("Zephlora2PasteConfirm");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("貼り付け確認"));
  dialog->reject();
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

}  // namespace
}  // namespace zeph
