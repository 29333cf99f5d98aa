// A received JOIN, PRIVMSG and KICK, from the wire to the lines of the
// channel log and the console, with the default formats.
#include <gtest/gtest.h>

#include "protocol/incoming_fixture.h"

namespace zeph {
namespace {

using Lines = std::vector<std::string>;

class IncomingEndToEndTest : public test::IncomingTest {};

TEST_F(IncomingEndToEndTest, JoinMessageAndKickReachTheChannelLogAndTheConsole) {
  config_.channels = {NewChannelConfig("#c", false)};
  LogIn();
  Receive(":me!u@h JOIN :#c");
  TChannel& channel = *unit_->FindChannel("#c");
  size_t channel_before = channel.Log().Count();
  size_t console_before = world_->Console().Count();

  Receive(":alice!al@alice.example JOIN :#c\n"
          ":alice!al@alice.example PRIVMSG #c :good morning\n"
          ":op!o@op.example KICK #c alice :too early");

  const std::string time = kTimePiece;
  Lines channel_lines = Texts(channel.Log());
  channel_lines.erase(channel_lines.begin(), channel_lines.begin() + static_cast<long>(channel_before));
  EXPECT_EQ(channel_lines, (Lines{
                               time + "*alice join #c (al@alice.example)",
                               time + "(alice) good morning",
                               time + "*op kick alice (too early)",
                           }));
  // The unit is selected, not the channel: every line is copied.
  Lines console_lines = Texts(world_->Console());
  console_lines.erase(console_lines.begin(), console_lines.begin() + static_cast<long>(console_before));
  EXPECT_EQ(console_lines, (Lines{
                               time + "<test:#c> *alice join #c (al@alice.example)",
                               time + "<test:#c> (alice) good morning",
                               time + "<test:#c> *op kick alice (too early)",
                           }));
  EXPECT_EQ(channel.Members().FindMember("alice"), nullptr);
}

}  // namespace
}  // namespace zeph
