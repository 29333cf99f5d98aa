#include "dcc/dcc_manager.h"

#include <gtest/gtest.h>

#include "dcc_support.h"
#include "support/temp_dir.h"

namespace zeph {
namespace {
using test::kDccUnit;

constexpr uint32_t kLoopback = 0x7F000001;

// What a window hears of the lists.
class TRecorder : public TDccObserver {
 public:
  void TransferAdded(TTransferKind kind, size_t row) override { Note("added", kind, row); }
  void TransferRemoving(TTransferKind kind, size_t row) override { Note("removing", kind, row); }
  void TransferRemoved(TTransferKind kind, size_t row) override { Note("removed", kind, row); }
  void TransferChanged(TTransferKind kind, size_t row) override { Note("changed", kind, row); }
  void WindowRequested(const TFileOfferReaction& request) override { requests.push_back(request); }
  void CloseRequested() override { ++closes; }

  void Note(const char* what, TTransferKind kind, size_t row) {
    notices.push_back(std::string(what) + (kind == TTransferKind::Receive ? " r" : " s") + std::to_string(row));
  }

  std::vector<std::string> notices;
  std::vector<TFileOfferReaction> requests;
  int closes = 0;
};

class DccManagerTest : public ::testing::Test {
 protected:
  DccManagerTest() : alice_(loop_, dir_.Path() / "a", test::FreeLoopbackPort()), bob_(loop_, dir_.Path() / "b", 0) {
    test::Pair(loop_, alice_, "alice", bob_, "bob");
    alice_.manager.AddObserver(&alice_seen_);
    bob_.manager.AddObserver(&bob_seen_);
  }

  test::TTempDir dir_;
  TPollLoop loop_;
  test::TDccSide alice_;
  test::TDccSide bob_;
  TRecorder alice_seen_;
  TRecorder bob_seen_;
};

TEST_F(DccManagerTest, ObserversHearOfEveryRowAndTheWindowReactions) {
  bob_.prefs.DCCReceiveAction = 1;
  bob_.prefs.BlinkDialogOnReceive = true;
  uint64_t first = *bob_.manager.OnFileOffer(kDccUnit, "x", TDccSend{"a", kLoopback, 1100, 5, 0}, {});
  bob_.manager.OnFileOffer(kDccUnit, "x", TDccSend{"b", kLoopback, 1101, 5, 0}, {});
  ASSERT_EQ(bob_seen_.requests.size(), 2u);
  EXPECT_TRUE(bob_seen_.requests[0].show_window);
  EXPECT_TRUE(bob_seen_.requests[0].blink_window);
  bob_.manager.Remove(TTransferKind::Receive, std::vector<uint64_t>{first});
  EXPECT_EQ(bob_seen_.notices, (std::vector<std::string>{"added r0", "added r1", "removing r0", "removed r0"}));
  EXPECT_EQ(bob_.manager.Receive(0).OfferedName(), "b");
}

TEST_F(DccManagerTest, AFinishedTransferClosesTheWindowWhenAllAreComplete) {
  alice_.prefs.CloseDialogOnEndTransfer = true;
  alice_.prefs.InstantSend = true;
  test::WriteFile(dir_.Path() / "f.txt", "hello");
  alice_.manager.AddSend(kDccUnit, "bob", dir_.Path() / "f.txt");
  EXPECT_EQ(alice_.manager.Send(0).State(), TTransferState::Negotiating);
  EXPECT_TRUE(alice_.manager.IsTicking());
  ASSERT_TRUE(loop_.RunUntil([&] { return alice_.manager.Send(0).State() == TTransferState::Complete; }));
  EXPECT_EQ(alice_seen_.closes, 1);
  EXPECT_EQ(alice_seen_.requests.size(), 1u);  // ViewDialogOnSend
  ASSERT_TRUE(loop_.RunUntil([&] { return bob_.manager.Count(TTransferKind::Receive) == 1 &&
                                          bob_.manager.Receive(0).State() == TTransferState::Complete; }));
  // Once nothing is active, the next tick stops the manager's timer.
  loop_.Advance(1000);
  EXPECT_FALSE(alice_.manager.IsTicking());
  EXPECT_FALSE(bob_.manager.IsTicking());
}

TEST_F(DccManagerTest, AMissingFileFailsTheSendWithoutAnOffer) {
  alice_.manager.AddSend(kDccUnit, "bob", dir_.Path() / "missing");
  alice_.manager.Start(TTransferKind::Send, std::vector<uint64_t>{alice_.manager.Send(0).Id()});
  EXPECT_EQ(alice_.manager.Send(0).State(), TTransferState::Failed);
  EXPECT_TRUE(alice_.link.sent.empty());
  ASSERT_EQ(alice_.link.reports.size(), 1u);
  EXPECT_FALSE(alice_.link.reports[0].complete);
}

}  // namespace
}  // namespace zeph
