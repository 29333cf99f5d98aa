#include "display/line_builder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/keyword_matcher.h"
#include "display/url_detector.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

class LineBuilderTest : public testing::Test {
 protected:
  LineBuilderTest() : builder_(TUrlDetector::Shared(), &keywords_) {}

  void SetKeywords(std::vector<std::string> like, bool ignore_url = true) {
    TKeywordSettings settings;
    settings.like = std::move(like);
    settings.ignore_url = ignore_url;
    keywords_.Configure(settings);
  }

  static TLogLineSource Source(std::string body, int category = 0) {
    TLogLineSource source;
    source.time = "12:34 ";
    source.nick_piece = "(nick) ";
    source.body = std::move(body);
    source.category = category;
    return source;
  }

  // "element:text" for every run, to see the whole line at once.
  static std::vector<std::string> Runs(const TLogLine& line) {
    std::vector<std::string> runs;
    for (const TLogRun& run : line.runs)
      runs.push_back(std::to_string(static_cast<int>(run.element)) + ":" +
                     line.text.substr(run.start, run.end - run.start));
    return runs;
  }

  TKeywordMatcher keywords_;
  TLineBuilder builder_;
};

TEST_F(LineBuilderTest, BuildsPrefixRunsAndBodyRuns) {
  TLogLineSource source = Source("hi \x02" "there");
  source.place = "<#ch> ";
  TLogLine line = builder_.Build(source, false);
  EXPECT_EQ(line.text, "12:34 <#ch> (nick) hi there");
  EXPECT_EQ(line.prefix_length, 19u);
  EXPECT_EQ(Runs(line), (std::vector<std::string>{"1:12:34 ", "3:<#ch> ", "2:(nick) ", "0:hi ", "0:there"}));
  EXPECT_TRUE(line.runs.back().decoration.bold);
  EXPECT_EQ(line.runs.back().end, line.text.size());
}

TEST_F(LineBuilderTest, EmptyBodyLeavesOnlyThePrefix) {
  TLogLine line = builder_.Build(Source(""), true);
  EXPECT_EQ(line.text, "12:34 (nick) ");
  EXPECT_EQ(Runs(line), (std::vector<std::string>{"1:12:34 ", "2:(nick) "}));
  TLogLineSource bare;
  EXPECT_TRUE(builder_.Build(bare, true).runs.empty());
}

TEST_F(LineBuilderTest, TabsBecomeFourSpacesBeforeUrlsAreFound) {
  TLogLine line = builder_.Build(Source("\thttp://a.jp/"), false);
  EXPECT_EQ(line.text, "12:34 (nick)     http://a.jp/");
  ASSERT_EQ(line.urls.size(), 1u);
  EXPECT_EQ(line.urls[0], (TTextRange{17, 29}));
  EXPECT_EQ(line.UrlAt(20), "http://a.jp/");
  EXPECT_EQ(line.UrlAt(16), "");
  EXPECT_EQ(line.ElementAt(17), TLogElement::Url);
  EXPECT_EQ(line.ElementAt(16), TLogElement::Text);
  EXPECT_EQ(line.ElementAt(0), TLogElement::Time);
  EXPECT_EQ(line.ElementAt(500), TLogElement::Text);
}

TEST_F(LineBuilderTest, UrlsOverrideAddressesAndKeywordsOverrideBoth) {
  SetKeywords({"key"});
  TLogLine line = builder_.Build(Source("a.b.jp http://c.d.jp/ key"), true);
  EXPECT_EQ(Runs(line), (std::vector<std::string>{"1:12:34 ", "2:(nick) ", "5:a.b.jp", "0: ", "4:http://c.d.jp/",
                                                  "0: ", "6:key"}));
  ASSERT_EQ(line.addresses.size(), 2u);  // the address inside the URL stays recorded
  EXPECT_EQ(line.AddressAt(13), "a.b.jp");
  EXPECT_EQ(line.AddressAt(line.addresses[1].start), "c.d.jp");
  EXPECT_TRUE(line.keyword_hit);
}

TEST_F(LineBuilderTest, KeywordInsideUrlDependsOnIgnoreUrl) {
  SetKeywords({"key"});
  TLogLine ignored = builder_.Build(Source("http://key.jp/"), true);
  EXPECT_FALSE(ignored.keyword_hit);
  EXPECT_EQ(Runs(ignored).back(), "4:http://key.jp/");

  SetKeywords({"key"}, false);
  TLogLine marked = builder_.Build(Source("http://key.jp/"), true);
  EXPECT_TRUE(marked.keyword_hit);
  EXPECT_EQ(Runs(marked), (std::vector<std::string>{"1:12:34 ", "2:(nick) ", "4:http://", "6:key", "4:.jp/"}));
}

TEST_F(LineBuilderTest, KeywordsOnlyForMessageLinesWhenAsked) {
  SetKeywords({"key"});
  EXPECT_FALSE(builder_.Build(Source("key", 3), true).keyword_hit);  // a Join line
  EXPECT_FALSE(builder_.Build(Source("key", 0), false).keyword_hit);
  EXPECT_TRUE(builder_.Build(Source("key", 2), true).keyword_hit);
  builder_.SetKeywordMatcher(nullptr);
  EXPECT_FALSE(builder_.Build(Source("key", 0), true).keyword_hit);
}

// A line and its copies (console, history) share a body and differ in the
// prefix; each copy comes out as a builder that never saw the line makes it.
TEST_F(LineBuilderTest, CopiesOfABodyUnderOtherPrefixesAreBuiltAsAfresh) {
  SetKeywords({"key"});
  TLogLineSource line = Source("\x03" "4key\x0f www.key.example.jp http://x.jp/key", 0);
  TLogLineSource copy = line;
  copy.place = "<unit:#ch> ";
  builder_.Build(line, true);
  TLogLine built = builder_.Build(copy, true);
  EXPECT_EQ(built, TLineBuilder(TUrlDetector::Shared(), &keywords_).Build(copy, true));
  EXPECT_TRUE(built.keyword_hit);
  EXPECT_EQ(builder_.Build(copy, false), TLineBuilder(TUrlDetector::Shared(), &keywords_).Build(copy, false));
}

TEST_F(LineBuilderTest, RunsSplitOnColourChangesAndCoverDoubleByteText) {
  std::string body = "\x03" "4" + Sjis("赤") + "\x03" "4,2" + "x";
  TLogLine line = builder_.Build(Source(body), false);
  ASSERT_EQ(line.runs.size(), 4u);
  EXPECT_EQ(line.runs[2].end - line.runs[2].start, 2u);
  EXPECT_EQ(line.runs[2].decoration.fore, 4);
  EXPECT_FALSE(line.runs[2].decoration.has_back);
  EXPECT_TRUE(line.runs[3].decoration.has_back);
}

TEST_F(LineBuilderTest, CarriesTheSourceAttributes) {
  TLogLineSource source = Source("x", 1);
  source.nick_class = 3;
  source.nick = "nick";
  source.link_key = TLinkKey::ForTarget(7, 9);
  source.unit = 7;
  source.channel = 9;
  TLogLine line = builder_.Build(source, false);
  EXPECT_EQ(line.category, 1);
  EXPECT_EQ(line.nick_class, 3);
  EXPECT_EQ(line.nick, "nick");
  EXPECT_EQ(line.link_key, TLinkKey::ForTarget(7, 9));
  EXPECT_EQ(line.unit, 7u);
  EXPECT_EQ(line.channel, 9u);
}

}  // namespace
}  // namespace zeph
