#include "platform/qt/single_instance.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

namespace zeph {
namespace {

TEST(SingleInstanceTest, InstanceNameCarriesUserAndFolderDigest) {
  // md5("/opt/zephlora/") in lower-case hexadecimal; the folder is
  // lower-cased first, so the case of a path does not make a second copy.
  std::string name = InstanceName("taro", "/OPT/Zephlora/");
  EXPECT_EQ(name.rfind("Zephlora2MainWindow taro ", 0), 0u);
  EXPECT_EQ(name.size(), std::string("Zephlora2MainWindow taro ").size() + 32);
  EXPECT_EQ(name, InstanceName("taro", "/opt/zephlora/"));
  EXPECT_NE(name, InstanceName("taro", "/opt/other/"));
}

TEST(SingleInstanceTest, SecondCopyActivatesTheFirst) {
  std::string name = InstanceName("test", "/tmp/zephlora-single-instance-test-" + std::to_string(getpid()));
  TSingleInstance first(name);
  ASSERT_TRUE(first.Acquire());
  bool activated = false;
  first.on_activate = [&] { activated = true; };

  TSingleInstance second(name);
  EXPECT_FALSE(second.Acquire());
  QElapsedTimer clock;
  clock.start();
  while (!activated && clock.elapsed() < 3000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  EXPECT_TRUE(activated);

  TSingleInstance elsewhere(InstanceName("test", "/another/installation"));
  EXPECT_TRUE(elsewhere.Acquire());
}

}  // namespace
}  // namespace zeph
