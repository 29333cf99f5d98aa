#include "engine/channel_name.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/sjis.h"

namespace zeph {
namespace {

// "ソ" ends in 0x5C ("\"), "ッ" in 0x62 ("b"): second bytes that a byte
// scan would take for an escape or fold as a letter.
const std::string kSo = "\x83\x5C";
const std::string kSmallTsu = "\x83\x62";
const std::string kBigA = "\x83\x41";   // "ア"
const std::string kSmallA = "\x83\x61";  // "ャ": "ア" with its second byte in lower case

TEST(ChannelNameTest, ShortAndSafeForms) {
  struct TCase {
    std::string name, expanded, shortened, stripped;
  };
  const TCase cases[] = {
      {"%jp", "#jp:*.jp", "%jp", "%jp"},
      {"#jp:*.jp", "#jp:*.jp", "%jp", "#jp:*.jp"},
      {"#:*.jp", "#:*.jp", "#:*.jp", "#:*.jp"},
      {"#jp:*.JP", "#jp:*.JP", "#jp:*.JP", "#jp:*.JP"},
      {"&x:*.jp", "&x:*.jp", "&x:*.jp", "&x:*.jp"},
      {"%", "#:*.jp", "%", "%"},
      {"!ABCDEchan", "!ABCDEchan", "!ABCDEchan", "!chan"},
      {"!ABCDEc", "!ABCDEc", "!ABCDEc", "!c"},
      {"!!chan", "!!chan", "!!chan", "!!chan"},
      {"!chan", "!chan", "!chan", "!chan"},
      {"!ABCDE", "!ABCDE", "!ABCDE", "!ABCDE"},
      {"", "", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ExpandShortName(c.name), c.expanded);
    EXPECT_EQ(ShortenName(c.name), c.shortened);
    EXPECT_EQ(HasShortForm(c.name), c.shortened != c.name);
    EXPECT_EQ(StripSafeId(c.name), c.stripped);
  }
  EXPECT_EQ(ShortenName(ExpandShortName("%" + kSo)), "%" + kSo);
}

TEST(ChannelNameTest, PrefixSets) {
  EXPECT_TRUE(IsChannelName("#a", kJoinChannelPrefixes));
  EXPECT_TRUE(IsChannelName("!a", kJoinChannelPrefixes));
  EXPECT_FALSE(IsChannelName("+a", kJoinChannelPrefixes));
  EXPECT_TRUE(IsChannelName("+a", kServerChannelPrefixes));
  EXPECT_FALSE(IsChannelName("%a", kServerChannelPrefixes));
  EXPECT_TRUE(IsChannelName("%a", kTypedChannelPrefixes));
  EXPECT_FALSE(IsChannelName("", kTypedChannelPrefixes));
  EXPECT_FALSE(IsChannelName("nick", kTypedChannelPrefixes));
  EXPECT_TRUE(IsSafeChannel("!!new"));
  EXPECT_TRUE(IsSafeCreate("!!new"));
  EXPECT_FALSE(IsSafeCreate("!new"));
  EXPECT_FALSE(IsSafeChannel("#new"));
}

TEST(ChannelNameTest, IrcUpperFoldsSingleByteCharactersOnly) {
  EXPECT_EQ(IrcUpper("az{|}~^[\\]09"), "AZ[\\]~^[\\]09");
  EXPECT_EQ(IrcUpper("a" + kSmallA + "b"), "A" + kSmallA + "B");
  EXPECT_EQ(IrcUpper("a\x83"), "A\x83");  // a lead byte at the end stands alone
  EXPECT_EQ(IrcUpper("\x83" "a"), "\x83" "a");  // 0x83 0x61 is one character
}

TEST(ChannelNameTest, SameNameComparesWhatTheServerSees) {
  for (int session : {kEncodingIso2022Jp, kEncodingUtf8}) {
    SCOPED_TRACE(session);
    TWireEncoding wire{session, 0};
    EXPECT_TRUE(SameName(wire, "[a]", "{A}"));
    EXPECT_TRUE(SameName(wire, "#Chan|x", "#chan\\X"));
    EXPECT_FALSE(SameName(wire, "~", "^"));
    EXPECT_FALSE(SameName(wire, "#a", "#ab"));
    EXPECT_TRUE(SameName(wire, "#" + kBigA, "#" + kBigA));
    EXPECT_FALSE(SameName(wire, "#" + kBigA, "#" + kSo));
  }
  // JIS 0x3441 and 0x3461 differ only in a byte the server folds, so
  // these two kanji name one channel on an ISO-2022-JP server.
  const std::string jis_3441 = "\x8A\xBF";
  const std::string jis_3461 = "\x8A\xDF";
  EXPECT_TRUE(SameName(TWireEncoding{kEncodingIso2022Jp, 0}, jis_3441, jis_3461));
  EXPECT_FALSE(SameName(TWireEncoding{kEncodingUtf8, 0}, jis_3441, jis_3461));
  EXPECT_FALSE(SameName(jis_3441, jis_3461));

  EXPECT_TRUE(SameName("[a]", "{A}"));
  EXPECT_FALSE(SameName("~", "^"));
  EXPECT_FALSE(SameName(kBigA, kSmallA));
}

struct TMatchCase {
  std::string pattern;
  std::string text;
  bool bytes;      // WildMatch
  bool multibyte;  // WildMatchMultibyte
};

TEST(ChannelNameTest, WildMatch) {
  const TMatchCase cases[] = {
      {"", "", true, true},
      {"", "a", false, false},
      {"*", "", true, true},
      {"*", "anything", true, true},
      {"a*c", "abbbc", true, true},
      {"a*c", "abbbd", false, false},
      {"a?c", "abc", true, true},
      {"a?c", "ac", false, false},
      {"*!*@abc*", "Nick!user@ABCdef.example", true, true},
      {"*!*@abc*", "nick!user@xabc", false, false},
      {"[a]*", "{A}nick", true, true},
      {"~*", "^x", false, false},
      {"a\\*c", "a*c", true, true},
      {"a\\*c", "abc", false, false},
      {"a\\?c", "abc", false, false},
      {"a\\\\c", "a\\c", true, true},
      {"a\\", "a\\", true, true},  // a lone trailing backslash stands for itself
      {"a\\", "a", false, false},
      {"**a**", "xxaxx", true, true},
      {"*a", "aaaa", true, true},
      {"*ab", "aab", true, true},
      {"a*b*c", "aXbYbZc", true, true},
      // A double-byte character is two positions for WildMatch, one for the
      // multibyte variant.
      {"?", kBigA, false, true},
      {"??", kBigA, true, false},
      {"?b", kBigA + "b", false, true},
      {"*" + kBigA + "*", "x" + kBigA + "y", true, true},
      // Second bytes are neither folded nor escapes.
      {kSmallA, kBigA, false, false},
      {kBigA, kBigA, true, true},
      {kSo + "*", kSo + "abc", true, true},
      {kSo + "?", kSo + "*", true, true},
      {"*b*", kSmallTsu, false, false},
      {"*B*", kSmallTsu, false, false},
      {"*A*", kBigA, false, false},
      {"*a*", kBigA, false, false},
      {"?A", kBigA, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pattern + " / " + c.text);
    EXPECT_EQ(WildMatch(c.pattern, c.text), c.bytes);
    EXPECT_EQ(WildMatchMultibyte(c.pattern, c.text), c.multibyte);
  }
}

TEST(ChannelNameTest, WildMatchTakesPolynomialTimeOnHostilePatterns) {
  std::string text(20000, 'a');
  EXPECT_FALSE(WildMatch("*a*a*a*a*a*a*b", text));
  EXPECT_TRUE(WildMatch("*a*a*a*a*a*a*a", text));
  EXPECT_FALSE(WildMatchMultibyte("*a*a*a*a*a*a*b", text));
  std::string kana;
  for (int i = 0; i < 5000; ++i) kana += kBigA;
  EXPECT_FALSE(WildMatchMultibyte("*" + kBigA + "*" + kBigA + "*" + kBigA + "*b", kana));
  EXPECT_TRUE(WildMatchMultibyte("*?*?*?*" + kBigA, kana));
}

TEST(ChannelNameTest, Nicks) {
  struct TCase {
    std::string text;
    bool valid;
    std::string sanitized;
    std::string safe;
  };
  const TCase cases[] = {
      {"nick", true, "nick", "nick"},
      {"^_`x-1", true, "^_`x-1", "^__x_1"},
      {"1abc", false, "_abc", "1abc"},
      {"-abc", false, "_abc", "_abc"},
      {"a[b]{c}|\\~", false, "a_b__c____", "a[b]{c}|\\~"},
      {"a b.c", false, "a_b_c", "a_b_c"},
      {"", false, "", "_"},
      // A double-byte character is replaced whole, its letter-like second
      // byte included.
      {kBigA + "b", false, "__b", "__b"},
      {"a" + kSo, false, "a__", "a__"},
      {"a\x83", false, "a_", "a_"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(IsValidNick(c.text), c.valid);
    EXPECT_EQ(SanitizeNick(c.text), c.sanitized);
    EXPECT_EQ(SafeNickChars(c.text), c.safe);
    EXPECT_EQ(IsValidNick(SanitizeNick(c.text)), !c.text.empty());
  }
}

}  // namespace
}  // namespace zeph
