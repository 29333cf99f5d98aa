// The input line and the command line against a scripted server: the
// command table, own lines and macro events, long messages in pieces, DCC
// chat targets, pasted blocks.
#include <gtest/gtest.h>

#include "engine/encoding.h"
#include "platform/sjis.h"
#include "protocol/command_line.h"
#include "support/session_fixture.h"

namespace zeph {
namespace {

using Lines = std::vector<std::string>;

// The macro engine's view of our own messages and of unknown commands.
class TOwnEventRecorder : public test::TMacroRecorder {
 public:
  Lines own_events;  // prefix, command and parameters joined by "|"
  Lines unknown;     // command, target and rest joined by "|"
  bool takes_unknown = false;

  void OnProgramEvent(TUnit&, const TIrcMessage& event) override {
    std::string text = event.prefix + "|" + event.command;
    for (const std::string& p : event.params) text += "|" + p;
    own_events.push_back(text);
  }
  bool OnUnknownCommand(TUnit&, const std::string& command, const std::string& target,
                        const std::string& rest) override {
    unknown.push_back(command + "|" + target + "|" + rest);
    return takes_unknown;
  }
};

// DCC chats that take every line while connected.
class TChatRecorder : public TDccHooks {
 public:
  bool connected = true;
  Lines lines;  // chat name, ":", text
  void RenamePeer(TUnit&, const std::string&, const std::string&) override {}
  bool SendChatLine(TUnit&, TChannel& chat, const std::string& text) override {
    if (!connected) return false;
    lines.push_back(chat.Name() + ":" + text);
    return true;
  }
};

class CommandLineTest : public test::SessionTest {
 protected:
  CommandLineTest() {
    prefs_.EnableAutoPong = false;
    config_.channels = {NewChannelConfig("#c", false), NewChannelConfig("%jp", false),
                        NewChannelConfig("!safe", false)};
  }
  ~CommandLineTest() override { world_.reset(); }

  void OnWorldCreated() override {
    world_->SetMacros(&events_);
    world_->SetDcc(&chats_);
  }

  // Logged in and in #c, as the server writes us, with nothing in flight.
  void Enter() {
    LogIn();
    Receive(":me!u@h JOIN :#c");
    Settle();
    Drain();
  }
  // Lets everything queued out and the flood budget recover.
  Lines Drain() {
    Settle();
    const TIrcConnection& connection = unit_->Connection();
    for (int i = 0; i < 60 && (connection.QueuedCount() > 0 || connection.PenaltySum() > 0); ++i) Tick();
    return Sent();
  }
  Lines Run(const std::string& line) {
    ExecuteCommandLine(*unit_, line, false);
    return Drain();
  }
  TChannel& C() { return *unit_->FindChannel("#c"); }
  TChannel& OpenChat(const std::string& nick) { return *unit_->OpenDccChat(nick, "pu", "ph"); }

  TOwnEventRecorder events_;
  TChatRecorder chats_;
};

TEST_F(CommandLineTest, CommandTable) {
  Enter();
  Receive(":me!u@h JOIN :!ABCDEsafe");
  Drain();
  struct TCase {
    const char* line;
    Lines sent;
  };
  const TCase cases[] = {
      {"kick #c x,y,z bye", {"KICK #c x,y,z :bye"}},
      {"kick #c x,,y :two words", {"KICK #c x,y :two words"}},
      {"topic #c :", {"TOPIC #c :"}},
      {"topic #c", {"TOPIC #c"}},
      {"topic #c ::)", {"TOPIC #c ::)"}},
      {"topic #c new topic", {"TOPIC #c :new topic"}},
      {"Msg nick hi there", {"PRIVMSG nick :hi there"}},
      {"notice nick :hi", {"NOTICE nick :hi"}},
      {"action #c waves", {"PRIVMSG #c :\x01" "ACTION waves\x01"}},
      {"privmsg nick :\x01" "ACTION waves\x01", {"PRIVMSG nick :\x01" "ACTION waves\x01"}},
      {"notice nick \x01VERSION v1\x01 tail", {"NOTICE nick :\x01VERSION v1\x01"}},
      {"ctcpquery nick version", {"PRIVMSG nick :\x01version\x01"}},
      {"ctcpreply nick TIME now", {"NOTICE nick :\x01TIME now\x01"}},
      {"ctcpquery nick", {"PRIVMSG nick :\x01\x01"}},
      {"ctcpreply nick", {"NOTICE nick :\x01\x01"}},
      {"nick newnick extra", {"NICK newnick"}},
      {"mode #c +o-v x y", {"MODE #c +o-v x y"}},
      {"mode %jp +t", {"MODE #jp:*.jp +t"}},
      {"part #c", {"PART #c :"}},
      {"part %jp,!safe bye", {"PART #jp:*.jp,!ABCDEsafe :bye"}},
      {"join %jp,#b key", {"JOIN #jp:*.jp,#b key"}},
      {"away gone", {"AWAY :gone"}},
      {"away", {"AWAY"}},
      {"invite bob %jp", {"INVITE bob #jp:*.jp"}},
      {"whois bob", {"WHOIS bob"}},
      {"msg #c <bold>hi", {"PRIVMSG #c :\x02hi"}},
      {"privmsg nick :", {}},
      {"msg", {}},
      {"kick #c", {}},
      {"kick #c ,", {}},
      {"mode", {}},
      {"invite bob", {"INVITE bob"}},
      {"invite", {}},
      {"", {}},
      {"   ", {}},
      {"quit bye", {"QUIT :bye"}},
  };
  for (const TCase& c : cases) EXPECT_EQ(Run(c.line), c.sent) << c.line;
}

TEST_F(CommandLineTest, KickPenaltyGrowsWithTheNicks) {
  Enter();
  ExecuteCommandLine(*unit_, "kick #c x,y,z bye", false);
  Settle();
  EXPECT_EQ(unit_->Connection().PenaltySum(), 7);
  Drain();
  ExecuteCommandLine(*unit_, "kick #c a,b,c,d,e", false);
  Settle();
  EXPECT_EQ(unit_->Connection().PenaltySum(), 10);
}

TEST_F(CommandLineTest, CtcpPingCarriesTheTick) {
  Enter();
  std::string tick = std::to_string(loop_.NowMs());
  EXPECT_EQ(Run("ctcpping nick"), (Lines{"PRIVMSG nick :\x01PING " + tick + "\x01"}));
}

TEST_F(CommandLineTest, CtcpByPrivmsgIsAQueryNotAMessage) {
  Enter();
  EXPECT_EQ(Run("privmsg nick \x01VERSION\x01"), (Lines{"PRIVMSG nick :\x01VERSION\x01"}));
  EXPECT_TRUE(events_.own_events.empty());
  EXPECT_FALSE(Contains(unit_->Log(), "VERSION"));
}

TEST_F(CommandLineTest, UnknownCommandGoesToTheMacrosOrRaw) {
  Enter();
  EXPECT_EQ(Run("foo bar baz"), (Lines{"FOO bar baz"}));
  EXPECT_EQ(events_.unknown, (Lines{"FOO||bar baz"}));

  events_.takes_unknown = true;
  EXPECT_EQ(Run("foo bar"), Lines{});
  // Known IRC commands and commands from macros are never offered.
  EXPECT_EQ(Run("lusers"), (Lines{"LUSERS"}));
  ExecuteCommandLine(*unit_, "bar x", true);
  EXPECT_EQ(Drain(), (Lines{"BAR x"}));
  EXPECT_EQ(events_.unknown, (Lines{"FOO||bar baz", "FOO||bar"}));

  world_->macros_stopped = true;
  EXPECT_EQ(Run("foo"), (Lines{"FOO"}));
}

TEST_F(CommandLineTest, OwnMessagesArePrintedAndOfferedToMacros) {
  Enter();
  Receive(":me!u@h JOIN :#jp:*.jp");
  Drain();
  Run("msg #c,%jp,nick hello");
  EXPECT_EQ(events_.own_events, (Lines{"me!u@h|PRIVMSG|#c,#jp:*.jp,nick|hello"}));
  EXPECT_TRUE(Contains(C().Log(), "hello"));
  EXPECT_TRUE(Contains(unit_->FindChannel("%jp")->Log(), "hello"));
  // A nick without a talk: the line goes to the unit log.
  EXPECT_TRUE(Contains(unit_->Log(), "hello"));

  events_.own_events.clear();
  ExecuteCommandLine(*unit_, "notice #c from a macro", true);
  EXPECT_EQ(Drain(), (Lines{"NOTICE #c :from a macro"}));
  EXPECT_TRUE(events_.own_events.empty());
  EXPECT_TRUE(Contains(C().Log(), "from a macro"));
}

TEST_F(CommandLineTest, MessageToDccChatAndServerTargets) {
  Enter();
  TChannel& chat = OpenChat("b");
  EXPECT_EQ(Run("msg a,=b hi"), (Lines{"PRIVMSG a :hi"}));
  EXPECT_EQ(chats_.lines, (Lines{"=b:hi"}));
  EXPECT_TRUE(Contains(chat.Log(), "hi"));
  EXPECT_EQ(events_.own_events, (Lines{"me!u@h|DCCCHATMESSAGE|=b|hi", "me!u@h|PRIVMSG|a|hi"}));

  // An unknown or closed chat gets nothing.
  chats_.connected = false;
  EXPECT_EQ(Run("msg =b,=nobody again"), Lines{});
  EXPECT_FALSE(Contains(chat.Log(), "again"));
}

TEST_F(CommandLineTest, CommandsWhileDisconnectedAreDropped) {
  prefs_.Reconnect = false;
  Start();  // registering: commands go out
  Sent();
  EXPECT_EQ(Run("nick other"), (Lines{"NICK other"}));
  server_.CloseClient();
  Settle();
  ASSERT_EQ(unit_->State(), TUnitState::Idle);
  events_.takes_unknown = true;
  EXPECT_EQ(Run("foo"), Lines{});
  EXPECT_TRUE(events_.unknown.empty());
}

TEST_F(CommandLineTest, SubmittedTextGoesToTheSelectedTarget) {
  Enter();
  EXPECT_TRUE(SubmitInput(*unit_, &C(), "plain", false, false, true));
  EXPECT_TRUE(SubmitInput(*unit_, &C(), "quiet", true, false, true));
  EXPECT_TRUE(SubmitInput(*unit_, &C(), "waves", true, true, true));
  EXPECT_TRUE(SubmitInput(*unit_, &C(), "/join #a", false, false, true));
  EXPECT_EQ(Drain(), (Lines{"PRIVMSG #c :plain", "NOTICE #c :quiet", "PRIVMSG #c :\x01" "ACTION waves\x01",
                            "JOIN #a"}));
  EXPECT_EQ(events_.own_events,
            (Lines{"me!u@h|PRIVMSG|#c|plain", "me!u@h|NOTICE|#c|quiet", "me!u@h|ACTION|#c|waves"}));

  // With commands off, or not allowed by the caller, the prefix is text.
  prefs_.EnableCommand = false;
  EXPECT_TRUE(SubmitInput(*unit_, &C(), "/join #a", false, false, true));
  prefs_.EnableCommand = true;
  EXPECT_TRUE(SubmitInput(*unit_, &C(), "/join #b", false, false, false));
  prefs_.CommandPrefix = "";
  EXPECT_TRUE(SubmitInput(*unit_, &C(), "/join #c", false, false, true));
  EXPECT_EQ(Drain(), (Lines{"PRIVMSG #c :/join #a", "PRIVMSG #c :/join #b", "PRIVMSG #c :/join #c"}));
}

TEST_F(CommandLineTest, TextIsNotSentWhileUnregisteredOrToAnInactiveTarget) {
  Start();
  Sent();
  TChannel& c = *unit_->FindChannel("#c");
  EXPECT_FALSE(SubmitInput(*unit_, &c, "too early", false, false, true));
  EXPECT_FALSE(SendMultiLine(*unit_, &c, "a\nb", false));
  Receive(":irc.test 001 me :Welcome");
  EXPECT_FALSE(SubmitInput(*unit_, &c, "not joined", false, false, true));
  EXPECT_FALSE(SubmitInput(*unit_, nullptr, "no target", false, false, true));
  EXPECT_FALSE(SubmitInput(*unit_, &c, "", false, false, true));
  // A command line still runs, whatever is selected.
  EXPECT_TRUE(SubmitInput(*unit_, nullptr, "/whois x", false, false, true));
  EXPECT_EQ(Drain(), (Lines{"WHOIS x"}));
}

TEST_F(CommandLineTest, TypingIntoATalkEndsAway) {
  Enter();
  TChannel& talk = *unit_->OpenTalk("friend", "fu", "fh");
  unit_->SetAway(true);
  EXPECT_TRUE(SubmitInput(*unit_, &talk, "back", false, false, true));
  EXPECT_EQ(Drain(), (Lines{"AWAY", "PRIVMSG friend :back"}));
  EXPECT_TRUE(Contains(talk.Log(), "back"));

  prefs_.UnawayOnSendTalk = false;
  EXPECT_TRUE(SubmitInput(*unit_, &talk, "still", false, false, true));
  EXPECT_TRUE(SubmitInput(*unit_, &C(), "channel", false, false, true));
  EXPECT_EQ(Drain(), (Lines{"PRIVMSG friend :still", "PRIVMSG #c :channel"}));
}

TEST_F(CommandLineTest, DccChatInput) {
  Start();  // the chat needs no server
  TChannel& chat = OpenChat("b");
  EXPECT_TRUE(SubmitInput(*unit_, &chat, "<bold>hi", false, false, true));
  EXPECT_TRUE(SubmitInput(*unit_, &chat, "waves", false, true, true));
  EXPECT_EQ(chats_.lines, (Lines{"=b:\x02hi", "=b:waves"}));
  ASSERT_GE(chat.Log().Count(), 2u);
  EXPECT_EQ(chat.Log().At(chat.Log().Count() - 1).category, KindCategory(TMessageKind::Action));
  chats_.connected = false;
  EXPECT_FALSE(SubmitInput(*unit_, &chat, "lost", false, false, true));
  EXPECT_FALSE(SendMultiLine(*unit_, &chat, "lost\nagain", false));
}

TEST_F(CommandLineTest, PastedBlockGoesLineByLine) {
  Enter();
  EXPECT_TRUE(SendMultiLine(*unit_, &C(), "one\r\ntwo\r\rthree\n\n<bold>four\n", true));
  EXPECT_EQ(Drain(), (Lines{"NOTICE #c :one", "NOTICE #c :two", "NOTICE #c :three", "NOTICE #c :\x02" "four"}));
  EXPECT_TRUE(SendMultiLine(*unit_, &C(), "/join #x", false));
  EXPECT_EQ(Drain(), (Lines{"PRIVMSG #c :/join #x"}));
  EXPECT_FALSE(SendMultiLine(*unit_, &C(), "\r\n\n", false));

  TChannel& chat = OpenChat("b");
  EXPECT_TRUE(SendMultiLine(*unit_, &chat, "a\nb", false));
  EXPECT_EQ(chats_.lines, (Lines{"=b:a", "=b:b"}));
}

// The server relays our line to others with our prefix in front; that
// form must stay within 510 bytes.
class LongMessageTest : public CommandLineTest {
 protected:
  std::string Relayed(const std::string& line) { return ":me!u@h " + line; }
  // The texts of the PRIVMSG lines sent, decoded.
  std::string JoinedTexts(const Lines& sent, const std::string& head) {
    std::string joined;
    for (const std::string& line : sent) {
      EXPECT_TRUE(line.starts_with(head)) << line;
      EXPECT_LE(Relayed(line).size(), 510u) << line;
      joined += unit_->Decode(line.substr(head.size()));
    }
    return joined;
  }
};

TEST_F(LongMessageTest, AsciiLineIsSentInTwoPieces) {
  Enter();
  std::string text;
  for (int i = 0; text.size() < 700; ++i) text += "word" + std::to_string(i) + " ";
  text.resize(700);
  ASSERT_TRUE(SubmitInput(*unit_, &C(), text, false, false, true));
  Lines sent = Drain();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(Relayed(sent[0]).size(), 510u);  // the largest piece that fits
  EXPECT_EQ(JoinedTexts(sent, "PRIVMSG #c :"), text);
  EXPECT_EQ(events_.own_events.size(), 2u);
}

TEST_F(LongMessageTest, KanjiInIsoNeverSplitsACharacter) {
  Enter();
  // A single byte in front shifts every kanji run by one byte.
  std::string text = "a";
  for (int i = 0; i < 400; ++i) text += Sjis("漢");
  text += "tail";
  ASSERT_TRUE(SubmitInput(*unit_, &C(), text, false, true, true));
  std::string head = "PRIVMSG #c :\x01" "ACTION ";
  Lines sent = Drain();
  ASSERT_EQ(sent.size(), 2u);
  std::string joined;
  for (std::string& line : sent) {
    ASSERT_TRUE(line.ends_with("\x01"));
    line.pop_back();
  }
  // The cut falls inside the kanji run: each piece opens and closes a run
  // of its own.
  EXPECT_TRUE(sent[0].ends_with("\x1b(B"));
  EXPECT_TRUE(sent[1].starts_with(head + "\x1b$B"));
  EXPECT_EQ(JoinedTexts(sent, head), text);
  // The own lines show each piece whole.
  EXPECT_TRUE(Contains(C().Log(), "tail"));
}

TEST_F(LongMessageTest, Utf8PiecesEndOnCharacterBoundaries) {
  config_.encoding = kEncodingUtf8;
  Enter();
  ASSERT_EQ(unit_->SessionEncoding(), kEncodingUtf8);
  std::string text = "ab";
  for (int i = 0; i < 300; ++i) text += Sjis("日本");
  ASSERT_TRUE(SubmitInput(*unit_, &C(), text, true, false, true));
  Lines sent = Drain();
  ASSERT_EQ(sent.size(), 4u);
  EXPECT_EQ(JoinedTexts(sent, "NOTICE #c :"), text);
}

TEST_F(LongMessageTest, HalfWidthKanaIsShownAsTheServerGetsIt) {
  Enter();
  std::string kana = "\xb6\xde\xc3\xde";  // «ｶﾞﾃﾞ»
  ASSERT_TRUE(SubmitInput(*unit_, &C(), kana, false, false, true));
  EXPECT_EQ(Drain(), (Lines{"PRIVMSG #c :\x1B$B\x25\x2C\x25\x47\x1B(B"}));  // full-width ガデ
  EXPECT_TRUE(Contains(C().Log(), Sjis("ガデ")));
  // The macros get the text as typed.
  EXPECT_EQ(events_.own_events, (Lines{"me!u@h|PRIVMSG|#c|" + kana}));
}

TEST_F(LongMessageTest, UnknownPrefixIsCountedAtItsLongest) {
  LogIn();
  Receive(":me JOIN :#c");  // the server has not shown us our host
  Drain();
  std::string text(700, 'x');
  ASSERT_TRUE(SubmitInput(*unit_, &C(), text, false, false, true));
  Lines sent = Drain();
  ASSERT_EQ(sent.size(), 2u);
  // ":me!~uname@" and 63 bytes of host before the line.
  EXPECT_EQ(sent[0].size() + 4 + 6 + 1 + 63 + 1, 510u);
}

TEST_F(LongMessageTest, WhatCannotBeSentIsReported) {
  Enter();
  // A target list that leaves no room for even one character.
  std::string targets = "a";
  while (targets.size() < 500) targets += ",nick" + std::to_string(targets.size());
  EXPECT_EQ(Run("msg " + targets + " lost words"), Lines{});
  EXPECT_TRUE(events_.own_events.empty());
  EXPECT_TRUE(Contains(unit_->Log(), Sjis("一行に収まらないため送信できませんでした: ") + "lost words"));
}

}  // namespace
}  // namespace zeph
