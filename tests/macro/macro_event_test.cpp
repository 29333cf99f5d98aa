#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/irc_message.h"
#include "macro/macro_event.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

TMacroEvent EventOf(std::string_view line, std::string_view my_nick = "me") {
  TIrcMessage message;
  message.Parse(line);
  return MakeMacroEvent(message, my_nick);
}

TEST(MacroEventTest, Normalization) {
  struct Case {
    std::string line;
    std::string command;
    std::string channel;
    std::string message;
  };
  const Case cases[] = {
      {":a!u@h PRIVMSG #c :hello", "PRIVMSG", "#c", "hello"},
      {":a!u@h privmsg #c :hello", "PRIVMSG", "#c", "hello"},
      {":a!u@h PRIVMSG #c :\x01" "ACTION waves\x01", "ACTION", "#c", "waves"},
      {":a!u@h PRIVMSG me :\x01" "ACTION\x01", "ACTION", "me", ""},
      {":a!u@h PRIVMSG #c :\x01VERSION\x01 tail", "CTCPQUERY", "#c", "VERSION"},
      {":a!u@h PRIVMSG #c :\x01PING 123", "CTCPQUERY", "#c", "PING 123"},  // left open by the peer
      {":a!u@h PRIVMSG #c :\x01" "action waves\x01", "CTCPQUERY", "#c", "action waves"},
      {":a!u@h NOTICE me :\x01VERSION x 1.0\x01", "CTCPREPLY", "me", "VERSION x 1.0"},
      {":a!u@h NOTICE #c :plain", "NOTICE", "#c", "plain"},
      {":a!u@h JOIN :#c\x07o", "JOIN", "#c", "#c"},
      {":a!u@h JOIN :\x07weird", "JOIN", "\x07weird", "\x07weird"},  // the byte only counts after the first
      {":a!u@h PART #c :bye", "PART", "#c", "bye"},
      {":a!u@h KICK #c b :out", "KICK", "#c", "out"},
      {":a!u@h QUIT :gone", "QUIT", "", "gone"},
      {":a!u@h NICK :b", "NICK", "", "b"},
      {":srv 001 me :Welcome", "001", "me", "Welcome"},
      {":srv 332 me #c :topic", "332", "me", "topic"},
      {"PING :srv", "PING", "", "srv"},
  };
  for (const Case& c : cases) {
    TMacroEvent event = EventOf(c.line);
    EXPECT_EQ(event.command, c.command) << c.line;
    EXPECT_EQ(event.channel, c.channel) << c.line;
    EXPECT_EQ(event.message, c.message) << c.line;
  }
}

TEST(MacroEventTest, KeepsTheMessageFields) {
  std::string line = ":taro!~t@host.example.jp PRIVMSG " + Sjis("#雑談 :こんにちは");
  TMacroEvent event = EventOf(line, "hanako");
  EXPECT_EQ(event.my_nick, "hanako");
  EXPECT_EQ(event.raw, line);
  EXPECT_EQ(event.prefix, "taro!~t@host.example.jp");
  EXPECT_EQ(event.nick, "taro");
  EXPECT_EQ(event.user, "~t");
  EXPECT_EQ(event.host, "host.example.jp");
  EXPECT_EQ(event.params, (std::vector<std::string>{Sjis("#雑談"), Sjis("こんにちは")}));
  EXPECT_EQ(event.message, Sjis("こんにちは"));
  EXPECT_EQ(EventOf(":srv 433 me x :in use").numeric, 433);
}

TEST(MacroEventTest, SelfIsTheSenderOrTheNewNickExactly) {
  struct Case {
    std::string line;
    bool is_self;
  };
  const Case cases[] = {
      {":me!u@h PRIVMSG #c :x", true},
      {":ME!u@h PRIVMSG #c :x", false},  // byte-wise
      {":other!u@h PRIVMSG #c :x", false},
      {":old!u@h NICK :me", true},   // we became "me"
      {":me!u@h NICK :new", false},  // the new nick counts, not the old one
      {":other!u@h NICK :me2", false},
  };
  for (const Case& c : cases) EXPECT_EQ(EventOf(c.line).is_self, c.is_self) << c.line;
}

TEST(MacroEventTest, ChannelEventsAndTheEditorsChannelField) {
  for (std::string_view command : {"PRIVMSG", "NOTICE", "ACTION", "CTCPQUERY", "CTCPREPLY", "JOIN", "PART", "MODE",
                                   "TOPIC", "KICK", "KILL", "INVITE", "KEYWORD", "DCCCHATMESSAGE", "OP", "DEOP",
                                   "VOICE", "DEVOICE", "001", "9"})
    EXPECT_TRUE(IsChannelEvent(command)) << command;
  for (std::string_view command : {"NICK", "QUIT", "PING", "ERROR", "", "privmsg"})
    EXPECT_FALSE(IsChannelEvent(command)) << command;

  struct Case {
    std::string pattern;
    bool enabled;
  };
  const Case cases[] = {
      {"", true},         {"Privmsg", true},  {"DCCChatMessage", true}, {"join|quit", true},
      {"*", true},        {"J?IN", true},     {"Kill", false},          {"invite", false},
      {"NICK", false},    {"001", false},     {Sjis("ポ"), false},       // the second byte of ポ is no "|"
  };
  for (const Case& c : cases) EXPECT_EQ(IsChannelFieldEnabled(c.pattern), c.enabled) << c.pattern;
}

TEST(MacroEventTest, EditorOffersTheEventNamesInOrder) {
  std::vector<std::string_view> names(EditorEventNames().begin(), EditorEventNames().end());
  EXPECT_EQ(names, (std::vector<std::string_view>{"Privmsg", "Join", "Part", "Quit", "Mode", "Nick", "Topic", "Kick",
                                                  "Invite", "Action", "Keyword", "Op", "Deop", "Voice", "Devoice",
                                                  "CTCPQuery", "CTCPReply", "DCCChatMessage"}));
}

}  // namespace
}  // namespace zeph
