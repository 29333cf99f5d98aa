#include "display/url_detector.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/sjis.h"

namespace zeph {
namespace {

std::vector<std::string> AllUrls(const std::string& text) {
  std::vector<TTextRange> ranges;
  TUrlDetector::Shared().FindAllUrls(text, ranges);
  std::vector<std::string> urls;
  for (const TTextRange& r : ranges) urls.push_back(text.substr(r.start, r.Length()));
  return urls;
}

std::vector<std::string> AllAddresses(const std::string& text) {
  std::vector<TTextRange> ranges;
  TUrlDetector::Shared().FindAllAddresses(text, ranges);
  std::vector<std::string> addresses;
  for (const TTextRange& r : ranges) addresses.push_back(text.substr(r.start, r.Length()));
  return addresses;
}

struct TCase {
  std::string text;
  std::vector<std::string> found;
};

TEST(TUrlDetector, FindsUrls) {
  const TCase cases[] = {
      {"see http://example.com/path here", {"http://example.com/path"}},
      {"https://a.b/x?y=1&z=2#frag", {"https://a.b/x?y=1&z=2#frag"}},
      {"ftp://files.example.jp/pub/", {"ftp://files.example.jp/pub/"}},
      {"ttp://a.jp ttps://b.jp", {"ttp://a.jp", "ttps://b.jp"}},
      {"HTTP://EXAMPLE.COM", {}},  // the scheme is case-sensitive
      {"http://", {}},
      {"http:// x", {}},
      {"http://example.com/path.", {"http://example.com/path"}},  // a path ends on a letter, digit, _ - / ?
      {"http://example.com/a,b.", {"http://example.com/a,b"}},
      {"http://example.com.", {"http://example.com."}},             // without a path the dot stays
      {"http://example.com/", {"http://example.com/"}},
      {"http://example.com/.", {"http://example.com/"}},
      {"(http://a.jp/x)", {"http://a.jp/x"}},
      {"http://a.jp http://b.jp/c", {"http://a.jp", "http://b.jp/c"}},
      {"xhttp://a.jp", {"http://a.jp"}},
      {"http://user:pw@host:80/~me/", {"http://user:pw@host:80/~me/"}},
  };
  for (const TCase& c : cases) EXPECT_EQ(AllUrls(c.text), c.found) << c.text;
}

TEST(TUrlDetector, UrlsEndBeforeDoubleByteCharacters) {
  std::string text = "http://example.jp/a" + Sjis("を見て") + "http://b.jp";
  EXPECT_EQ(AllUrls(text), (std::vector<std::string>{"http://example.jp/a", "http://b.jp"}));
  // A character whose second byte is a URL character ('\' in 表, '@' in ァ)
  // never lends it to the URL.
  EXPECT_EQ(AllUrls("http://a.jp/b" + Sjis("表ァ")), (std::vector<std::string>{"http://a.jp/b"}));
}

TEST(TUrlDetector, FindsAddresses) {
  const TCase cases[] = {
      {"host aaa.bbb.jp here", {"aaa.bbb.jp"}},
      {"AAA.BBB.COM", {"AAA.BBB.COM"}},
      {"bbb.com", {}},  // an address needs two labels before its top-level name
      {"aaa.bbb.zz", {}},
      {"10.0.0.1", {"10.0.0.1"}},
      {"10.0.0.1a 1.2.3.4", {"1.2.3.4"}},  // a match followed by a letter is skipped
      {"www.example.co.jp/", {"www.example.co.jp"}},
      {"a-b.c-d.net", {"a-b.c-d.net"}},
      {"-a.b.jp", {"a.b.jp"}},
      {"www.example.community", {}},
      {"x.y.jp, p.q.org.", {"x.y.jp", "p.q.org"}},
      {"1.2.3", {}},
      {"no dots here", {}},
  };
  for (const TCase& c : cases) EXPECT_EQ(AllAddresses(c.text), c.found) << c.text;
}

TEST(TUrlDetector, SingleSearchesStartWhereAsked) {
  const TUrlDetector& detector = TUrlDetector::Shared();
  std::string text = "http://a.jp and http://b.jp";
  ASSERT_TRUE(detector.FindUrl(text, 1));
  EXPECT_EQ(*detector.FindUrl(text, 1), (TTextRange{1, 11}));  // "ttp://a.jp" is a URL too
  EXPECT_EQ(*detector.FindUrl(text, 2), (TTextRange{16, 27}));
  EXPECT_FALSE(detector.FindUrl(text, 18));
  EXPECT_FALSE(detector.FindUrl(text, 100));
  std::string hosts = "1.2.3.4x a.b.jp";
  ASSERT_TRUE(detector.FindAddress(hosts, 0));
  EXPECT_EQ(*detector.FindAddress(hosts, 0), (TTextRange{9, 15}));
}

TEST(TUrlDetector, StartsWithUrl) {
  const TUrlDetector& detector = TUrlDetector::Shared();
  EXPECT_TRUE(detector.StartsWithUrl("http://example.com/ rest"));
  EXPECT_TRUE(detector.StartsWithUrl("ttp://a"));
  EXPECT_FALSE(detector.StartsWithUrl(" http://example.com/"));
  EXPECT_FALSE(detector.StartsWithUrl("http://"));
  EXPECT_FALSE(detector.StartsWithUrl(""));
}

TEST(TUrlDetector, LoneLeadBytesCountAsOneByte) {
  // 0x81 before '1' (not a valid second byte) is a character of its own, so
  // the address right after it is found.
  EXPECT_EQ(AllAddresses("\x81" "1.2.3.4"), (std::vector<std::string>{"1.2.3.4"}));
  // 0x9F before 'h' is a whole double-byte character, so the URL starts
  // after it.
  EXPECT_EQ(AllUrls("\x9f" "http://a.jp"), (std::vector<std::string>{"ttp://a.jp"}));
  EXPECT_EQ(AllUrls("http://a.jp\xfc"), (std::vector<std::string>{"http://a.jp"}));
  EXPECT_EQ(AllAddresses("a.b.jp\xe0"), (std::vector<std::string>{"a.b.jp"}));
}

TEST(TUrlDetector, SearchesOnlyTheCappedStartOfHugeTexts) {
  std::string padding(TUrlDetector::kMaxScannedBytes - 20, 'x');
  std::string text = padding + " http://a.jp/b " + std::string(100, 'y') + " http://c.jp/";
  EXPECT_EQ(AllUrls(text), (std::vector<std::string>{"http://a.jp/b"}));
  // A double-byte character straddling the cap is not cut in half.
  std::string straddle = std::string(TUrlDetector::kMaxScannedBytes - 1, ' ') + Sjis("あ") + "1.2.3.4";
  EXPECT_TRUE(AllAddresses(straddle).empty());
}

TEST(TUrlDetector, HostileLinesEndQuickly) {
  // Inputs that make the expressions backtrack heavily: long labels that
  // never reach a top-level name, and long runs of URL characters.
  std::vector<std::string> hostile = {
      std::string(8000, 'a') + ".b.c",
      [] {
        std::string s;
        while (s.size() < 8000) s += "a.";
        return s + "zz";
      }(),
      [] {
        std::string s;
        while (s.size() < 8000) s += "a-";
        return s;
      }(),
      "http://" + std::string(8000, '/') + ".",
      [] {
        std::string s;
        while (s.size() < 8000) s += "1.1.1.1a";
        return s;
      }(),
  };
  auto started = std::chrono::steady_clock::now();
  for (int round = 0; round < 10; ++round) {
    for (const std::string& text : hostile) {
      AllUrls(text);
      AllAddresses(text);
    }
  }
  // Generous, so a busy machine does not fail it; without the cap and the
  // limits these take minutes.
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
}

}  // namespace
}  // namespace zeph
