// The main window's macro side: the macro settings window and the popup
// menu editor open at their window.ini sizes and hand them back, the
// editor's OK reaches the menus, and macro actions drive the window.
#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QListView>
#include <QMenu>
#include <QTimer>
#include <filesystem>

#include "macro/macros.h"
#include "macro/widgets/macro_settings_window.h"
#include "macro/widgets/popup_menu_editor.h"
#include "platform/qt/qt_text.h"
#include "widgets/main_frame_fixture.h"

namespace zeph {
namespace {

std::string Sjis(const char* utf8) { return FromQString(QString::fromUtf8(utf8)); }

class MainFrameMacrosTest : public MainFrameTest {
 protected:
  // Runs `act` on the dialog the command opens, then closes it with OK or
  // Cancel; returns the dialog's size as it opened.
  QSize RunDialog(const char* command, bool ok, std::function<void(QDialog&)> act = nullptr) {
    QSize opened;
    frame_->before_dialog = [&](QDialog& dialog) {
      QTimer::singleShot(0, &dialog, [&] {
        opened = dialog.size();
        if (act) act(dialog);
        ok ? dialog.accept() : dialog.reject();
      });
    };
    Item(command)->trigger();
    frame_->before_dialog = nullptr;
    return opened;
  }
  // The texts of the menu the log view opens where nothing special is
  // under the mouse.
  QStringList GeneralMenu() {
    QStringList texts;
    QTimer::singleShot(0, [&] {
      if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        for (QAction* action : menu->actions())
          if (!action->isSeparator()) texts.push_back(action->text() + (action->isEnabled() ? "" : " (off)"));
        menu->close();
      }
    });
    QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint());
    QApplication::sendEvent(frame_->CurrentLogView(), &event);
    return texts;
  }
  // Opens the member list's menu on the row of `nick` and chooses the item
  // with the caption `item`.
  void ChooseOnMember(QListView& list, const QString& nick, const QString& item) {
    QModelIndex row;
    for (int i = 0; i < list.model()->rowCount(); ++i)
      if (list.model()->index(i, 0).data().toString() == nick) row = list.model()->index(i, 0);
    ASSERT_TRUE(row.isValid());
    bool chosen = false;
    QTimer::singleShot(0, [&] {
      if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        for (QAction* action : menu->actions())
          if (action->text() == item) {
            action->trigger();
            chosen = true;
          }
        menu->close();
      }
    });
    const QPoint at = list.visualRect(row).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, list.viewport()->mapToGlobal(at));
    QApplication::sendEvent(list.viewport(), &event);
    EXPECT_TRUE(chosen);
  }
};

TEST_F(MainFrameMacrosTest, TheEditorsOpenAtTheirWindowIniSizesAndKeepTheNewOnes) {
  Open();
  TWindowLayout& layout = app_->WindowLayout();
  layout.macro_select.rect = TWindowRect::At(0, 0, 510, 420);
  layout.popup_editor.rect = TWindowRect::At(0, 0, 630, 430);
  layout.popup_editor.header[1] = 190;
  EXPECT_EQ(RunDialog("macro", false, [](QDialog& d) { d.resize(530, 440); }), QSize(510, 420));
  EXPECT_EQ(layout.macro_select.rect.Width(), 530);
  EXPECT_EQ(RunDialog("popupmenu", false, [](QDialog& d) { d.resize(650, 450); }), QSize(630, 430));
  EXPECT_EQ(layout.popup_editor.rect.Height(), 450);
  EXPECT_EQ(layout.popup_editor.header[1], 190);
}

TEST_F(MainFrameMacrosTest, PopupItemsSavedInTheEditorShowInTheLogViewMenu) {
  Open();
  app_->PopupMenu().items.clear();
  EXPECT_TRUE(GeneralMenu().isEmpty());
  RunDialog("popupmenu", true, [](QDialog& d) {
    auto& editor = static_cast<TPopupMenuEditor&>(d);
    editor.Model().Insert(0, TPopupItem{0, Sjis("挨拶"), "send", "%c", Sjis("こんにちは"), 0});
    editor.Model().Insert(1, TPopupItem{0, Sjis("接続"), "Menu", "", "Connect", 0});
  });
  ASSERT_EQ(app_->PopupMenu().items.size(), 2u);
  EXPECT_TRUE(std::filesystem::exists(app_->PopupMenuFile()));
  // Not logged in: the sending item is off, the command item on.
  EXPECT_EQ(GeneralMenu(), (QStringList{QString::fromUtf8("挨拶 (off)"), QString::fromUtf8("接続")}));
  LogIn();
  EXPECT_EQ(GeneralMenu(), (QStringList{QString::fromUtf8("挨拶"), QString::fromUtf8("接続")}));
}

// Chosen on members, an item names each of them with %n, %l, %h and %c.
TEST_F(MainFrameMacrosTest, PopupItemsFromTheMemberMenuRunForEachChosenMember) {
  Open();
  app_->PopupMenu().items = {TPopupItem{0, Sjis("挨拶"), "send", "%n", "hi %n (%l@%h) in %c, from %u", 0}};
  LogIn();
  JoinRoom();
  server_.Send(":bob!~b@b.example JOIN :#room\r\n:carol!c@c.example JOIN :#room\r\n");
  ASSERT_TRUE(loop_.RunUntil([&] { return Room().Members().FindMember("carol") != nullptr; }));
  QListView* list = nullptr;
  for (QListView* view : frame_->findChildren<QListView*>())
    if (view->model() && view->model()->rowCount() == 3) list = view;
  ASSERT_NE(list, nullptr);
  server_.ClearReceived();

  ChooseOnMember(*list, "bob", QString::fromUtf8("挨拶"));
  ASSERT_TRUE(server_.WaitFor("NOTICE bob :hi bob (~b@b.example) in #room, from a\r\n"));
  EXPECT_EQ(server_.Received().find("NOTICE carol"), std::string::npos);

  // Every selected member once, ourselves too.
  server_.ClearReceived();
  list->selectAll();
  ChooseOnMember(*list, "carol", QString::fromUtf8("挨拶"));
  ASSERT_TRUE(server_.WaitFor("NOTICE carol :hi carol (c@c.example) in #room, from a\r\n"));
  ASSERT_TRUE(server_.WaitFor("NOTICE bob :hi bob (~b@b.example) in #room, from a\r\n"));
  ASSERT_TRUE(server_.WaitFor("NOTICE a :hi a ("));
  const std::string& sent = server_.Received();
  size_t notices = 0;
  for (size_t at = sent.find("NOTICE "); at != std::string::npos; at = sent.find("NOTICE ", at + 1)) ++notices;
  EXPECT_EQ(notices, 3u);
}

TEST_F(MainFrameMacrosTest, MacroActionsReachTheWindowAndItsCommands) {
  Open();
  frame_->show();
  TMacroWindow& window = app_->Macros().Window();
  window.WindowCommand("minimize");
  EXPECT_TRUE(frame_->isMinimized());
  window.WindowCommand("show");
  EXPECT_FALSE(frame_->isMinimized());
  // A command for the unit runs as its menu item would.
  window.RunCommand(Unit(), TMainCommand::Connect);
  EXPECT_TRUE(server_.WaitFor("USER "));
  EXPECT_EQ(window.SelectedText(), "");
}

}  // namespace
}  // namespace zeph
