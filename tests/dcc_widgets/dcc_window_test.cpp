// The DCC window over a manager on a hand-driven loop: the panes follow the
// manager's notices, the menus act on the selected entries, and the layout
// goes to window.ini and back.
#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

#include "dcc/dcc_support.h"
#include "dcc/widgets/dcc_window.h"
#include "dcc/widgets/transfer_model.h"
#include "platform/sjis.h"
#include "settings/ini_file.h"
#include "settings/ini_writer.h"
#include "support/temp_dir.h"

namespace zeph {
namespace {
namespace fs = std::filesystem;
using test::kDccUnit;
constexpr auto kReceive = TTransferKind::Receive;
constexpr auto kSend = TTransferKind::Send;
constexpr uint32_t kLoopback = 0x7F000001;

void App() {
  if (QApplication::instance()) return;
  static int argc = 1;
  static char name[] = "dcc_widgets_tests";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
}

QString Cell(const QAbstractItemModel& model, int row, int column) {
  return model.data(model.index(row, column), Qt::DisplayRole).toString();
}

class DccWindowTest : public ::testing::Test {
 protected:
  DccWindowTest() : side_(loop_, dir_.Path() / "in", test::FreeLoopbackPort()) {
    App();
    side_.prefs.DCCReceiveAction = 1;
    window_ = std::make_unique<TDccWindow>(side_.manager, side_.prefs);
    window_->open_path = [this](const QString& path) { opened_.push_back(path); };
    window_->confirm = [this](const QString& question) {
      questions_.push_back(question);
      return answer_;
    };
  }
  uint64_t Offer(const std::string& name, int port = 1100, int64_t size = 1000) {
    return *side_.manager.OnFileOffer(kDccUnit, "peer", TDccSend{name, kLoopback, port, size, 0}, {});
  }
  void Select(TTransferKind kind, std::initializer_list<int> rows) {
    QTreeView& view = window_->View(kind);
    view.clearSelection();
    for (int row : rows)
      view.selectionModel()->select(view.model()->index(row, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
  }
  QAbstractItemModel& Model(TTransferKind kind) { return window_->Model(kind); }

  test::TTempDir dir_;
  TPollLoop loop_;
  test::TDccSide side_;
  std::unique_ptr<TDccWindow> window_;
  std::vector<QString> opened_;
  std::vector<QString> questions_;
  bool answer_ = false;
};

TEST_F(DccWindowTest, PanesFollowTheManagersRowsAndShowTheirColumns) {
  EXPECT_EQ(Model(kReceive).columnCount(), 9);
  EXPECT_EQ(Model(kSend).columnCount(), 8);
  EXPECT_EQ(Model(kReceive).headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QString::fromUtf8("送信元"));
  EXPECT_EQ(Model(kSend).headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QString::fromUtf8("送信先"));
  EXPECT_EQ(Model(kReceive).headerData(3, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>() &
                Qt::AlignRight,
            Qt::AlignRight);

  Offer("a.txt", 1100);
  Offer(Sjis("日本.txt"), 1101, 1234567);
  ASSERT_EQ(Model(kReceive).rowCount(), 2);
  EXPECT_EQ(Cell(Model(kReceive), 0, 0), "peer");
  EXPECT_EQ(Cell(Model(kReceive), 1, 1), QString::fromUtf8("日本.txt"));
  EXPECT_EQ(Cell(Model(kReceive), 1, 2), QString::fromUtf8("待機"));
  EXPECT_EQ(Cell(Model(kReceive), 1, 3), "0 / 1,234,567");
  EXPECT_EQ(Cell(Model(kReceive), 0, 7), "127.0.0.1:1100");

  // A change of state shows at once, without a tick.
  Select(kReceive, {1});
  window_->QueueSelected(kReceive);
  EXPECT_EQ(Cell(Model(kReceive), 1, 2), QString::fromUtf8("受信予約"));
  EXPECT_EQ(Cell(Model(kReceive), 0, 2), QString::fromUtf8("待機"));

  Select(kReceive, {0});
  window_->RemoveSelected(kReceive);
  ASSERT_EQ(Model(kReceive).rowCount(), 1);
  EXPECT_EQ(Cell(Model(kReceive), 0, 1), QString::fromUtf8("日本.txt"));
}

TEST_F(DccWindowTest, DataFlowingShowsAtTheProgressTickAndTheTitleCounts) {
  test::TLoopbackPeer peer(loop_);
  Offer("p.bin", peer.Port(), 1000);
  window_->Activated(kReceive, Model(kReceive).index(0, 0));  // a double click starts a waiting entry
  ASSERT_TRUE(peer.WaitForClient());
  peer.Send(std::string(400, 'x'));
  ASSERT_TRUE(loop_.RunUntil([&] { return side_.manager.Receive(0).Position() == 400; }));
  EXPECT_EQ(window_->windowTitle(), QString::fromUtf8("DCCファイル送受信 [受1/送0]"));
  // Blocks of data wait for the tick.
  QString before = Cell(Model(kReceive), 0, 3);
  EXPECT_NE(before, "400 / 1,000");
  window_->Model(kReceive).ProgressTick();
  EXPECT_EQ(Cell(Model(kReceive), 0, 3), "400 / 1,000");
  EXPECT_EQ(Cell(Model(kReceive), 0, 4), "40%");

  peer.Send(std::string(600, 'y'));
  ASSERT_TRUE(loop_.RunUntil([&] { return side_.manager.Receive(0).State() == TTransferState::Complete; }));
  EXPECT_EQ(Cell(Model(kReceive), 0, 2), QString::fromUtf8("受信完了"));  // at once
  EXPECT_EQ(window_->windowTitle(), QString::fromUtf8("DCCファイル送受信"));
}

TEST_F(DccWindowTest, OpeningAFinishedFileAsksFirstWhenItRunsPrograms) {
  for (const char* name : {"run.sh", "note.txt"}) {
    test::TLoopbackPeer peer(loop_);
    Offer(name, peer.Port(), 3);
    size_t row = side_.manager.Count(kReceive) - 1;
    side_.manager.Start(kReceive, std::vector<uint64_t>{side_.manager.Receive(row).Id()});
    ASSERT_TRUE(peer.WaitForClient());
    peer.Send("abc");
    ASSERT_TRUE(loop_.RunUntil([&] { return side_.manager.Receive(row).State() == TTransferState::Complete; }));
  }
  Select(kReceive, {0});
  window_->OpenSelected(kReceive);
  ASSERT_EQ(questions_.size(), 1u);
  EXPECT_EQ(questions_[0], QString::fromUtf8("run.sh\n危険なファイルですが本当に開きますか?"));
  EXPECT_TRUE(opened_.empty());  // the answer was Cancel
  answer_ = true;
  window_->Activated(kReceive, Model(kReceive).index(0, 0));
  ASSERT_EQ(opened_.size(), 1u);
  EXPECT_TRUE(opened_[0].endsWith("/in/run.sh"));
  window_->Activated(kReceive, Model(kReceive).index(1, 0));
  EXPECT_EQ(questions_.size(), 2u);  // no question for a text file
  EXPECT_TRUE(opened_.back().endsWith("/in/note.txt"));
}

TEST_F(DccWindowTest, TheLayoutGoesToWindowIniAndBack) {
  TDccWindowLayout layout;
  layout.left = 10;
  layout.top = 20;
  layout.width = 700;
  layout.height = 500;
  layout.receive_columns[8] = 77;
  layout.send_columns[0] = 55;
  fs::path file = dir_.Path() / "window.ini";
  ASSERT_TRUE(SaveIniSection(file, "DCC", TFilePrivacy::Shared,
                             [&](TIniWriter& writer) { WriteDccWindowLayout(writer, layout); }));
  TIniFile ini;
  ASSERT_TRUE(ini.Load(file));
  EXPECT_EQ(ReadDccWindowLayout(ini), layout);
  window_->ApplyLayout(layout);
  EXPECT_EQ(window_->Layout().receive_columns[8], 77);
  EXPECT_EQ(window_->Layout().send_columns[0], 55);
  // An empty file gives the defaults.
  TIniFile empty;
  EXPECT_EQ(ReadDccWindowLayout(empty), TDccWindowLayout());
}

}  // namespace
}  // namespace zeph
