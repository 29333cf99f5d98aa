#include "display/keyword_matcher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sjis.h"

namespace zeph {
namespace {

std::vector<std::string> Hits(const TKeywordMatcher& matcher, const std::string& body,
                              std::vector<TTextRange> urls = {}) {
  std::vector<TTextRange> ranges;
  matcher.Match(body, urls, ranges);
  std::vector<std::string> hits;
  for (const TTextRange& r : ranges) hits.push_back(std::to_string(r.start) + ":" + body.substr(r.start, r.Length()));
  return hits;
}

TKeywordMatcher Matcher(std::vector<std::string> like, std::vector<std::string> dislike = {}, bool match_case = false,
                        bool ignore_url = true) {
  TKeywordSettings settings;
  settings.like = std::move(like);
  settings.dislike = std::move(dislike);
  settings.match_case = match_case;
  settings.ignore_url = ignore_url;
  return TKeywordMatcher(settings);
}

TEST(TKeywordMatcher, DislikedWordsCancelTheKeywordsTheyOverlap) {
  EXPECT_EQ(Hits(Matcher({"abc"}, {"abcd"}), "abcd abc"), (std::vector<std::string>{"5:abc"}));
  EXPECT_EQ(Hits(Matcher({"bc"}, {"ab"}), "abc bc"), (std::vector<std::string>{"4:bc"}));
  EXPECT_EQ(Hits(Matcher({"abc"}, {"", "zzz"}), "abc"), (std::vector<std::string>{"0:abc"}));
}

TEST(TKeywordMatcher, CaseRule) {
  EXPECT_EQ(Hits(Matcher({"ABC"}), "xabc"), (std::vector<std::string>{"1:abc"}));
  EXPECT_EQ(Hits(Matcher({"abc"}), "ABC"), (std::vector<std::string>{"0:ABC"}));
  EXPECT_TRUE(Hits(Matcher({"ABC"}, {}, true), "abc").empty());
  EXPECT_EQ(Hits(Matcher({"ABC"}, {"abc"}, true), "ABC abc"), (std::vector<std::string>{"0:ABC"}));
}

TEST(TKeywordMatcher, KeepsListOrderThenPositionAndFindsRepeats) {
  EXPECT_EQ(Hits(Matcher({"b", "a", ""}), "abab"), (std::vector<std::string>{"1:b", "3:b", "0:a", "2:a"}));
  EXPECT_EQ(Hits(Matcher({"aa"}), "aaaaa"), (std::vector<std::string>{"0:aa", "2:aa"}));
  EXPECT_EQ(Hits(Matcher({"ab", "b"}), "ab"), (std::vector<std::string>{"0:ab", "1:b"}));
}

TEST(TKeywordMatcher, UrlRule) {
  std::string body = "see http://abc.jp/ abc";
  std::vector<TTextRange> urls = {{4, 18}};
  EXPECT_EQ(Hits(Matcher({"abc"}), body, urls), (std::vector<std::string>{"19:abc"}));
  EXPECT_EQ(Hits(Matcher({"abc"}, {}, false, false), body, urls), (std::vector<std::string>{"11:abc", "19:abc"}));
}

TEST(TKeywordMatcher, NeverMatchesInsideDoubleByteCharacters) {
  // ア is 0x83 0x41: its second byte reads as "A".
  std::string a = Sjis("ア");
  EXPECT_TRUE(Hits(Matcher({"A"}, {}, true), a).empty());
  EXPECT_EQ(Hits(Matcher({"A"}, {}, true), a + "A"), (std::vector<std::string>{"2:A"}));
  // Case folding leaves second bytes alone: ヂ is 0x83 0x61 ("a").
  std::string di = Sjis("ヂ");
  EXPECT_TRUE(Hits(Matcher({"A"}), di).empty());
  EXPECT_EQ(Hits(Matcher({di}), "x" + di), (std::vector<std::string>{"1:" + di}));
  // A keyword that starts on a second byte is skipped, the search goes on.
  std::string kanji = Sjis("ア") + "B";  // 0x83 0x41 0x42
  EXPECT_EQ(Hits(Matcher({"AB"}, {}, true), kanji + "AB"), (std::vector<std::string>{"3:AB"}));
  // Japanese keywords match Japanese text.
  std::string text = Sjis("今日はキーワードの日");
  EXPECT_EQ(Hits(Matcher({Sjis("キーワード")}), text).size(), 1u);
}

TEST(TKeywordMatcher, NothingToMatchWithoutKeywords) {
  TKeywordMatcher matcher = Matcher({"", ""});
  EXPECT_FALSE(matcher.HasKeywords());
  EXPECT_TRUE(Hits(matcher, "anything").empty());
  EXPECT_TRUE(Hits(Matcher({"a"}), "").empty());
}

TEST(TKeywordMatcher, WhichMessagesAreChecked) {
  TKeywordSettings settings;
  settings.like = {"x"};
  settings.enable_group[2] = false;  // user group 3
  settings.enable_normal = false;
  TKeywordMatcher matcher(settings);
  EXPECT_FALSE(matcher.WantsCheck(true, 2));   // notices are ignored
  EXPECT_TRUE(matcher.WantsCheck(false, 2));   // group 1
  EXPECT_FALSE(matcher.WantsCheck(false, 4));  // group 3
  EXPECT_FALSE(matcher.WantsCheck(false, 1));  // the user himself
  EXPECT_FALSE(matcher.WantsCheck(false, 0));  // other users
  settings.ignore_notice = false;
  settings.enable_normal = true;
  matcher.Configure(settings);
  EXPECT_TRUE(matcher.WantsCheck(true, 0));
}

}  // namespace
}  // namespace zeph
