// A confirmed paste goes to its target only while the target is there.
#include <gtest/gtest.h>

#include "app/paste_send.h"
#include "engine/channel.h"
#include "support/session_fixture.h"

namespace zeph {
namespace {

class PasteSendTest : public test::SessionTest {
 protected:
  void SetUp() override {
    LogIn();
    Receive(":me!u@h JOIN :#c");
    Sent();
  }
};

TEST_F(PasteSendTest, SendsLineByLineAndNothingOnceTheTargetClosed) {
  TChannel* channel = unit_->FindChannel("#c");
  ASSERT_NE(channel, nullptr);
  const TPasteTarget target{unit_->Id(), channel->Id()};
  EXPECT_FALSE(SendConfirmedPaste(*world_, target, "", false));
  EXPECT_TRUE(SendConfirmedPaste(*world_, target, "one\r\ntwo\r\n", true));
  Settle();
  EXPECT_EQ(Sent(), (std::vector<std::string>{"NOTICE #c :one", "NOTICE #c :two"}));

  world_->CloseTarget(*unit_, *channel);
  Sent();
  EXPECT_FALSE(SendConfirmedPaste(*world_, target, "three", false));
  Settle();
  EXPECT_TRUE(Sent().empty());
}

TEST(PasteChoicesTest, KeepsTheMarkAndTheNoticeBox) {
  TPreferences prefs;
  EXPECT_FALSE(KeepPasteChoices(prefs, prefs.ReferenceMark, prefs.SendMultiLineByNotice));
  EXPECT_TRUE(KeepPasteChoices(prefs, "| ", false));
  EXPECT_EQ(prefs.ReferenceMark, "| ");
  EXPECT_FALSE(prefs.SendMultiLineByNotice);
}

}  // namespace
}  // namespace zeph
