// The input box, the search panel and the paste confirmation, driven by
// keys as the user types them.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "app/widgets/input_box.h"
#include "app/widgets/key_table.h"
#include "app/widgets/paste_confirm_dialog.h"
#include "app/widgets/search_panel.h"
#include "engine/channel.h"
#include "support/session_fixture.h"

namespace zeph {
namespace {

TEST(KeyTableTest, KeysMapToTheirCommands) {
  struct Case {
    int key;
    Qt::KeyboardModifiers modifiers;
    TKeyAction action;
    int number;
  } cases[] = {
      {Qt::Key_Return, Qt::NoModifier, TKeyAction::Submit, 0},
      {Qt::Key_Enter, Qt::KeypadModifier, TKeyAction::Submit, 0},
      {Qt::Key_M, Qt::ControlModifier, TKeyAction::Submit, 0},
      {Qt::Key_Tab, Qt::NoModifier, TKeyAction::FocusForward, 0},
      {Qt::Key_Backtab, Qt::ShiftModifier, TKeyAction::FocusBackward, 0},
      {Qt::Key_Up, Qt::ShiftModifier, TKeyAction::LogRowUp, 0},
      {Qt::Key_End, Qt::ControlModifier, TKeyAction::LogEnd, 0},
      {Qt::Key_Home, Qt::ControlModifier | Qt::ShiftModifier, TKeyAction::ConsoleTop, 0},
      {Qt::Key_Tab, Qt::ControlModifier, TKeyAction::NextActive, 0},
      {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, TKeyAction::PreviousActive, 0},
      {Qt::Key_BracketRight, Qt::ControlModifier, TKeyAction::NextLoggedInUnit, 0},
      {Qt::Key_Left, Qt::AltModifier, TKeyAction::PreviousUnit, 0},
      {Qt::Key_BracketLeft, Qt::AltModifier, TKeyAction::PreviousActive, 0},
      {Qt::Key_Space, Qt::ControlModifier | Qt::ShiftModifier, TKeyAction::PreviousUnread, 0},
      {Qt::Key_3, Qt::ControlModifier | Qt::KeypadModifier, TKeyAction::SelectNumber, 3},
      {Qt::Key_2, Qt::ControlModifier | Qt::AltModifier, TKeyAction::SelectNumber, 12},
      {Qt::Key_Up, Qt::ControlModifier | Qt::AltModifier, TKeyAction::MoveUp, 0},
      {Qt::Key_Slash, Qt::ControlModifier, TKeyAction::ToggleExpand, 0},
      {Qt::Key_X, Qt::ControlModifier, TKeyAction::None, 0},
      {Qt::Key_A, Qt::NoModifier, TKeyAction::None, 0},
  };
  for (const Case& c : cases) {
    const TKeyCommand command = InputKeyCommand(c.key, c.modifiers);
    EXPECT_EQ(command.action, c.action) << std::hex << c.key << " " << c.modifiers.toInt();
    EXPECT_EQ(command.number, c.number) << std::hex << c.key;
  }
}

TEST(InputBoxTest, HistoryFollowsUpAndDownAndARefusedLineStays) {
  TInputBox box;
  std::vector<std::tuple<QString, bool, bool>> sent;
  bool accept = true;
  box.submit = [&](const QString& text, bool notice, bool action) {
    sent.emplace_back(text, notice, action);
    return accept;
  };
  QTest::keyClicks(&box, "one");
  QTest::keyClick(&box, Qt::Key_Return);
  QTest::keyClicks(&box, "two");
  QTest::keyClick(&box, Qt::Key_Return, Qt::ControlModifier);
  QTest::keyClicks(&box, "three");
  QTest::keyClick(&box, Qt::Key_M, Qt::ControlModifier);
  EXPECT_EQ(sent, (std::vector<std::tuple<QString, bool, bool>>{
                      {"one", false, false}, {"two", true, false}, {"three", false, false}}));
  EXPECT_TRUE(box.text().isEmpty());

  QTest::keyClicks(&box, "half");
  QTest::keyClick(&box, Qt::Key_Up);
  EXPECT_EQ(box.text(), "three");
  EXPECT_EQ(box.cursorPosition(), 5);
  QTest::keyClick(&box, Qt::Key_Up);
  QTest::keyClick(&box, Qt::Key_Down);
  QTest::keyClick(&box, Qt::Key_Down);
  EXPECT_EQ(box.text(), "half");

  accept = false;
  QTest::keyClick(&box, Qt::Key_Return, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(std::get<2>(sent.back()), true);  // an action
  EXPECT_EQ(box.text(), "half");
}

TEST(InputBoxTest, TableKeysGoToTheOwnerAndAStrayKeyLandsAtTheEnd) {
  TInputBox box;
  std::vector<TKeyAction> commands;
  box.command = [&](const TKeyCommand& command) { return commands.push_back(command.action), true; };
  QTest::keyClick(&box, Qt::Key_Tab);
  QTest::keyClick(&box, Qt::Key_Down, Qt::AltModifier);
  EXPECT_EQ(commands, (std::vector<TKeyAction>{TKeyAction::FocusForward, TKeyAction::NextNode}));

  box.setText("ab");
  box.setCursorPosition(0);
  QKeyEvent letter(QEvent::KeyPress, Qt::Key_C, Qt::NoModifier, "c");
  box.TakeStrayKey(&letter);
  EXPECT_EQ(box.text(), "abc");
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
  box.TakeStrayKey(&enter);
  EXPECT_EQ(box.text(), "abc");
}

TEST(SearchPanelTest, WordsAndKeys) {
  TSearchPanel panel;
  std::vector<std::string> words;
  std::vector<bool> finds;
  int closes = 0;
  panel.words_changed = [&](const std::vector<std::string>& w) { words = w; };
  panel.find = [&](bool downward) { finds.push_back(downward); };
  panel.close_requested = [&] { ++closes; };
  QTest::keyClicks(&panel.SearchBox(), "foo  bar");
  EXPECT_EQ(words, (std::vector<std::string>{"foo", "bar"}));
  QTest::keyClick(&panel.SearchBox(), Qt::Key_Return);
  QTest::keyClick(&panel.SearchBox(), Qt::Key_Return, Qt::ShiftModifier);
  QTest::keyClick(&panel.SearchBox(), Qt::Key_Down);
  QTest::keyClick(&panel.SearchBox(), Qt::Key_Up);
  EXPECT_EQ(finds, (std::vector<bool>{true, false, true, false}));
  QTest::keyClick(&panel.SearchBox(), Qt::Key_Escape);
  EXPECT_EQ(closes, 1);
}

class PasteConfirmTest : public test::SessionTest {
 protected:
  void SetUp() override {
    LogIn();
    Receive(":me!u@h JOIN :#c");
    Sent();
    channel_ = unit_->FindChannel("#c");
  }
  TChannel* channel_ = nullptr;
};

TEST_F(PasteConfirmTest, CleansQuotesSendsAndKeepsTheChoices) {
  prefs_.ReferenceMark = ">";
  prefs_.SendMultiLineByNotice = false;
  TPasteConfirmDialog dialog(*world_, prefs_, {unit_->Id(), channel_->Id()}, "one\r\n \r\n\x81\x40\r\ntwo\n");
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("貼り付け確認"));
  dialog.RemoveBlankLines();
  EXPECT_EQ(dialog.TextBox().toPlainText(), "one\ntwo\n");
  dialog.MarkBox().setText("| ");
  dialog.AddQuoteMark();
  EXPECT_EQ(dialog.TextBox().toPlainText(), "| one\n| two\n");
  int saves = 0;
  dialog.preferences_changed = [&] { ++saves; };
  dialog.Send();
  Settle();
  EXPECT_EQ(Sent(), (std::vector<std::string>{"PRIVMSG #c :| one", "PRIVMSG #c :| two"}));
  EXPECT_EQ(prefs_.ReferenceMark, "| ");
  EXPECT_EQ(saves, 1);
}

TEST_F(PasteConfirmTest, NothingGoesToATargetThatClosedOrFromAnEmptyBox) {
  TPasteConfirmDialog dialog(*world_, prefs_, {unit_->Id(), channel_->Id()}, "a\nb");
  world_->CloseTarget(*unit_, *channel_);
  Sent();
  dialog.Send();
  Settle();
  EXPECT_TRUE(Sent().empty());

  TPasteConfirmDialog empty(*world_, prefs_, {unit_->Id(), 0}, "");
  empty.MarkBox().setText("#");
  empty.Send();
  EXPECT_EQ(prefs_.ReferenceMark, ">");  // an empty send keeps nothing
}

}  // namespace
}  // namespace zeph
