#include "engine/mask.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/preferences.h"

namespace zeph {
namespace {

TEST(MaskTest, IsIgnored) {
  struct TCase {
    std::vector<std::string> masks;
    std::string nick, user, host;
    bool ignored;
  };
  const TCase cases[] = {
      {{"*!*@abc*"}, "Bob", "~bob", "ABCdef.example.net", true},
      {{"*!*@abc*"}, "Bob", "~bob", "xabc.example.net", false},
      {{"spam\\*!*@*"}, "spam*", "u", "h", true},
      {{"spam\\*!*@*"}, "spammer", "u", "h", false},
      {{"nobody!*@*", "[bob]!*@*"}, "{BOB}", "u", "h", true},
      {{"*!~*@*"}, "n", "", "h", false},
      {{"*!*@*"}, "n", "", "", true},
      {{}, "n", "u", "h", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nick + "!" + c.user + "@" + c.host);
    EXPECT_EQ(IsIgnored(c.masks, c.nick, c.user, c.host), c.ignored);
  }
}

TEST(MaskTest, BuildMask) {
  const TMaskOptions defaults;
  TMaskOptions off = defaults;
  off.AutoMask = false;
  TMaskOptions whole;
  whole.MaskWholeNick = true;
  whole.MaskWholeUsername = true;
  whole.MaskAllAddressDigits = false;
  whole.MaskFirstAddressToken = true;
  TMaskOptions first_token = defaults;
  first_token.MaskFirstAddressToken = true;
  TMaskOptions plain = defaults;
  plain.MaskAllAddressDigits = false;

  struct TCase {
    TMaskOptions options;
    std::string nick, user, host, mask;
  };
  const TCase cases[] = {
      {defaults, "foo_12", "~bar", "p123-45.abc.example.net", "foo*!*bar@p*-*.abc.example.net"},
      {off, "foo_12", "", "p123-45.abc.example.net", "foo_12!*@p123-45.abc.example.net"},
      {off, "", "u", "", "*!u@*"},
      {defaults, "n7", "x", "10.0.0.7", "n*!*x@10.0.0.*"},
      {whole, "n", "u", "10.0.0.7", "*!*@10.0.0.*"},
      {plain, "n", "u", "192.168.000.001", "n*!*u@192.168.000.*"},
      {defaults, "n", "u", "10.7", "n*!*u@10.7"},
      {defaults, "n", "u", "256.1.1.1", "n*!*u@*.*.1.1"},
      {defaults, "n", "u", "1.2.3.4.5", "n*!*u@*.*.*.4.5"},
      {defaults, "123", "=u", "a1.b2.example.net", "*!*u@a*.b*.example.net"},
      {defaults, "a1b_", "-u", "host12.example.net", "a1b*!*u@host*.example.net"},
      {defaults, "n", "+u", "a1.example.net", "n*!*u@a*.example.net"},
      {defaults, "n", "^u", "123.net", "n*!*u@123.net"},  // fewer than two dots: unchanged
      {defaults, "n", "u", "", "n*!*u@*"},
      {defaults, "", "", "2001:db8::1", "*!*@2001:db8::1"},
      {first_token, "n", "u", "ppp1.abc.example.net", "n*!*u@*.abc.example.net"},
      {first_token, "n", "u", "ppp1.example.net", "n*!*u@*.example.net"},
      {first_token, "n", "u", "ppp1.net", "n*!*u@ppp1.net"},
      {whole, "nick", "user", "ppp1.abc.example.net", "*!*@*.abc.example.net"},
      // "_" as the second byte of a double-byte character is not stripped.
      {defaults, "\x83\x5F", "u", "h", "\x83\x5F*!*u@h"},
      {defaults, "a\x83\x5F_1", "u", "h", "a\x83\x5F*!*u@h"},
      // A backslash is written as two, so that the mask still matches the
      // user; the second byte of «ソ» is no backslash of its own.
      {defaults, "a\\b_1", "u\\", "h", "a\\\\b*!*u\\\\@h"},
      {off, "a\\b", "", "", "a\\\\b!*@*"},
      {defaults, "\x83\x5C", "u", "h", "\x83\x5C*!*u@h"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nick + "!" + c.user + "@" + c.host);
    EXPECT_EQ(BuildMask(c.nick, c.user, c.host, c.options), c.mask);
  }
  EXPECT_TRUE(IsIgnored({BuildMask("a\\b_1", "u\\", "h", defaults)}, "a\\b_1", "u\\", "h"));
}

TEST(MaskTest, OptionsComeFromThePreferences) {
  TPreferences preferences;
  TMaskOptions options = MaskOptionsOf(preferences);
  EXPECT_TRUE(options.AutoMask);
  EXPECT_FALSE(options.MaskWholeNick);
  EXPECT_FALSE(options.MaskWholeUsername);
  EXPECT_TRUE(options.MaskAllAddressDigits);
  EXPECT_FALSE(options.MaskFirstAddressToken);
  preferences.MaskFirstAddressToken = true;
  preferences.AutoMask = false;
  options = MaskOptionsOf(preferences);
  EXPECT_TRUE(options.MaskFirstAddressToken);
  EXPECT_FALSE(options.AutoMask);
}

}  // namespace
}  // namespace zeph
