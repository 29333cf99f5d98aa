// The protocol log window shows a unit's traffic while it is open.
#include <gtest/gtest.h>

#include "engine/widgets/protocol_log_window.h"
#include "support/session_fixture.h"

namespace zeph {
namespace {

class ProtocolLogWindowTest : public test::SessionTest {
 protected:
  void SetUp() override {
    LogIn();
    Sent();
    windows_ = std::make_unique<TProtocolLogWindows>();
    world_->SetProtocolLog(windows_.get());
  }
  void TearDown() override {
    world_->SetProtocolLog(nullptr);
    windows_.reset();
  }
  std::unique_ptr<TProtocolLogWindows> windows_;
};

TEST_F(ProtocolLogWindowTest, ShowsBothWaysOnlyWhileOpenAndGivesBackItsPlace) {
  Receive(":irc.test NOTICE me :before");
  EXPECT_FALSE(windows_->IsProtocolLogOpen(*unit_));

  TWindowEntry stored;
  windows_->store_geometry = [&](const TWindowEntry& place) { stored = place; };
  TProtocolLogWindow& window = windows_->Open(*unit_);
  EXPECT_EQ(&windows_->Open(*unit_), &window);
  Receive(":irc.test NOTICE me :after");
  unit_->SendCommand("PRIVMSG", "#c", "hello", 1, 0);
  Settle();
  const QStringList lines = window.toPlainText().split('\n');
  EXPECT_FALSE(window.toPlainText().contains("before"));
  EXPECT_TRUE(lines.contains("< :irc.test NOTICE me :after"));
  EXPECT_TRUE(lines.contains("> PRIVMSG #c hello"));

  window.close();
  EXPECT_EQ(stored.rect.Width(), 500);
  windows_->UnitRemoved(*unit_);
  EXPECT_FALSE(windows_->IsProtocolLogOpen(*unit_));
}

}  // namespace
}  // namespace zeph
