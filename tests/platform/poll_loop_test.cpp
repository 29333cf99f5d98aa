#include "platform/poll_loop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

#include "platform/host_lookup.h"

namespace zeph {
namespace {

TEST(PollLoopTest, ManualClockFiresTimersInTimeOrder) {
  TPollLoop loop;
  std::vector<std::string> fired;
  TTimer fast(loop, [&] { fired.push_back("fast@" + std::to_string(loop.NowMs())); });
  TTimer slow(loop, [&] { fired.push_back("slow@" + std::to_string(loop.NowMs())); });
  slow.Start(1500);
  fast.Start(1000);
  loop.Advance(999);
  EXPECT_TRUE(fired.empty());
  loop.Advance(2001);
  EXPECT_EQ(fired, (std::vector<std::string>{"fast@1000", "slow@1500", "fast@2000", "slow@3000", "fast@3000"}));  // a tie goes to the older timer
  EXPECT_EQ(loop.NowMs(), 3000);
}

TEST(PollLoopTest, TimerMayStopOrRestartItselfAndOthers) {
  TPollLoop loop;
  int a_ticks = 0, b_ticks = 0;
  std::unique_ptr<TTimer> b;
  TTimer a(loop, [&] {
    ++a_ticks;
    if (a_ticks == 1) b.reset();  // destroyed while due in the same advance
    if (a_ticks == 2) a.Start(5000);
  });
  b = std::make_unique<TTimer>(loop, [&] { ++b_ticks; });
  a.Start(1000);
  b->Start(1000);
  loop.Advance(6000);
  EXPECT_EQ(b_ticks, 0);
  EXPECT_EQ(a_ticks, 2);
  loop.Advance(1000);
  EXPECT_EQ(a_ticks, 3);
}

TEST(PollLoopTest, PostedCallsFromOtherThreadsRunOnTheLoop) {
  TPollLoop loop;
  std::thread::id ran_on;
  std::thread poster([&] { loop.Post([&] { ran_on = std::this_thread::get_id(); }); });
  poster.join();
  ASSERT_TRUE(loop.RunUntil([&] { return ran_on != std::thread::id(); }));
  EXPECT_EQ(ran_on, std::this_thread::get_id());
}

TEST(PollLoopTest, WallClockFollowsTheManualClock) {
  TPollLoop loop;
  loop.SetWallTimeMs(86'400'000);
  loop.Advance(1500);
  EXPECT_EQ(loop.WallTimeMs(), 86'401'500);
}

// Set once the last copy of the callback it was captured in is gone: the
// lookup's thread has ended and whatever it posted has run or been dropped.
class TLookupWitness {
 public:
  std::shared_ptr<void> Token() {
    return std::shared_ptr<void>(nullptr, [this](void*) { gone_ = true; });
  }
  bool Gone() const { return gone_; }

 private:
  std::atomic<bool> gone_ = false;
};

TEST(HostLookupTest, CancelledOrSupersededLookupsDeliverNothing) {
  TPollLoop loop;
  THostLookup lookup(loop);
  std::vector<std::string> answers;
  TLookupWitness first, third;
  lookup.Start("first.test", [&, token = first.Token()](bool ok, const net::TNetAddress&) {
    answers.push_back("first");
  });
  lookup.Start("second.test", [&](bool ok, const net::TNetAddress& a) {
    answers.push_back(ok ? "second " + a.ToText() : "failed");
  });
  ASSERT_TRUE(loop.RunUntil([&] { return !answers.empty() && first.Gone(); }));
  EXPECT_EQ(answers, std::vector<std::string>{"second 127.0.0.1"});
  EXPECT_FALSE(lookup.IsPending());

  lookup.Start("third.test", [&, token = third.Token()](bool, const net::TNetAddress&) {
    answers.push_back("third");
  });
  lookup.Cancel();
  ASSERT_TRUE(loop.RunUntil([&] { return third.Gone(); }));
  EXPECT_EQ(answers.size(), 1u);
}

TEST(HostLookupTest, OwnerGoneBeforeTheAnswer) {
  TPollLoop loop;
  bool delivered = false;
  TLookupWitness witness;
  {
    THostLookup lookup(loop);
    lookup.Start("gone.test", [&, token = witness.Token()](bool, const net::TNetAddress&) { delivered = true; });
  }
  ASSERT_TRUE(loop.RunUntil([&] { return witness.Gone(); }));
  EXPECT_FALSE(delivered);
}

}  // namespace
}  // namespace zeph
