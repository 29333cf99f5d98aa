#include "platform/life_guard.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace zeph {
namespace {

struct TOwner {
  TLifeGuard guard;
};

struct TListener {
  std::string heard;
  std::function<void()> effect;  // what the call does to the owner
  void OnEvent(const std::string& text) {
    heard += text;
    if (effect) effect();
  }
};

TEST(LifeGuardTest, ReportTellsWhatTheCallLeftOfTheOwner) {
  auto owner = std::make_unique<TOwner>();
  TListener listener;
  auto report = [&] { return owner->guard.Report(&listener, &TListener::OnEvent, std::string("hi")); };

  EXPECT_TRUE(report().Holds());

  listener.effect = [&] { owner->guard.Renew(); };  // closed and connected again
  TLifeGuard::TStamp restarted = report();
  EXPECT_TRUE(restarted.Alive());
  EXPECT_FALSE(restarted.Holds());

  listener.effect = [&] { owner.reset(); };  // the guard goes with its owner during the call
  EXPECT_FALSE(report().Alive());
  EXPECT_EQ(listener.heard, "hihihi");
}

TEST(LifeGuardTest, ReportWithoutListenerCallsNothingAndHolds) {
  TOwner owner;
  TListener* none = nullptr;
  EXPECT_TRUE(owner.guard.Report(none, &TListener::OnEvent, std::string("hi")).Holds());
}

}  // namespace
}  // namespace zeph
