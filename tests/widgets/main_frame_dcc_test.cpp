// The main window's DCC: the menu item opens the DCC window placed as
// window.ini says, and dropped files are offered to the members the drop
// rule picks, or to the nick of the WHOIS dialog they are dropped on.
#include <QApplication>
#include <QDropEvent>
#include <QListView>
#include <QMimeData>
#include <QUrl>
#include <fstream>

#include "dcc/widgets/dcc_window.h"
#include "dcc/widgets/dcc_windows.h"
#include "protocol/widgets/whois_dialog.h"
#include "widgets/main_frame_fixture.h"

namespace zeph {
namespace {

class MainFrameDccTest : public MainFrameTest {
 protected:
  std::unique_ptr<TDccWindows> dcc_;

  ~MainFrameDccTest() override {
    frame_.reset();
    dcc_.reset();
  }
  void OpenWithDcc() {
    Open();
    dcc_ = std::make_unique<TDccWindows>(app_->Dcc(), app_->WindowLayout());
    frame_->SetDccWindows(dcc_.get());
  }
  std::filesystem::path File(const char* name) {
    std::filesystem::path path = home_.Path() / name;
    std::ofstream(path) << "data";
    return path;
  }
  QListView* Members() {
    for (QListView* list : frame_->findChildren<QListView*>())
      if (list->model() && list->model()->rowCount() == 3) return list;
    return nullptr;
  }
  size_t Sends() { return app_->Dcc().Manager().Count(TTransferKind::Send); }
};

TEST_F(MainFrameDccTest, TheMenuItemShowsTheWindowWhereTheLayoutPutsIt) {
  Open();
  EXPECT_FALSE(Item("dcc")->isEnabled());  // nothing to show yet
  dcc_ = std::make_unique<TDccWindows>(app_->Dcc(), app_->WindowLayout());
  app_->WindowLayout().dcc.rect = TWindowRect::At(30, 40, 620, 410);
  app_->WindowLayout().dcc.header[0] = 81;
  frame_->SetDccWindows(dcc_.get());
  ASSERT_TRUE(Item("dcc")->isEnabled());
  Item("dcc")->trigger();
  ASSERT_TRUE(dcc_->Window() && dcc_->Window()->isVisible());
  EXPECT_EQ(dcc_->Window()->size(), QSize(620, 410));
  // What the user changed goes back into the layout window.ini is written from.
  dcc_->Window()->resize(640, 430);
  frame_->StoreLayout();
  EXPECT_EQ(app_->WindowLayout().dcc.rect.Width(), 640);
  EXPECT_EQ(app_->WindowLayout().dcc.header[0], 81);
}

TEST_F(MainFrameDccTest, DroppedFilesGoToTheSelectedMembersElseToANickAskedFor) {
  OpenWithDcc();
  QStringList files{QString::fromStdString(File("a.txt").string())};
  // No channel selected: nothing happens, nothing is asked.
  frame_->DropFiles(files, QPoint(-1000, -1000));
  EXPECT_EQ(asked_, 0);
  LogIn();
  JoinRoom();
  server_.Send(":irc.test 353 a = #room :a bob carol\r\n:irc.test 366 a #room :End\r\n");
  ASSERT_TRUE(loop_.RunUntil([&] { return Room().Members().FindMember("carol") != nullptr; }));
  QListView* members = Members();
  ASSERT_NE(members, nullptr);
  // Nobody selected, dropped away from the list: the nick is asked for.
  frame_->DropFiles(files, QPoint(-1000, -1000));
  EXPECT_EQ(asked_, 1);
  ASSERT_EQ(Sends(), 1u);
  EXPECT_EQ(app_->Dcc().Manager().Send(0).Nick(), "x");
  // Two members selected: each gets the file, nobody is asked.
  members->selectAll();
  members->selectionModel()->select(members->model()->index(0, 0), QItemSelectionModel::Deselect);
  frame_->DropFiles(files, QPoint(-1000, -1000));
  EXPECT_EQ(asked_, 1);
  ASSERT_EQ(Sends(), 3u);
  EXPECT_EQ(app_->Dcc().Manager().Send(1).Nick(), "bob");
  EXPECT_EQ(app_->Dcc().Manager().Send(2).Nick(), "carol");
}

TEST_F(MainFrameDccTest, FilesDroppedOnAWhoisDialogGoToItsNickInOrder) {
  OpenWithDcc();
  LogIn();
  server_.Send(":irc.test 311 a bob u h.example * :Bob\r\n");
  TWhoisDialog* dialog = nullptr;
  ASSERT_TRUE(loop_.RunUntil([&] { return (dialog = frame_->findChild<TWhoisDialog*>()) != nullptr; }));

  QMimeData files;
  files.setUrls({QUrl::fromLocalFile(QString::fromStdString(File("b.txt").string())),
                 QUrl::fromLocalFile(QString::fromStdString(File("a.txt").string()))});
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(dialog, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(dialog, &drop);
  ASSERT_EQ(Sends(), 2u);
  EXPECT_EQ(app_->Dcc().Manager().Send(0).Nick(), "bob");
  EXPECT_EQ(app_->Dcc().Manager().Send(0).Path().filename(), "b.txt");
  EXPECT_EQ(app_->Dcc().Manager().Send(1).Path().filename(), "a.txt");

  // Only while logged in.
  Unit().Disconnect(true, false);
  ASSERT_FALSE(Unit().IsLoggedIn());
  dialog->SendDroppedFiles({QString::fromStdString(File("c.txt").string())});
  EXPECT_EQ(Sends(), 2u);
}

}  // namespace
}  // namespace zeph
