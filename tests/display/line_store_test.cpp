#include "display/line_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/keyword_matcher.h"
#include "display/line_builder.h"
#include "display/url_detector.h"
#include "platform/sjis.h"

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

// Lines of every shape: each field the store packs, at its edges.
std::vector<TLogLineSource> VariedSources() {
  std::vector<TLogLineSource> sources(7);
  sources[0].time = "12:34 ";
  sources[0].nick_piece = "(bob) ";
  sources[0].nick = "bob";
  sources[0].body = "\x03" "4,12" + Sjis("日本語") + "\x0f \x02key\x02 http://a.jp/x a.b.jp 10.0.0.1\tend";
  sources[0].unit = 3;
  sources[0].channel = 9;
  sources[1] = sources[0];  // the same start: shared with the line before
  sources[1].body = "key again \x1f\x16under\x03" "99,15rev";
  sources[1].link_key = TLinkKey::ForLine(3, 9, 123456789);
  sources[2].place = "<srv:#ch> ";
  sources[2].nick = "someone-else";  // not in the text
  sources[2].body = "x";
  sources[2].category = 19;
  sources[2].nick_class = 6;
  sources[2].link_key = TLinkKey::ForInvite(3, "#invited");
  sources[3].category = -7;  // out of range values survive too
  sources[3].nick_class = 300;
  sources[3].link_key = TLinkKey::ForTarget(5, 0);
  sources[3].unit = 1ull << 40;
  sources[4].body = std::string(3000, 'a') + " http://long.example.jp/" + std::string(200, 'b');
  sources[5].time = "12:35 ";  // empty body: prefix runs only
  sources[6].body = "\x02\x02";  // nothing but codes: an empty line
  return sources;
}

TEST(LineStorePackingTest, ReadsBackEveryLineAsBuilt) {
  TKeywordMatcher keywords;
  TKeywordSettings settings;
  settings.like = {"key", "under"};
  keywords.Configure(settings);
  TLineBuilder builder(TUrlDetector::Shared(), &keywords);
  TLineStore store(builder);
  store.SetMaxLines(2 * TLineStore::kBlockLines + 5);
  std::vector<TLogLineSource> sources = VariedSources();
  std::vector<TLogLine> expected;
  for (size_t i = 0; i < 3 * TLineStore::kBlockLines + 40; ++i) {
    const TLogLineSource& source = sources[(i * 5 / 3) % sources.size()];
    TLogLine built = builder.Build(source, true);
    built.serial = i + 1;
    expected.push_back(built);
    EXPECT_EQ(store.AddLine(source, true), built) << i;
  }
  expected.erase(expected.begin(), expected.end() - static_cast<long>(store.Count()));
  ASSERT_EQ(store.Count(), expected.size());

  TLineReader forward(store);
  for (size_t i = 0; i < expected.size(); ++i) ASSERT_EQ(forward.Read(i), expected[i]) << "forward " << i;
  TLineReader backward(store);
  for (size_t i = expected.size(); i-- > 0;) ASSERT_EQ(backward.Read(i), expected[i]) << "backward " << i;
  for (size_t i : {size_t{0}, size_t{17}, expected.size() - 1, size_t{3}, size_t{3}, size_t{4}})
    EXPECT_EQ(store.At(i), expected[i]) << i;

  // A reader goes on across drops and additions.
  store.RemoveOldest(20);
  store.AddLine(sources[1], true);
  EXPECT_EQ(forward.Read(0), expected[20]);
  EXPECT_EQ(forward.Read(1), expected[21]);
  EXPECT_EQ(forward.Read(store.Count() - 1).serial, store.NextSerial() - 1);
}

TEST_F(LineStoreTest, DroppingFreesWholeBlocks) {
  store_.SetMaxLines(0);
  AddNumbered(3 * TLineStore::kBlockLines);
  size_t full = store_.MemoryBytes();
  store_.RemoveOldest(TLineStore::kBlockLines - 1);
  EXPECT_EQ(store_.MemoryBytes(), full);  // the first block still holds a line
  store_.RemoveOldest(1);
  EXPECT_LT(store_.MemoryBytes(), full * 3 / 4);
  EXPECT_EQ(store_.At(0).text, "line " + std::to_string(TLineStore::kBlockLines + 1));
  store_.Clear();
  EXPECT_EQ(store_.MemoryBytes(), 0u);
  Add("again");
  EXPECT_EQ(store_.At(0).text, "again");
}

}  // namespace
}  // namespace zeph
