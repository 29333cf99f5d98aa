#include "display/url_matcher.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "display/url_detector.h"
#include "platform/sjis.h"
#include "support/url_pattern.h"

// The hand-written matcher against Oniguruma running the expression it
// stands for: anchored at every character, searched from every character,
// and through the detector, which caps the text it searches.
namespace zeph {
namespace {

std::string Printable(std::string_view text) {
  std::string out;
  for (unsigned char c : text) {
    if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else {
      out += "\\x";
      out += "0123456789abcdef"[c >> 4];
      out += "0123456789abcdef"[c & 15];
    }
  }
  return out;
}

void ExpectSameAsExpression(std::string_view text) {
  SCOPED_TRACE(Printable(text));
  for (size_t pos = 0;; pos += SjisCharLength(text, pos)) {
    test::TReferenceSearch reference = test::ReferenceUrlSearch(text, pos);
    ASSERT_FALSE(reference.aborted) << "from " << pos;
    EXPECT_EQ(SearchUrl(text, pos), reference.match) << "from " << pos;
    std::optional<size_t> length = test::UrlRegex().MatchAt(text, pos);
    std::optional<size_t> end = UrlEndAt(text, pos);
    EXPECT_EQ(end, length ? std::optional<size_t>(pos + *length) : std::nullopt) << "at " << pos;
    if (pos >= text.size()) break;
  }
  std::vector<TTextRange> found;
  TUrlDetector::Shared().FindAllUrls(text, found);
  std::optional<std::vector<TTextRange>> expected =
      test::ReferenceUrls(CutSjis(text, TUrlDetector::kMaxScannedBytes));
  ASSERT_TRUE(expected);
  EXPECT_EQ(found, *expected);
  EXPECT_EQ(TUrlDetector::Shared().StartsWithUrl(text), !expected->empty() && expected->front().start == 0);
}

TEST(UrlMatcher, FindsWhatTheExpressionFinds) {
  const std::string long_path = "http://a/" + std::string(1100, '.');
  const std::string tricky[] = {
      "",
      // Schemes that overlap or stand alone.
      "https://a", "ttps://a", "xhttps://a", "http://https://a", "https:/a", "ftp://a", "tp://a", "fttp://a",
      "hhttp://a", "ttpttps://a",
      // "://" with nothing, or nothing of the host, after it.
      "://a", "http://", "https://", "http:// a", "http:///a", "http://?a", "http://#a",
      // Trailing punctuation with and without a path.
      "http://a.", "http://a:@%.", "http://a/b.", "http://a/b,.;", "http://a/b#c.", "http://a/b?", "http://a//",
      "http://a/b/", "http://a?b", "http://a#/", "http://a/b&c=d+e$", "http://a/~me/",
      // "/" followed only by characters a path may not end on.
      "http://a/.,;:", "http://a/.:@&=+$,#%!~*'", "http://a/.,http://b/.,",
      // URLs one after another.
      "http://a/bhttp://c", "http://ahttp://b", "http://a http://b", "ftp://x/ttp://y", "http://a.jp/http://b.jp/.",
      // Japanese text around and inside.
      Sjis("見て") + "http://a.jp/" + Sjis("です"), "http://a.jp/b" + Sjis("表ァ"), Sjis("ァ") + "ttp://a",
      "http://" + Sjis("あ"), "http://a" + Sjis("ソ") + "/b",
      // Lead bytes right before a scheme, alone or in pairs.
      "\x9fhttp://a", "\x81\x81http://a", "\x81\x81\x81http://a", "\x81https://a", "\xe0" "ftp://a",
      "\x81" "ttp://a", "\xb1http://a", "\x7f\x81http://a", "\x81\x39http://a", "http://a\xfc", "\xfc",
      // The cap, and an expression that backtracks through a long path.
      std::string(1010, 'x') + " http://abc/def", std::string(1023, ' ') + Sjis("あ") + "http://a",
      std::string(1020, ' ') + "http://a", long_path, long_path + "b",
  };
  for (const std::string& text : tricky) ExpectSameAsExpression(text);
}

TEST(UrlMatcher, FindsWhatTheExpressionFindsInRandomText) {
  const std::vector<std::string> pieces = {
      "http://", "http", "https", "ttp", "ftp", "s", "://", ":", "/", "//", "a", "Z", "9", ".", "?", "#", ",",
      "-", "_", "@", "~", "&", " ", "\x81", "\xe0", "\xa0", Sjis("あ"), Sjis("表")};
  std::mt19937 random(13);
  std::uniform_int_distribution<size_t> piece(0, pieces.size() - 1);
  std::uniform_int_distribution<int> count(0, 16);
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    for (int n = count(random); n > 0; --n) text += pieces[piece(random)];
    ExpectSameAsExpression(text);
    if (HasFatalFailure() || HasNonfatalFailure()) return;
  }
}

}  // namespace
}  // namespace zeph
