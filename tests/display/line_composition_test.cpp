#include "display/line_composition.h"

#include <gtest/gtest.h>

#include <string>

#include "display/message_format.h"

namespace zeph {
namespace {

using K = TMessageKind;

constexpr std::time_t kNow = 1700049600;

class LineCompositionTest : public testing::Test {
 protected:
  LineCompositionTest() { format_.time = "[T] "; }

  TLinePieces Compose(TMessageKind kind, TLogKind log, std::string_view channel, std::string_view nick,
                      std::string body, bool talk = false) const {
    TLineRequest request;
    request.kind = kind;
    request.log = log;
    request.time = kNow;
    request.unit_name = "srv";
    request.channel_name = channel;
    request.channel_is_talk = talk;
    request.nick = nick;
    return ComposeLine(format_, request, std::move(body));
  }

  TMessageFormat format_;
};

TEST_F(LineCompositionTest, DefaultJoinLineInTheConsole) {
  TMessageFormat defaults;
  TLineRequest request{K::Join, TLogKind::Console, kNow, "srv", "#ch", false, "bob"};
  TLinePieces pieces = ComposeLine(defaults, request, defaults.FormatJoin({"bob", "user", "host"}, "#ch"));
  EXPECT_EQ(pieces.time, "12:00 ");  // tests run in UTC
  EXPECT_EQ(pieces.place, "<srv:#ch> ");
  EXPECT_EQ(pieces.nick_piece, "");
  EXPECT_EQ(pieces.Text(), "12:00 <srv:#ch> *bob join #ch (user@host)");
}

struct TPlaceCase {
  TMessageKind kind;
  TLogKind log;
  const char* channel;
  bool talk;
  bool channelInChannelLog;
  const char* place;
};

TEST_F(LineCompositionTest, PlaceDependsOnTheLog) {
  const TPlaceCase cases[] = {
      {K::Join, TLogKind::Unit, "#ch", false, false, "<#ch> "},
      {K::Reply, TLogKind::Unit, "", false, false, ""},
      {K::Join, TLogKind::Console, "#ch", false, false, "<srv:#ch> "},
      {K::Privmsg, TLogKind::Console, "bob", true, false, "<srv:bob> "},
      {K::UserQuit, TLogKind::Console, "", false, false, "<srv> "},
      {K::Privmsg, TLogKind::Channel, "#ch", false, false, ""},
      {K::Privmsg, TLogKind::Channel, "#ch", false, true, "<#ch> "},
      {K::Notice, TLogKind::Channel, "#ch", false, true, "<#ch> "},
      {K::Action, TLogKind::Channel, "#ch", false, true, "<#ch> "},
      {K::Join, TLogKind::Channel, "#ch", false, true, ""},
      {K::System, TLogKind::Channel, "#ch", false, true, ""},
      {K::Privmsg, TLogKind::Channel, "bob", true, true, ""},
      {K::Privmsg, TLogKind::Channel, "=bob", true, true, ""},
  };
  for (const TPlaceCase& c : cases) {
    format_.enable_channel_in_channel_log = c.channelInChannelLog;
    EXPECT_EQ(Compose(c.kind, c.log, c.channel, "bob", "text", c.talk).place, c.place)
        << static_cast<int>(c.kind) << " log " << static_cast<int>(c.log) << " " << c.channel;
  }
}

TEST_F(LineCompositionTest, PrivmsgInChannelLogCarriesTheChannelAfterTheTime) {
  format_.enable_channel_in_channel_log = true;
  EXPECT_EQ(Compose(K::Privmsg, TLogKind::Channel, "#ch", "bob", "hi").Text(), "[T] <#ch> (bob) hi");
  EXPECT_EQ(Compose(K::Privmsg, TLogKind::Channel, "bob", "bob", "hi", true).Text(), "[T] (bob) hi");
}

TEST_F(LineCompositionTest, NickPieceOnlyForMessagesWithASender) {
  EXPECT_EQ(Compose(K::Privmsg, TLogKind::Channel, "#ch", "bob", "hi").nick_piece, "(bob) ");
  EXPECT_EQ(Compose(K::Notice, TLogKind::Unit, "", "srv.example", "hi").nick_piece, "(srv.example) ");
  EXPECT_EQ(Compose(K::Action, TLogKind::Console, "#ch", "bob", "waves").nick_piece, "(bob) ");
  EXPECT_EQ(Compose(K::Notice, TLogKind::Unit, "", "", "*** Looking up").nick_piece, "");
  EXPECT_EQ(Compose(K::Join, TLogKind::Channel, "#ch", "bob", "*bob join").nick_piece, "");
  EXPECT_EQ(Compose(K::Reply, TLogKind::Unit, "", "bob", "text").nick_piece, "");
}

TEST_F(LineCompositionTest, TimeOffStartsWithThePlace) {
  format_.enable_time = false;
  TLinePieces pieces = Compose(K::Privmsg, TLogKind::Console, "#ch", "bob", "hi");
  EXPECT_EQ(pieces.time, "");
  EXPECT_EQ(pieces.Text(), "<srv:#ch> (bob) hi");
}

TEST_F(LineCompositionTest, MessageTextIsNeverExpanded) {
  format_.enable_channel_in_channel_log = true;
  EXPECT_EQ(Compose(K::Privmsg, TLogKind::Channel, "#%n", "%c", "100% %n %s%%").Text(),
            "[T] <#%n> (%c) 100% %n %s%%");
}

}  // namespace
}  // namespace zeph
