#include "dcc/transfer_row.h"

#include <gtest/gtest.h>

#include "dcc_support.h"
#include "platform/sjis.h"
#include "support/temp_dir.h"

namespace zeph {
namespace {

TEST(TransferRow, NumbersAndTimesAreWrittenForTheColumns) {
  struct {
    int64_t value;
    const char* text;
  } numbers[] = {{0, "0"}, {999, "999"}, {1000, "1,000"}, {1234567, "1,234,567"}, {int64_t{1} << 32, "4,294,967,296"}};
  for (const auto& c : numbers) EXPECT_EQ(GroupedNumber(c.value), c.text);

  struct {
    int64_t left;
    double speed;
    const char* text;
  } times[] = {{1000, 0.0, ""},      {1000, 0.000001, ""},  {0, 10.0, "0:00"},
               {599, 10.0, "0:59"},  {35990, 10.0, "59:59"}, {36000, 10.0, "1:00:00"},
               {3600 * 30 * 2, 2.0, "30:00:00"}};
  for (const auto& c : times) EXPECT_EQ(RemainingTimeText(c.left, c.speed), c.text) << c.left << " " << c.speed;

  EXPECT_EQ(TitleCounts(0, 0), "");
  EXPECT_EQ(TitleCounts(2, 0), Sjis(" [受2/送0]"));
}

TEST(TransferRow, AWaitingReceiveShowsItsOfferAndAResumeItsWait) {
  test::TTempDir dir;
  TPollLoop loop;
  test::TDccSide side(loop, dir.Path(), 40000);
  side.prefs.DCCReceiveAction = 1;
  side.prefs.ReceiveOnResumeFailTime = 10;
  uint64_t id =
      *side.manager.OnFileOffer(test::kDccUnit, "peer", TDccSend{"a.txt", 0xC0A80001, 1100, 1234567, 0}, {});
  TTransferRow row = ReceiveRow(side.manager.Receive(0), side.prefs);
  EXPECT_EQ(row, (TTransferRow{"peer", "a.txt", Sjis("待機"), "0 / 1,234,567", "0%", "", "", "192.168.0.1:1100",
                               dir.Path().string()}));

  test::WriteFile(dir.Path() / "_incomplete_a.txt", "12345");
  side.manager.Resume(std::vector<uint64_t>{id});
  loop.Advance(3000);
  row = ReceiveRow(side.manager.Receive(0), side.prefs);
  EXPECT_EQ(row.task, Sjis("レジューム中(残り7秒)"));
  EXPECT_EQ(row.file_name, "_incomplete_a.txt");
  EXPECT_EQ(row.count, "5 / 1,234,567");
}

}  // namespace
}  // namespace zeph
