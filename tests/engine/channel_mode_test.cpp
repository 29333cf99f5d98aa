#include "engine/channel_mode.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace zeph {
namespace {

TChannelMode ModeOf(const std::string& text) {
  TChannelMode mode;
  mode.Apply(text);
  return mode;
}

TEST(ChannelModeTest, ApplyAndToText) {
  struct TCase {
    std::string start;  // applied first
    std::string text;
    std::string expected;
  };
  const TCase cases[] = {
      {"", "+nt", "+nt"},
      {"", "+ntl+k 10 x", "+nt+l+k 10 x"},
      {"", "+kl-k secret 5 secret", "+l 5"},
      {"+ntk x", "+o nick", "+nt+k x"},
      {"", "+ob-v a b c +s", "+s"},
      {"", "+IORbeov a b c d e f g +p", "+p"},
      {"+pstmnai", "-pa", "+smnti"},
      {"", "+m-m+m", "+m"},
      {"", "+qr", "+qr"},
      {"+l 5", "-l", ""},
      {"+l 5", "-l+k key", "+k key"},  // "-l" takes no word
      {"+k old", "-k whatever", ""},
      {"", "nt +i", "+i"},             // a word without a sign is skipped
      {"", "+l", ""},                  // a missing word reads as empty
      {"", "+l x10", ""},
      {"", "+l 12abc", "+l 12"},
      {"", "+l 99999999999999999999999", "+l 2147483647"},
      {"", "+l -3", ""},
      {"", "+cjCt x y", "+t"},         // unknown letters take no word
      {"", "+\x83\x6Bn key", "+n"},    // 0x83 0x6B is one character, not "k"
      {"", "", ""},
      {"", "   ", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.start + " | " + c.text);
    TChannelMode mode = ModeOf(c.start);
    mode.Apply(c.text);
    EXPECT_EQ(mode.ToText(), c.expected);
  }
  TChannelMode huge = ModeOf("+l 4294967296");
  EXPECT_EQ(huge.limit, std::numeric_limits<int>::max());
}

TEST(ChannelModeTest, Diff) {
  struct TCase {
    std::string from;
    std::string to;
    std::string first;
    std::string second;
  };
  const TCase cases[] = {
      {"+k a", "+k b", "-k a", "+k b"},
      {"", "+k b", "+k b", ""},
      {"+k a", "", "-k a", ""},
      {"+l 5", "", "-l", ""},
      {"", "+l 5", "+l 5", ""},
      {"+l 5", "+l 7", "+l 7", ""},
      {"+nt", "+nt", "", ""},
      {"+sn", "+imn", "+i+m-s", ""},
      {"+q", "", "", ""},  // "q" is not compared
      {"+apr", "+st", "-a-p+s-r+t", ""},
      {"+i+l+k 3 a", "+m+l+k 4 b", "-i+m+l-k 4 a", "+k b"},
      {"+n", "+n+l+k 9 c", "+l+k 9 c", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.from + " -> " + c.to);
    TModeChange change = ModeOf(c.from).Diff(ModeOf(c.to));
    EXPECT_EQ(change.first, c.first);
    EXPECT_EQ(change.second, c.second);
  }
}

TEST(ChannelModeTest, DiffTurnsOneModeIntoTheOther) {
  const char* const modes[] = {"", "+k a", "+k b", "+l 5", "+sn", "+imn+l+k 3 x", "+pt+k y", "+artl 1"};
  for (const char* from : modes) {
    for (const char* to : modes) {
      SCOPED_TRACE(std::string(from) + " -> " + to);
      TChannelMode mode = ModeOf(from);
      TModeChange change = mode.Diff(ModeOf(to));
      mode.Apply(change.first);
      mode.Apply(change.second);
      EXPECT_EQ(mode, ModeOf(to));
    }
  }
}

TEST(UserModeTest, ApplyAndToText) {
  struct TCase {
    std::string text;
    std::string expected;
  };
  const TCase cases[] = {
      {"", "+"},
      {"+iw", "+iw"},
      {"+oOsrwia", "+aiwsroO"},
      {"+iw-w+o", "+io"},
      {"-i+x", "+"},
      {"+i \x83\x6Fw", "+iw"},  // 0x83 0x6F is one character, not "o"
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    TUserMode mode;
    mode.Apply(c.text);
    EXPECT_EQ(mode.ToText(), c.expected);
  }
}

}  // namespace
}  // namespace zeph
