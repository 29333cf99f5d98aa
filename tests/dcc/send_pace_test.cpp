#include "dcc/send_pace.h"

#include <gtest/gtest.h>

#include "settings/preferences.h"

namespace zeph {
namespace {

TEST(SendPace, PiecesAndBudgetComeFromThePreferences) {
  struct Case {
    bool buffer_on;
    int buffer_kb;
    bool bandwidth_on;
    int bandwidth_kb;
    int64_t piece;
    int64_t budget;
  } cases[] = {
      {false, 64, false, 10, 4096, -1},
      {true, 2, false, 10, 4096, -1},
      {true, 3, false, 10, 4096, -1},
      {true, 4, false, 10, 4096, -1},
      {true, 64, true, 10, 65536, 10240},
      {true, 2000000000, true, 0, 16 << 20, 0},
      {false, 4, true, -5, 4096, 0},
  };
  for (const Case& c : cases) {
    TPreferences prefs;
    prefs.EnableSendBufferSize = c.buffer_on;
    prefs.SendBufferSize = c.buffer_kb;
    prefs.EnableMaxOutgoingBandwidth = c.bandwidth_on;
    prefs.MaxOutgoingBandwidth = c.bandwidth_kb;
    TSendPace pace = TSendPace::From(prefs);
    EXPECT_EQ(pace.piece_bytes, c.piece) << c.buffer_kb;
    EXPECT_EQ(pace.tick_budget, c.budget) << c.bandwidth_kb;
  }
}

// What a pump sends in one tick when the socket takes everything.
int64_t PumpTick(TTickBudget& budget, const TSendPace& pace, int64_t* left) {
  int64_t sent = 0;
  for (int64_t piece; (piece = budget.NextPiece(pace, *left)) > 0;) {
    budget.Sent(piece);
    *left -= piece;
    sent += piece;
  }
  return sent;
}

TEST(SendPace, ABandwidthOfTenKilobytesLetsOut10240BytesATick) {
  TSendPace pace{4096, 10240};
  TTickBudget budget;
  int64_t left = 100000;
  EXPECT_EQ(PumpTick(budget, pace, &left), 10240);
  EXPECT_EQ(budget.NextPiece(pace, left), 0);
  EXPECT_EQ(budget.EndTick(), 10240);
  EXPECT_EQ(PumpTick(budget, pace, &left), 10240);
  budget.EndTick();

  // Without a limit the pieces go until the file ends, never past it.
  TSendPace open{4096, -1};
  left = 10000;
  EXPECT_EQ(budget.NextPiece(open, left), 4096);
  EXPECT_EQ(PumpTick(budget, open, &left), 10000);
  EXPECT_EQ(left, 0);
}

TEST(SpeedSamples, IdleTicksCountOnlyOnceDataHasMoved) {
  TSpeedSamples samples;
  EXPECT_EQ(samples.BytesPerSecond(), 0);
  samples.Push(0);
  samples.Push(0);
  samples.Push(3000);
  EXPECT_EQ(samples.BytesPerSecond(), 3000);
  samples.Push(0);
  EXPECT_EQ(samples.BytesPerSecond(), 1500);
  for (int i = 0; i < 10; ++i) samples.Push(1000);
  EXPECT_EQ(samples.BytesPerSecond(), 1000);  // only the last ten count
  samples.Push(11000);
  EXPECT_EQ(samples.BytesPerSecond(), 2000);
}

}  // namespace
}  // namespace zeph
