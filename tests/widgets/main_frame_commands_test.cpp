// The mode dialog, the nick dialog and the action prompt: what they send to the server, and
// that a channel closed or changed while they are open gets nothing.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QSpinBox>
#include <QTimer>
#include <functional>

#include "app/widgets/mode_dialog.h"
#include "platform/qt/qt_text.h"
#include "widgets/main_frame_fixture.h"

namespace zeph {
namespace {

class MainFrameCommandsTest : public MainFrameTest {
 protected:
  void SetUp() override {
    Open();
    LogIn();
    JoinRoom();
    server_.Send(":irc.test 324 a #room +ntk old\r\n");
    ASSERT_TRUE(loop_.RunUntil([&] { return Room().Mode().key == "old"; }));
    server_.ClearReceived();
  }

  // Opens "モードの変更" on the room, lets `edit` set its boxes, presses OK.
  void ChangeMode(const std::function<void(TModeDialog&)>& edit) {
    bool opened = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<TModeDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      opened = true;
      edit(*dialog);
      dialog->accept();
    });
    Item("mode")->trigger();
    EXPECT_TRUE(opened);
  }
  static QCheckBox& Box(TModeDialog& dialog, const char* name) {
    return *dialog.findChild<QCheckBox*>(QString::fromLatin1(name));
  }
};

TEST_F(MainFrameCommandsTest, TheModeDialogShowsTheModeAndSendsWhatChanged) {
  ChangeMode([](TModeDialog& dialog) {
    EXPECT_TRUE(Box(dialog, "n").isChecked());
    EXPECT_TRUE(Box(dialog, "t").isChecked());
    EXPECT_FALSE(Box(dialog, "m").isChecked());
    EXPECT_TRUE(Box(dialog, "k").isChecked());
    EXPECT_EQ(dialog.findChild<QLineEdit*>("key")->text(), QStringLiteral("old"));
    EXPECT_FALSE(Box(dialog, "l").isChecked());
    EXPECT_FALSE(dialog.findChild<QSpinBox*>("limit")->isEnabled());
    Box(dialog, "m").setChecked(true);
    Box(dialog, "t").setChecked(false);
    Box(dialog, "l").setChecked(true);
    dialog.findChild<QSpinBox*>("limit")->setValue(10);
    dialog.findChild<QLineEdit*>("key")->setText(QStringLiteral("new"));
  });
  // The old key must go before the new one is set.
  ASSERT_TRUE(server_.WaitFor("MODE #room +k new\r\n"));
  EXPECT_EQ(server_.Received(), "MODE #room +m-t+l-k 10 old\r\nMODE #room +k new\r\n");
}

TEST_F(MainFrameCommandsTest, TheModeDialogSendsNothingUnchangedOrForAChannelClosedMeanwhile) {
  // Someone sets +m while the dialog is open: OK without a change of the
  // user's own does not take it back.
  ChangeMode([&](TModeDialog&) {
    server_.Send(":b!u@h MODE #room +m\r\n");
    ASSERT_TRUE(loop_.RunUntil([&] { return Room().Mode().m; }));
  });
  ChangeMode([&](TModeDialog& dialog) {
    Box(dialog, "i").setChecked(true);
    World().CloseTarget(Unit(), Room());
  });
  ASSERT_TRUE(server_.Sync());
  EXPECT_EQ(server_.Received().find("MODE"), std::string::npos);
}

TEST_F(MainFrameCommandsTest, SendActionAsksAndSendsAnActionToTheTarget) {
  QString title, label;
  frame_->ask_text = [&](const QString& t, const QString& l, const QString&, bool* ok) {
    title = t;
    label = l;
    if (while_asking_) while_asking_();
    *ok = true;
    return QString::fromUtf8("手を振る");
  };
  Item("sendaction")->trigger();
  EXPECT_EQ(title, QString::fromUtf8("#room へアクション送信 - "));
  EXPECT_EQ(label, QString::fromUtf8("メッセージを入力してください"));
  ASSERT_TRUE(server_.WaitFor("\x01\r\n"));
  EXPECT_EQ(server_.Received().rfind("PRIVMSG #room :\x01" "ACTION ", 0), 0u);

  server_.ClearReceived();
  while_asking_ = [&] { World().CloseTarget(Unit(), Room()); };
  Item("sendaction")->trigger();
  ASSERT_TRUE(server_.Sync());
  EXPECT_EQ(server_.Received().find("ACTION"), std::string::npos);
}

TEST_F(MainFrameCommandsTest, TheNickDialogAsksTheServerForTheNewNickInAFullWidthBox) {
  const QString nick = QStringLiteral("WWWWWWWWW");
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    auto* box = dialog->findChild<QComboBox*>();
    ASSERT_NE(box, nullptr);
    box->setEditText(nick);
    // A nick of the hinted nine letters is read whole, not scrolled.
    EXPECT_GE(box->lineEdit()->width(), box->fontMetrics().horizontalAdvance(nick));
    dialog->accept();
  });
  Item("nick")->trigger();
  // The nick is ours only once the server confirms it.
  ASSERT_TRUE(server_.WaitFor("NICK WWWWWWWWW\r\n"));
  EXPECT_EQ(Unit().Nick(), "a");
}

}  // namespace
}  // namespace zeph
