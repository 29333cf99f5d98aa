#include "display/line_reactions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/display_notifier.h"
#include "display/keyword_matcher.h"
#include "display/line_builder.h"
#include "display/line_history.h"
#include "display/link_follower.h"
#include "display/url_clip_queue.h"
#include "display/url_detector.h"

namespace zeph {
namespace {

class RecordingNotifier : public TDisplayNotifier {
 public:
  void SetKeywordMark(TNodeId unit, TNodeId channel) override {
    events.push_back("mark " + std::to_string(unit) + "/" + std::to_string(channel));
  }
  bool IsMainWindowActive() const override { return active; }
  void BlinkTitle() override { events.push_back("blink"); }
  void PlaySound(TNodeId unit, const std::string& file) override { events.push_back("sound " + file); }

  bool active = false;
  std::vector<std::string> events;
};

class RecordingSink : public TLineSink {
 public:
  void WriteLine(std::string_view text) override { lines.emplace_back(text); }
  std::vector<std::string> lines;
};

constexpr TNodeId kUnit = 5;
constexpr TNodeId kChannel = 8;

class LineReactionsTest : public testing::Test {
 protected:
  LineReactionsTest()
      : builder_(TUrlDetector::Shared(), &keywords_),
        channelLog_(builder_),
        keyword_history_(builder_),
        url_history_(builder_),
        reactions_(keywords_, notifier_, keyword_history_, url_history_, clip_queue_) {
    TKeywordSettings settings;
    settings.like = {"key"};
    keywords_.Configure(settings);
    url_history_.SetSink(&urlLog_);
  }

  // Prints a line into the channel log the way a print operation does.
  const TLogLine& Print(const std::string& body, int category = 0, int nick_class = 0, TNodeId channel = kChannel) {
    source_ = TLogLineSource();
    source_.time = "10:00 ";
    source_.nick_piece = "(bob) ";
    source_.nick = nick_class == 1 ? "me" : "bob";
    source_.nick_class = nick_class;
    source_.body = body;
    source_.category = category;
    source_.unit = kUnit;
    source_.channel = channel;
    const TLogLine& line = channelLog_.AddLine(source_, true);
    reactions_.AfterLineAdded(Origin(channel), source_, line);
    return line;
  }

  TLineOrigin Origin(TNodeId channel) {
    TLineOrigin origin;
    origin.unit = kUnit;
    origin.channel = channel;
    origin.keyword_switch = keywordSwitch_;
    origin.current_nick = "me";
    origin.history_place = "<srv:#ch> ";
    return origin;
  }

  TKeywordMatcher keywords_;
  TLineBuilder builder_;
  TLineStore channelLog_;
  TLineHistory keyword_history_;
  TLineHistory url_history_;
  TUrlClipQueue clip_queue_;
  RecordingNotifier notifier_;
  RecordingSink urlLog_;
  TLineReactions reactions_;
  TLogLineSource source_;
  bool keywordSwitch_ = true;
};

TEST_F(LineReactionsTest, KeywordHitMarksBlinksSoundsAndEntersTheHistory) {
  TLineReactionSettings settings;
  settings.enable_keyword_sound = true;
  settings.keyword_sound_file = "ding.wav";
  reactions_.SetSettings(settings);
  Print("nothing");
  const TLogLine& hit = Print("a key here");
  EXPECT_EQ(notifier_.events, (std::vector<std::string>{"mark 5/8", "blink", "sound ding.wav"}));
  ASSERT_EQ(keyword_history_.Lines().Count(), 1u);
  const TLogLine& entry = keyword_history_.Lines().At(0);
  EXPECT_EQ(entry.text, "10:00 <srv:#ch> (bob) a key here");
  EXPECT_EQ(entry.link_key, TLinkKey::ForLine(kUnit, kChannel, hit.serial));
  EXPECT_EQ(hit.serial, 2u);
  EXPECT_TRUE(entry.keyword_hit);
}

TEST_F(LineReactionsTest, NoBlinkWhileActiveAndNothingWithTheSwitchOff) {
  notifier_.active = true;
  Print("key");
  EXPECT_EQ(notifier_.events, (std::vector<std::string>{"mark 5/8"}));
  keywordSwitch_ = false;
  Print("key");
  EXPECT_EQ(notifier_.events.size(), 1u);
  EXPECT_EQ(keyword_history_.Lines().Count(), 1u);
}

TEST_F(LineReactionsTest, UnitLogEntriesKeepTheirOwnPlace) {
  Print("key", 0, 0, kNoNode);
  ASSERT_EQ(keyword_history_.Lines().Count(), 1u);
  EXPECT_EQ(keyword_history_.Lines().At(0).text, "10:00 (bob) key");
  EXPECT_EQ(notifier_.events.front(), "mark 5/0");
}

TEST_F(LineReactionsTest, AnEntryTakesNothingFromTheEntryBeforeIt) {
  Print("key http://a.jp/");
  Print("key http://b.jp/", 0, 0, kNoNode);
  ASSERT_EQ(url_history_.Lines().Count(), 2u);
  for (const TLineHistory* history : {&keyword_history_, &url_history_}) {
    const TLogLine entry = history->Lines().At(1);
    EXPECT_EQ(entry.text, "10:00 (bob) key http://b.jp/");
    EXPECT_EQ(entry.link_key, TLinkKey::ForLine(kUnit, kNoNode, 2));
  }
  EXPECT_EQ(urlLog_.lines.back(), "10:00 (bob) key http://b.jp/");
}

TEST_F(LineReactionsTest, UrlsEnterTheHistoryAndTheLogFileAsReceived) {
  Print("look \x02http://a.jp/\x02\tnow");
  ASSERT_EQ(url_history_.Lines().Count(), 1u);
  EXPECT_EQ(url_history_.Lines().At(0).text, "10:00 <srv:#ch> (bob) look http://a.jp/    now");
  EXPECT_EQ(urlLog_.lines, (std::vector<std::string>{"10:00 <srv:#ch> (bob) look \x02http://a.jp/\x02\tnow"}));
  EXPECT_TRUE(clip_queue_.IsEmpty());
}

TEST_F(LineReactionsTest, OwnUrlsAndConsoleRepliesAreLeftOutUnlessAsked) {
  Print("http://mine.jp/", 0, 1);
  Print("http://reply.jp/", 15, 0, kNoNode);
  EXPECT_EQ(url_history_.Lines().Count(), 0u);
  Print("http://reply.jp/", 15, 0, kChannel);  // a reply in a channel log still counts
  EXPECT_EQ(url_history_.Lines().Count(), 1u);

  TLineReactionSettings settings;
  settings.record_url_in_my_message = true;
  settings.ignore_url_in_console_reply = false;
  reactions_.SetSettings(settings);
  Print("http://mine.jp/", 0, 1);
  Print("http://reply.jp/", 15, 0, kNoNode);
  EXPECT_EQ(url_history_.Lines().Count(), 3u);
}

TEST_F(LineReactionsTest, AutoClipQueuesEveryUrlOfMessageLinesInOrder) {
  TLineReactionSettings settings;
  settings.auto_clip_url = true;
  reactions_.SetSettings(settings);
  Print("http://a.jp/ http://b.jp/ and http://c.jp/");
  Print("http://join.jp/", 3);
  // One URL reaches the clipboard per second; the third is the last one.
  std::vector<std::string> clipboard;
  while (auto url = clip_queue_.Pop()) clipboard.push_back(*url);
  EXPECT_EQ(clipboard, (std::vector<std::string>{"http://a.jp/", "http://b.jp/", "http://c.jp/"}));
}

TEST(TUrlClipQueue, IsBoundedAndKeepsTheNewest) {
  TUrlClipQueue queue(3);
  for (std::string url : {"1", "2", "3", "4", "5"}) queue.Push(url);
  EXPECT_EQ(queue.Size(), 3u);
  EXPECT_EQ(*queue.Pop(), "3");
  EXPECT_EQ(*queue.Pop(), "4");
  EXPECT_EQ(*queue.Pop(), "5");
  EXPECT_FALSE(queue.Pop());
}

class FakeWorld : public TLinkTargets {
 public:
  bool HasUnit(TNodeId unit) const override { return unit == kUnit; }
  bool HasChannel(TNodeId unit, TNodeId channel) const override { return channelOpen && channel == kChannel; }
  void Select(TNodeId unit, TNodeId channel) override {
    events.push_back("select " + std::to_string(unit) + "/" + std::to_string(channel));
  }
  void RevealLine(TNodeId unit, TNodeId channel, std::uint64_t serial) override {
    events.push_back("reveal " + std::to_string(serial));
  }
  void JoinChannel(TNodeId unit, const std::string& name) override { events.push_back("join " + name); }

  bool channelOpen = true;
  std::vector<std::string> events;
};

TEST(ConsoleCopyKey, LeadsToTheSourceLogExceptForQuitsAndNickChanges) {
  EXPECT_EQ(ConsoleCopyKey(kUnit, kChannel, 0), TLinkKey::ForTarget(kUnit, kChannel));
  EXPECT_EQ(ConsoleCopyKey(kUnit, kNoNode, 15), TLinkKey::ForTarget(kUnit, kNoNode));
  EXPECT_TRUE(ConsoleCopyKey(kUnit, kChannel, 5).IsEmpty());
  EXPECT_TRUE(ConsoleCopyKey(kUnit, kChannel, 8).IsEmpty());
}

TEST(FollowLink, LeadsToLiveTargetsOnly) {
  FakeWorld world;
  EXPECT_TRUE(FollowLink(TLinkKey::ForLine(kUnit, kChannel, 42), world));
  EXPECT_TRUE(FollowLink(TLinkKey::ForTarget(kUnit, kNoNode), world));
  EXPECT_TRUE(FollowLink(TLinkKey::ForInvite(kUnit, "#new"), world));
  EXPECT_EQ(world.events, (std::vector<std::string>{"select 5/8", "reveal 42", "select 5/0", "join #new"}));

  world.events.clear();
  world.channelOpen = false;
  EXPECT_FALSE(FollowLink(TLinkKey::ForLine(kUnit, kChannel, 42), world));  // the channel was closed
  EXPECT_FALSE(FollowLink(TLinkKey::ForTarget(99, kNoNode), world));        // the unit is gone
  EXPECT_FALSE(FollowLink(TLinkKey::ForInvite(99, "#new"), world));
  EXPECT_FALSE(FollowLink(TLinkKey(), world));
  EXPECT_TRUE(world.events.empty());
}

}  // namespace
}  // namespace zeph
