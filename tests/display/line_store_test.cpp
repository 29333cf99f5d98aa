#include "display/line_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/line_builder.h"
#include "display/url_detector.h"

namespace zeph {
namespace {

class RecordingObserver : public TLineStoreObserver {
 public:
  void BeforeLineAdded() override { events.push_back("before"); }
  void AfterLineAdded() override { events.push_back("after"); }
  void LinesDropped(size_t count) override { events.push_back("dropped " + std::to_string(count)); }
  std::vector<std::string> events;
};

class LineStoreTest : public testing::Test {
 protected:
  LineStoreTest() : builder_(TUrlDetector::Shared(), nullptr), store_(builder_) {}

  const TLogLine& Add(const std::string& body) {
    TLogLineSource source;
    source.body = body;
    source.serial = 999;  // the store numbers lines itself
    return store_.AddLine(source, false);
  }

  void AddNumbered(int count) {
    for (int i = 0; i < count; ++i) Add("line " + std::to_string(i + 1));
  }

  TLineBuilder builder_;
  TLineStore store_;
};

TEST_F(LineStoreTest, LimitDropsTheOldestAndSerialsKeepCounting) {
  EXPECT_EQ(store_.MaxLines(), 1000);
  store_.SetMaxLines(3);
  AddNumbered(3);
  const TLogLine& fourth = Add("line 4");
  EXPECT_EQ(fourth.serial, 4u);
  EXPECT_EQ(store_.Count(), 3u);
  EXPECT_EQ(store_.At(0).text, "line 2");
  EXPECT_EQ(store_.At(2).text, "line 4");
}

TEST_F(LineStoreTest, SetMaxLinesDropsAtOnce) {
  AddNumbered(10);
  store_.SetMaxLines(2);
  ASSERT_EQ(store_.Count(), 2u);
  EXPECT_EQ(store_.At(0).text, "line 9");
  EXPECT_EQ(store_.At(1).text, "line 10");
}

TEST_F(LineStoreTest, ZeroOrNegativeLimitMeansUnlimited) {
  for (int limit : {0, -1, -1000}) {
    store_.Clear();
    store_.SetMaxLines(limit);
    AddNumbered(1500);
    EXPECT_EQ(store_.Count(), 1500u) << limit;
  }
  EXPECT_EQ(store_.NextSerial(), 4501u);
}

TEST_F(LineStoreTest, RemoveOldest) {
  AddNumbered(5);
  store_.RemoveOldest(2);
  EXPECT_EQ(store_.At(0).text, "line 3");
  store_.RemoveOldest(0);
  EXPECT_EQ(store_.Count(), 3u);
  store_.RemoveOldest(10);
  EXPECT_EQ(store_.Count(), 0u);
  AddNumbered(2);
  store_.RemoveOldest(-1);
  EXPECT_EQ(store_.Count(), 0u);
  EXPECT_EQ(store_.JoinedText(), "");
}

TEST_F(LineStoreTest, FindBySerialFindsOnlyLinesStillHeld) {
  store_.SetMaxLines(3);
  AddNumbered(5);  // serials 3, 4, 5 remain
  EXPECT_FALSE(store_.FindBySerial(2));
  EXPECT_EQ(store_.FindBySerial(3), 0u);
  EXPECT_EQ(store_.FindBySerial(5), 2u);
  EXPECT_FALSE(store_.FindBySerial(6));
  EXPECT_FALSE(store_.FindBySerial(0));
  store_.Clear();
  EXPECT_FALSE(store_.FindBySerial(5));
}

TEST_F(LineStoreTest, JoinedTextEndsEveryLineWithCrLf) {
  Add("a\x02" "b");
  Add("c");
  EXPECT_EQ(store_.JoinedText(), "ab\r\nc\r\n");
}

TEST_F(LineStoreTest, ObserverSeesAdditionsAndDrops) {
  RecordingObserver observer;
  store_.SetObserver(&observer);
  store_.SetMaxLines(1);
  Add("a");
  Add("b");
  store_.RemoveOldest(5);
  store_.RemoveOldest(5);
  EXPECT_EQ(observer.events, (std::vector<std::string>{"before", "after", "before", "dropped 1", "after", "dropped 1"}));
}

}  // namespace
}  // namespace zeph
