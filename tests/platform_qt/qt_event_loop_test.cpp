#include "platform/qt/qt_event_loop.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>
#include <string>
#include <vector>

#include "platform/qt/qt_text.h"
#include "support/environment.h"

namespace zeph {
namespace {

bool Pump(const std::function<bool()>& done, int timeout_ms = 3000) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < timeout_ms) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
  return done();
}

TEST(QtEventLoopTest, DeliversReadinessTimersAndPostedCalls) {
  TQtEventLoop loop;
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  int readable = 0;
  TFdWatch watch(loop);
  watch.Watch(fds[0], true, false, [&](bool r, bool) {
    char c;
    if (r && read(fds[0], &c, 1) == 1) ++readable;
  });
  ASSERT_EQ(write(fds[1], "x", 1), 1);
  EXPECT_TRUE(Pump([&] { return readable == 1; }));

  int ticks = 0;
  TTimer timer(loop, [&] {
    if (++ticks == 2) timer.Stop();  // stopping from inside its own tick
  });
  timer.Start(5);
  EXPECT_TRUE(Pump([&] { return ticks == 2; }));
  // A timer still running at 5 ms would tick again before one of 20 ms.
  bool later = false;
  TTimer barrier(loop, [&] { later = true; });
  barrier.Start(20);
  EXPECT_TRUE(Pump([&] { return later; }));
  EXPECT_EQ(ticks, 2);

  bool posted = false;
  loop.Post([&] { posted = true; });
  EXPECT_TRUE(Pump([&] { return posted; }));
  watch.Clear();
  close(fds[0]);
  close(fds[1]);
}

// What a readiness call gathers is finished before the loop sleeps again.
TEST(QtEventLoopTest, BeforeWaitCallsFollowTheHandledEvents) {
  TQtEventLoop loop;
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  std::vector<std::string> seen;
  TFdWatch watch(loop);
  watch.Watch(fds[0], true, false, [&](bool, bool) {
    char c;
    if (read(fds[0], &c, 1) == 1) seen.push_back("read");
  });
  int hook = loop.AddBeforeWait([&] {
    if (!seen.empty() && seen.back() == "read") seen.push_back("before wait");
  });
  // Waiting as the program's loop does; the timer bounds every wait.
  TTimer bound(loop, [] {});
  bound.Start(20);
  auto wait_until = [](const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 3000) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return done();
  };
  ASSERT_EQ(write(fds[1], "x", 1), 1);
  EXPECT_TRUE(wait_until([&] { return seen.size() == 2; }));
  EXPECT_EQ(seen, (std::vector<std::string>{"read", "before wait"}));
  loop.RemoveBeforeWait(hook);
  ASSERT_EQ(write(fds[1], "x", 1), 1);
  EXPECT_TRUE(wait_until([&] { return seen.size() == 3; }));
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  EXPECT_EQ(seen.back(), "read");
  watch.Clear();
  close(fds[0]);
  close(fds[1]);
}

TEST(QtTextTest, ScreenBorderConverts) {
  EXPECT_EQ(ToQString("\x88\x9F"), QString::fromUtf8("亜"));
  EXPECT_EQ(FromQString(QString::fromUtf8("〜")), "\x81\x60");
}

}  // namespace
}  // namespace zeph

int main(int argc, char** argv) {
  zeph::test::TMachineIsolation isolation;
  QCoreApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
