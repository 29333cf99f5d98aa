// CTCP replies shown in the unit log, the round trip of our PING, and the
// recognition of CTCP frames.
#include <gtest/gtest.h>

#include "protocol/ctcp_frame.h"
#include "protocol/ctcp_texts.h"
#include "protocol/incoming_fixture.h"

namespace zeph {
namespace {

class CtcpReplyTest : public test::IncomingTest {
 protected:
  void SetUp() override {
    LogIn();
    Sent();
  }
  void Reply(const std::string& text) { Receive(":bob!b@h NOTICE me :\x01" + text + "\x01"); }
};

TEST_F(CtcpReplyTest, OurPingComesBackAsTheRoundTrip) {
  Tick(10);
  std::int64_t sent_at = world_->Loop().NowMs();
  Tick(2);
  loop_.Advance(345);
  Reply(CtcpPingQueryText(sent_at));
  EXPECT_EQ(LastUnitLine(), UnitLine("*CTCP-reply(PING) from bob : 2.34 sec"));
  Reply("PING :" + std::to_string(sent_at));
  EXPECT_EQ(LastUnitLine(), UnitLine("*CTCP-reply(PING) from bob : 2.34 sec"));
}

TEST_F(CtcpReplyTest, RepliesShowTheirTextAsSentWithoutALeadingColon) {
  struct Case {
    std::string reply;
    std::string line;
  };
  const Case cases[] = {
      {"VERSION :Other 1.0 %s", "*CTCP-reply(VERSION) from bob : Other 1.0 %s"},
      {"TIME Wed Mar  5 21:05:09 2008", "*CTCP-reply(TIME) from bob : Wed Mar  5 21:05:09 2008"},
      {"USERINFO :100% me", "*CTCP-reply(USERINFO) from bob : 100% me"},
      {"CLIENTINFO :A B", "*CTCP-reply(CLIENTINFO) from bob : A B"},
      {"FOO :bar", "*CTCP-reply(FOO) from bob : :bar"},
      // No stamp of ours: shown as the peer wrote it, never as a time.
      {"PING abc", "*CTCP-reply(PING) from bob : abc"},
      {"PING 99999999999999999999999", "*CTCP-reply(PING) from bob : 99999999999999999999999"},
      {"PING 123456789", "*CTCP-reply(PING) from bob : 123456789"},  // later than now
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reply);
    Reply(c.reply);
    EXPECT_EQ(LastUnitLine(), UnitLine(c.line));
  }
  EXPECT_TRUE(Sent().empty());
}

TEST_F(CtcpReplyTest, AReplyFromAnIgnoredUserIsStillShown) {
  world_->ignore_masks = {"bob!*@*"};
  Reply("VERSION x");
  EXPECT_EQ(LastUnitLine(), UnitLine("*CTCP-reply(VERSION) from bob : x"));
}

TEST(CtcpFrame, Recognition) {
  struct Case {
    std::string text;
    bool is_ctcp;
    std::string command;
    std::string argument;
  };
  const Case cases[] = {
      {"hello", false, "", ""},
      {"", false, "", ""},
      {" \x01VERSION\x01", false, "", ""},
      {"\x01VERSION\x01", true, "VERSION", ""},
      {"\x01version\x01 more \x01TIME\x01", true, "VERSION", ""},
      {"\x01PING   12 34 \x01", true, "PING", "12 34 "},
      {"\x01PING 12", true, "PING", "12"},  // never closed
      {"\x01", true, "", ""},
      {"\x01\x01", true, "", ""},
      {"\x01\x01VERSION\x01", true, "", ""},
      {"\x01 VERSION\x01", true, "", "VERSION"},
      // A second byte equal to "a" is no letter to fold.
      {"\x01\x82\x61x\x01", true, "\x82\x61X", ""},
      {"\x01""ACTION \x93\xfa\x96\x7b\x01", true, "ACTION", "\x93\xfa\x96\x7b"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::optional<TCtcpFrame> frame = ParseCtcpFrame(c.text);
    ASSERT_EQ(frame.has_value(), c.is_ctcp);
    if (!frame) continue;
    EXPECT_EQ(frame->command, c.command);
    EXPECT_EQ(frame->argument, c.argument);
  }
}

TEST(CtcpTexts, PingRoundTrip) {
  struct Case {
    std::string argument;
    std::int64_t now;
    std::optional<std::string> shown;
  };
  const std::int64_t big = (std::int64_t{1} << 32) + 5000;  // past the 32-bit range
  const Case cases[] = {
      {"1000", 3345, "2.34 sec"},
      {":1000 ", 1000, "0.00 sec"},
      {"0", 61999, "61.99 sec"},
      {std::to_string(big - 1500), big, "1.50 sec"},
      {"3500", big, "1.50 sec"},  // the peer kept only the low 32 bits
      {"1001", 1000, std::nullopt},
      {"", 1000, std::nullopt},
      {"12a", 1000, std::nullopt},
      {"-5", 1000, std::nullopt},
      {"18446744073709551616", big, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.argument);
    EXPECT_EQ(CtcpPingRoundTrip(c.argument, c.now), c.shown);
  }
}

TEST(CtcpTexts, TimeAndVersion) {
  std::tm tm{};
  tm.tm_year = 108;
  tm.tm_mon = 2;
  tm.tm_mday = 5;
  tm.tm_wday = 3;
  tm.tm_hour = 21;
  tm.tm_min = 5;
  tm.tm_sec = 9;
  EXPECT_EQ(CtcpTimeText(tm), "Wed Mar  5 21:05:09 2008");
  tm.tm_mday = 25;
  EXPECT_EQ(CtcpTimeText(tm), "Wed Mar 25 21:05:09 2008");
  EXPECT_EQ(CtcpVersionText("Linux"), "Zephlora 2.18 (Linux)");
}

}  // namespace
}  // namespace zeph
