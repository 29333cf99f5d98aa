#include "display/message_format.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "settings/ini_file.h"
#include "settings/ini_writer.h"
#include "display/message_kind.h"
#include "platform/sjis.h"
#include "support/environment.h"
#include "support/local_time.h"
#include "support/prerequisite.h"

namespace zeph {
namespace {

using K = TMessageKind;

// Every letter a format may bind, each shown with its own name, so one
// expansion tells exactly which letters a kind binds.
constexpr const char* kAllLetters = "n=%n u=%u h=%h c=%c m=%m t=%t k=%k f=%f a=%a p=%p s=%s z=%z x=%x @=%@";

const TSender kSender{"nick", "user", "host"};

struct TKindCase {
  TMessageKind kind;
  std::function<std::string(const TMessageFormat&)> format;
  std::string defaultText;  // UTF-8
  std::string allLetters;
};

std::vector<TKindCase> KindCases() {
  return {
      {K::Join, [](const TMessageFormat& f) { return f.FormatJoin(kSender, "#ch"); }, "*nick join #ch (user@host)",
       "n=nick u=user h=host c=#ch m=m t=t k=k f=f a=a p=p s=s z=z x=x @=@"},
      {K::Part, [](const TMessageFormat& f) { return f.FormatPart(kSender, "#ch", "bye"); }, "*nick part (bye)",
       "n=nick u=user h=host c=#ch m=bye t=t k=k f=f a=a p=p s=s z=z x=x @=@"},
      {K::Nick, [](const TMessageFormat& f) { return f.FormatNick(kSender, "newnick"); }, "*nick nick → newnick",
       "n=nick u=user h=host c=c m=m t=newnick k=k f=f a=a p=p s=s z=z x=x @=@"},
      {K::Kick, [](const TMessageFormat& f) { return f.FormatKick(kSender, "victim", "#ch", "why"); },
       "*nick kick victim (why)", "n=nick u=user h=host c=#ch m=why t=victim k=k f=f a=a p=p s=s z=z x=x @=@"},
      {K::Mode, [](const TMessageFormat& f) { return f.FormatMode(kSender, "#ch", "+o bob"); }, "*nick mode +o bob",
       "n=nick u=user h=host c=#ch m=+o bob t=t k=k f=f a=a p=p s=s z=z x=x @=@"},
      {K::UserMode, [](const TMessageFormat& f) { return f.FormatUserMode("me", "+i"); }, "*me mode +i",
       "n=me u=u h=h c=c m=+i t=t k=k f=f a=a p=p s=s z=z x=x @=@"},
      {K::Quit, [](const TMessageFormat& f) { return f.FormatQuit(kSender, "gone"); }, "*nick quit (gone)",
       "n=nick u=user h=host c=c m=gone t=t k=k f=f a=a p=p s=s z=z x=x @=@"},
      {K::Inviting, [](const TMessageFormat& f) { return f.FormatInviting("bob", "#ch"); }, "*inviting bob to #ch",
       "n=bob u=u h=h c=#ch m=m t=t k=k f=f a=a p=p s=s z=z x=x @=@"},
      {K::Invite, [](const TMessageFormat& f) { return f.FormatInvite(kSender, "#ch"); }, "*nick invite you to #ch",
       "n=nick u=user h=host c=#ch m=m t=t k=k f=f a=a p=p s=s z=z x=x @=@"},
      {K::Topic, [](const TMessageFormat& f) { return f.FormatTopic(kSender, "#ch", "news"); },
       "*nick topic : news", "n=nick u=user h=host c=#ch m=news t=t k=k f=f a=a p=p s=s z=z x=x @=@"},
      {K::Error, [](const TMessageFormat& f) { return f.FormatError(kSender, "Closing"); }, "*ERROR Closing",
       "n=nick u=user h=host c=c m=Closing t=t k=k f=f a=a p=p s=Closing z=z x=x @=@"},
      {K::ModeReply, [](const TMessageFormat& f) { return f.FormatModeReply("#ch", "+nt"); }, "*mode +nt",
       "n=n u=u h=h c=#ch m=+nt t=t k=k f=f a=a p=p s=s z=z x=x @=@"},
      {K::TopicReply, [](const TMessageFormat& f) { return f.FormatTopicReply("#ch", "news"); }, "*topic : news",
       "n=n u=u h=h c=#ch m=news t=t k=k f=f a=a p=p s=s z=z x=x @=@"},
      {K::NamesReply, [](const TMessageFormat& f) { return f.FormatNamesReply("#ch", "@a b"); }, "*names : @a b",
       "n=n u=u h=h c=#ch m=@a b t=t k=k f=f a=a p=p s=s z=z x=x @=@"},
      {K::AwayReply, [](const TMessageFormat& f) { return f.FormatAwayReply("bob", "lunch"); },
       "*bob is away (lunch)", "n=bob u=u h=h c=c m=lunch t=t k=k f=f a=a p=p s=s z=z x=x @=@"},
      {K::ErrorReply, [](const TMessageFormat& f) { return f.FormatErrorReply(433, "in use"); },
       "*Error(433) in use", "n=n u=u h=h c=c m=in use t=t k=433 f=f a=a p=p s=s z=z x=x @=@"},
      {K::CTCPQuery, [](const TMessageFormat& f) { return f.FormatCTCPQuery(kSender, "VERSION"); },
       "*CTCP-query(VERSION) from nick", "n=nick u=user h=host c=c m=m t=t k=VERSION f=f a=a p=p s=s z=z x=x @=@"},
      {K::CTCPReply, [](const TMessageFormat& f) { return f.FormatCTCPReply(kSender, "PING", "12"); },
       "*CTCP-reply(PING) from nick : 12", "n=nick u=user h=host c=c m=12 t=t k=PING f=f a=a p=p s=s z=z x=x @=@"},
      {K::DCCSend,
       [](const TMessageFormat& f) { return f.FormatDCCSend(kSender, "a.zip", "10.0.0.1", 5000, 5000000000); },
       "*DCC(SEND) from nick : a.zip 10.0.0.1:5000 5000000000",
       "n=nick u=user h=host c=c m=m t=t k=k f=a.zip a=10.0.0.1 p=5000 s=5000000000 z=z x=x @=@"},
      {K::DCCResume, [](const TMessageFormat& f) { return f.FormatDCCResume(kSender, 5000, 4294967296); },
       "*DCC(RESUME) from nick : port=5000 size=4294967296",
       "n=nick u=user h=host c=c m=m t=t k=k f=f a=a p=5000 s=4294967296 z=z x=x @=@"},
      {K::DCCAccept, [](const TMessageFormat& f) { return f.FormatDCCAccept(kSender, 5001, 7); },
       "*DCC(ACCEPT) from nick : port=5001 size=7",
       "n=nick u=user h=host c=c m=m t=t k=k f=f a=a p=5001 s=7 z=z x=x @=@"},
      {K::DCCChat, [](const TMessageFormat& f) { return f.FormatDCCChat(kSender, "10.0.0.1", 5002); },
       "*DCC(CHAT) from nick : 10.0.0.1:5002",
       "n=nick u=user h=host c=c m=m t=t k=k f=f a=10.0.0.1 p=5002 s=s z=z x=x @=@"},
      {K::DCCSendComplete, [](const TMessageFormat& f) { return f.FormatDCCSendComplete("bob", "a.zip", 10); },
       "*送信完了 a.zip to bob", "n=bob u=u h=h c=c m=m t=t k=k f=a.zip a=a p=p s=10 z=z x=x @=@"},
      {K::DCCSendFail,
       [](const TMessageFormat& f) { return f.FormatDCCSendFail("bob", "a.zip", 200, 50, "lost"); },
       "*送信失敗 a.zip to bob : lost", "n=bob u=u h=h c=c m=lost t=t k=k f=a.zip a=a p=p s=200 z=50 x=25 @=@"},
      {K::DCCReceiveComplete,
       [](const TMessageFormat& f) { return f.FormatDCCReceiveComplete("bob", "a.zip", 10); },
       "*受信完了 a.zip from bob", "n=bob u=u h=h c=c m=m t=t k=k f=a.zip a=a p=p s=10 z=z x=x @=@"},
      {K::DCCReceiveFail,
       [](const TMessageFormat& f) {
         return f.FormatDCCReceiveFail("bob", "a.zip", "10.0.0.1", 5000, 0, 30, "lost");
       },
       "*受信失敗 a.zip from bob : lost",
       "n=bob u=u h=h c=c m=lost t=t k=k f=a.zip a=10.0.0.1 p=5000 s=0 z=30 x=0 @=@"},
  };
}

TEST(MessageFormatTest, EachKindExpandsItsDefaultAndBindsItsLetters) {
  std::vector<TKindCase> cases = KindCases();
  ASSERT_EQ(cases.size(), 26u);
  for (const TKindCase& c : cases) {
    TMessageFormat format;
    EXPECT_EQ(c.format(format), Sjis(c.defaultText)) << static_cast<int>(c.kind);
    format.FindKind(c.kind)->format = kAllLetters;
    EXPECT_EQ(c.format(format), c.allLetters) << static_cast<int>(c.kind);
  }
}

TEST(MessageFormatTest, TitlesAndPrefixesBindTheirLetters) {
  TMessageFormat format;
  const TTitleUnit unit{"me", "srv", "+i"};
  EXPECT_EQ(format.FormatUnitTitle(unit), "(me)[+i] srv");
  EXPECT_EQ(format.FormatChannelTitle(unit, "#ch", "+nt", "news", 12, true), Sjis("(me) @#ch(12人)[+nt] news"));
  EXPECT_EQ(format.FormatChannelTitle(unit, "#ch", "+nt", "", 1, false), Sjis("(me) #ch(1人)[+nt] "));
  EXPECT_EQ(format.FormatTalkTitle(unit, "bob"), "(me) bob");
  EXPECT_EQ(format.FormatDCCChatTitle(unit, "=bob"), "(me) =bob");
  EXPECT_EQ(format.FormatUnitPrefix("srv"), "<srv> ");
  EXPECT_EQ(format.FormatChannelPrefix("#ch"), "<#ch> ");
  EXPECT_EQ(format.FormatUnitChannelPrefix("srv", "#ch"), "<srv:#ch> ");
  EXPECT_EQ(format.FormatNickPrefix("bob"), "(bob) ");

  format.unit_title = format.channel_title = format.talk_title = format.dcc_chat_title = kAllLetters;
  EXPECT_EQ(format.FormatUnitTitle(unit), "n=me u=+i h=h c=c m=m t=t k=k f=f a=a p=p s=srv z=z x=x @=@");
  EXPECT_EQ(format.FormatChannelTitle(unit, "#ch", "+nt", "news", 12, true),
            "n=me u=+i h=h c=#ch m=+nt t=news k=k f=f a=a p=p s=srv z=z x=12 @=@");
  EXPECT_EQ(format.FormatTalkTitle(unit, "bob"), "n=me u=+i h=h c=bob m=m t=t k=k f=f a=a p=p s=srv z=z x=x @=@");
  EXPECT_EQ(format.FormatDCCChatTitle(unit, "=bob"),
            "n=me u=+i h=h c==bob m=m t=t k=k f=f a=a p=p s=srv z=z x=x @=@");
  format.unit = format.channel = format.unit_channel = format.pre_nick = kAllLetters;
  EXPECT_EQ(format.FormatUnitPrefix("srv"), "n=n u=u h=h c=c m=m t=t k=k f=f a=a p=p s=srv z=z x=x @=@");
  EXPECT_EQ(format.FormatChannelPrefix("#ch"), "n=n u=u h=h c=#ch m=m t=t k=k f=f a=a p=p s=s z=z x=x @=@");
  EXPECT_EQ(format.FormatUnitChannelPrefix("srv", "#ch"),
            "n=n u=u h=h c=#ch m=m t=t k=k f=f a=a p=p s=srv z=z x=x @=@");
  EXPECT_EQ(format.FormatNickPrefix("bob"), "n=bob u=u h=h c=c m=m t=t k=k f=f a=a p=p s=bob z=z x=x @=@");
}

TEST(MessageFormatTest, ValuesFromOtherUsersAreNotFormats) {
  TMessageFormat format;
  EXPECT_EQ(format.FormatTopic({"%m", "%u", "%h"}, "#%c", "100% %n%%"), "*%m topic : 100% %n%%");
  EXPECT_EQ(format.FormatNickPrefix("%s%n"), "(%s%n) ");
}

TEST(MessageFormatTest, WindowCaptionNamesProgramAndVersion) {
  EXPECT_EQ(WindowCaption(std::nullopt), "Zephlora 2.18");
  EXPECT_EQ(WindowCaption("(me) #ch"), "(me) #ch - Zephlora 2.18");
}

TEST(MessageFormatTest, PercentageNeverDividesByZeroOrOverflows) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  EXPECT_EQ(TransferPercentage(50, 0), 0);
  EXPECT_EQ(TransferPercentage(0, 0), 0);
  EXPECT_EQ(TransferPercentage(-5, 100), 0);
  EXPECT_EQ(TransferPercentage(5, -100), 0);
  EXPECT_EQ(TransferPercentage(1, 3), 33);
  EXPECT_EQ(TransferPercentage(200, 100), 200);
  EXPECT_EQ(TransferPercentage(kMax / 2, kMax), 49);
  EXPECT_EQ(TransferPercentage(kMax, kMax), 100);
  EXPECT_EQ(TransferPercentage(kMax - 1, kMax), 99);
  EXPECT_EQ(TransferPercentage(kMax, 1), kMax);
  TMessageFormat format;
  format.FindKind(K::DCCSendFail)->format = "%x%%";
  EXPECT_EQ(format.FormatDCCSendFail("bob", "f", 8000000000000000000, 6000000000000000000, ""), "75%");
}

// ---- kinds and gates ----

TEST(MessageKindTest, CategoriesFollowTheFonts) {
  const std::pair<TMessageKind, int> cases[] = {
      {K::Privmsg, 0},     {K::Notice, 1},           {K::Action, 2},          {K::Join, 3},
      {K::Part, 4},        {K::Nick, 8},             {K::Quit, 5},            {K::Kick, 6},
      {K::Mode, 9},        {K::UserMode, 9},         {K::UserQuit, 5},        {K::Inviting, 15},
      {K::Invite, 7},      {K::Topic, 10},           {K::CTCPQuery, 11},      {K::CTCPReply, 11},
      {K::DCCSend, 12},    {K::DCCResume, 15},       {K::DCCAccept, 15},      {K::DCCChat, 13},
      {K::Error, 14},      {K::Reply, 15},           {K::ModeReply, 9},       {K::TopicReply, 10},
      {K::NamesReply, 15}, {K::AwayReply, 15},       {K::ErrorReply, 14},     {K::System, 16},
      {K::MacroOutput, 17}, {K::DCCSendComplete, 15}, {K::DCCSendFail, 14},   {K::DCCReceiveComplete, 15},
      {K::DCCReceiveFail, 14}, {static_cast<TMessageKind>(99), 15},
  };
  for (const auto& [kind, category] : cases) EXPECT_EQ(KindCategory(kind), category) << static_cast<int>(kind);
}

TEST(MessageKindTest, FlagsGateOwnLogAndConsoleIndependently) {
  TMessageFormat format;
  for (int code = -1; code <= 40; ++code) {
    auto kind = static_cast<TMessageKind>(code);
    EXPECT_TRUE(IsOwnLogEnabled(kind, format)) << code;
    EXPECT_TRUE(IsConsoleEnabled(kind, format)) << code;
  }
  format.FindKind(K::Join)->channel_enabled = false;
  EXPECT_FALSE(IsOwnLogEnabled(K::Join, format));
  EXPECT_TRUE(IsConsoleEnabled(K::Join, format));
  format.FindKind(K::Notice)->console_enabled = false;
  EXPECT_TRUE(IsOwnLogEnabled(K::Notice, format));
  EXPECT_FALSE(IsConsoleEnabled(K::Notice, format));

  // Both quit codes share the Quit settings.
  EXPECT_EQ(format.FindKind(K::Quit), format.FindKind(K::UserQuit));
  format.FindKind(K::Quit)->console_enabled = false;
  EXPECT_FALSE(IsConsoleEnabled(K::UserQuit, format));

  // Privmsg always reaches its own log; only its console copy is a setting.
  format.FindKind(K::Privmsg)->channel_enabled = false;
  format.FindKind(K::Privmsg)->console_enabled = false;
  EXPECT_TRUE(IsOwnLogEnabled(K::Privmsg, format));
  EXPECT_FALSE(IsConsoleEnabled(K::Privmsg, format));

  EXPECT_EQ(format.FindKind(K::System), nullptr);
  EXPECT_EQ(format.FindKind(K::MacroOutput), nullptr);
  EXPECT_EQ(format.FindKind(static_cast<TMessageKind>(33)), nullptr);
  EXPECT_EQ(format.FindKind(static_cast<TMessageKind>(-1)), nullptr);
}

TEST(MessageKindTest, RowsListEveryKindWithSettingsOnce) {
  std::vector<int> seen(kMessageKindCount, 0);
  for (const TFormatRow& row : MessageFormatRows()) {
    ++seen[static_cast<int>(row.kind)];
    EXPECT_EQ(row.format_key == nullptr, row.default_format == nullptr) << row.label;
  }
  EXPECT_EQ(MessageFormatRows().size(), 30u);
  for (int code = 0; code < kMessageKindCount; ++code) {
    bool listed = code != 10 && code != 27 && code != 28;
    EXPECT_EQ(seen[code], listed ? 1 : 0) << code;
  }
}

// ---- storage ----

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// The section the defaults make, as the Windows client writes it.
std::string DefaultFormatSection() {
  const std::vector<std::string> lines = {
      "[Format]",
      "",
      "UnitTitle=(%n)[%u] %s",
      "ChannelTitle=(%n) %@%c(%x人)[%m] %t",
      "TalkTitle=(%n) %c",
      "DCCChatTitle=(%n) %c",
      "EnableTime=true",
      "Time=%H:%M ",
      "UnitChannel=<%s:%c> ",
      "Unit=<%s> ",
      "Channel=<%c> ",
      "PreNick=(%n) ",
      "EnableChannelInChannelLog=false",
      "EnablePrivmsgConsole=true",
      "EnableNoticeChannel=true",
      "EnableNoticeConsole=true",
      "EnableActionChannel=true",
      "EnableActionConsole=true",
      "EnableReplyChannel=true",
      "EnableReplyConsole=true",
      "EnableJoinConsole=true",
      "EnableJoinChannel=true",
      "EnablePartConsole=true",
      "EnablePartChannel=true",
      "EnableNickConsole=true",
      "EnableNickChannel=true",
      "EnableKickConsole=true",
      "EnableKickChannel=true",
      "EnableModeConsole=true",
      "EnableModeChannel=true",
      "EnableUserModeConsole=true",
      "EnableUserModeChannel=true",
      "EnableQuitConsole=true",
      "EnableQuitChannel=true",
      "EnableInviteingConsole=true",
      "EnableInviteingChannel=true",
      "EnableInviteConsole=true",
      "EnableInviteChannel=true",
      "EnableTopicConsole=true",
      "EnableTopicChannel=true",
      "EnableCTCPQueryConsole=true",
      "EnableCTCPQueryChannel=true",
      "EnableCTCPReplyConsole=true",
      "EnableCTCPReplyChannel=true",
      "EnableDCCSendConsole=true",
      "EnableDCCSendChannel=true",
      "EnableDCCChatConsole=true",
      "EnableDCCChatChannel=true",
      "EnableDCCResumeConsole=true",
      "EnableDCCResumeChannel=true",
      "EnableDCCAcceptConsole=true",
      "EnableDCCAcceptChannel=true",
      "EnableErrorConsole=true",
      "EnableErrorChannel=true",
      "EnableModeReplyConsole=true",
      "EnableModeReplyChannel=true",
      "EnableTopicReplyConsole=true",
      "EnableTopicReplyChannel=true",
      "EnableNamesReplyConsole=true",
      "EnableNamesReplyChannel=true",
      "EnableAwayReplyConsole=true",
      "EnableAwayReplyChannel=true",
      "EnableErrorReplyConsole=true",
      "EnableErrorReplyChannel=true",
      "EnableDCCSendCompleteConsole=true",
      "EnableDCCSendCompleteChannel=true",
      "EnableDCCSendFailConsole=true",
      "EnableDCCSendFailChannel=true",
      "EnableDCCReceiveCompleteConsole=true",
      "EnableDCCReceiveCompleteChannel=true",
      "EnableDCCReceiveFailConsole=true",
      "EnableDCCReceiveFailChannel=true",
      "Join=*%n join %c (%u@%h)",
      "Part=*%n part (%m)",
      "Nick=*nick %n → %t",
      "Kick=*%n kick %t (%m)",
      "Mode=*%n mode %m",
      "UserMode=*%n mode %m",
      "Quit=*%n quit (%m)",
      "Inviting=*inviting %n to %c",
      "Invite=*%n invite you to %c",
      "Topic=*%n topic : %m",
      "CTCPQuery=*CTCP-query(%k) from %n",
      "CTCPReply=*CTCP-reply(%k) from %n : %m",
      "DCCSend=*DCC(SEND) from %n : %f %a:%p %s",
      "DCCChat=*DCC(CHAT) from %n : %a:%p",
      "DCCResume=*DCC(RESUME) from %n : port=%p size=%s",
      "DCCAccept=*DCC(ACCEPT) from %n : port=%p size=%s",
      "Error=*ERROR %m",
      "ModeReply=*mode %m",
      "TopicReply=*topic : %m",
      "NamesReply=*names : %m",
      "AwayReply=*%n is away (%m)",
      "ErrorReply=*Error(%k) %m",
      "DCCSendComplete=*送信完了 %f to %n",
      "DCCSendFail=*送信失敗 %f to %n : %m",
      "DCCReceiveComplete=*受信完了 %f from %n",
      "DCCReceiveFail=*受信失敗 %f from %n : %m",
  };
  return Sjis(JoinLines(lines));
}

TEST(MessageFormatTest, SavesDefaultsByteForByte) {
  TIniWriter writer;
  TMessageFormat().Save(writer);
  EXPECT_EQ(writer.Text(), DefaultFormatSection());
}

TEST(MessageFormatTest, FileWithoutTheSectionKeepsEveryDefault) {
  TIniFile ini;
  ini.LoadText("[View]\r\nTime=%S\r\nEnableJoinChannel=false\r\n");
  TMessageFormat format;
  format.Load(ini);
  TIniWriter writer;
  format.Save(writer);
  EXPECT_EQ(writer.Text(), DefaultFormatSection());
}

TEST(MessageFormatTest, PartialSectionChangesOnlyItsKeys) {
  TIniFile ini;
  ini.LoadText(
      "[Format]\r\nTime=%H:%M:%S \r\nEnableTime=false\r\nEnableInviteingChannel=false\r\n"
      "EnablePrivmsgConsole=0\r\nJoin=+%n\r\nEnableQuitConsole=maybe\r\n");
  TMessageFormat format;
  format.Load(ini);
  EXPECT_EQ(format.time, "%H:%M:%S ");
  EXPECT_FALSE(format.enable_time);
  EXPECT_FALSE(format.FindKind(K::Inviting)->channel_enabled);
  EXPECT_TRUE(format.FindKind(K::Inviting)->console_enabled);
  EXPECT_FALSE(format.FindKind(K::Privmsg)->console_enabled);
  EXPECT_TRUE(format.FindKind(K::Quit)->console_enabled);  // not a boolean: the current value stays
  EXPECT_EQ(format.FormatJoin(kSender, "#ch"), "+nick");
  EXPECT_EQ(format.FormatPart(kSender, "#ch", "bye"), "*nick part (bye)");
  EXPECT_EQ(format.unit_title, "(%n)[%u] %s");
}

TEST(MessageFormatTest, SavedSettingsLoadBackUnchanged) {
  TMessageFormat changed;
  changed.unit_title = Sjis("サーバ %s");
  changed.enable_channel_in_channel_log = true;
  changed.pre_nick = "";
  changed.FindKind(K::Reply)->channel_enabled = false;
  changed.FindKind(K::DCCReceiveFail)->console_enabled = false;
  changed.FindKind(K::Topic)->format = Sjis("*%n がトピックを変更: %m");
  TIniWriter first;
  changed.Save(first);

  TIniFile ini;
  ini.LoadText(first.Text());
  TMessageFormat loaded;
  loaded.Load(ini);
  TIniWriter second;
  loaded.Save(second);
  EXPECT_EQ(second.Text(), first.Text());
  EXPECT_EQ(loaded.pre_nick, "");
  EXPECT_FALSE(loaded.FindKind(K::Reply)->channel_enabled);
}

// ---- time piece ----

std::string Strftime(const char* format, std::time_t when) {
  std::tm tm{};
  localtime_r(&when, &tm);
  char buffer[64];
  size_t length = std::strftime(buffer, sizeof buffer, format, &tm);
  return std::string(buffer, length);
}

constexpr std::time_t kNoon = 1700049600;  // a Wednesday, 2023-11-15 12:00 UTC

TEST(MessageFormatTest, TimePieceFollowsTheFormatOrIsEmpty) {
  TMessageFormat format;
  EXPECT_EQ(format.FormatTime(kNoon), Strftime("%H:%M ", kNoon));
  format.time = "%H:%M:%S ";
  EXPECT_EQ(format.FormatTime(kNoon), Strftime("%H:%M:%S ", kNoon));  // a changed format is not served stale
  EXPECT_EQ(format.FormatTime(kNoon + 1), Strftime("%H:%M:%S ", kNoon + 1));
  format.enable_time = false;
  EXPECT_EQ(format.FormatTime(kNoon), "");
  format.enable_time = true;
  format.time = "";
  EXPECT_EQ(format.FormatTime(kNoon), "");
  format.time = "[%";
  EXPECT_EQ(format.FormatTime(kNoon), "[%");
  format.time = "100%%";
  EXPECT_EQ(format.FormatTime(kNoon), "100%");
}

// Profiles from Windows write "%#d" for a day without its leading zero;
// the "#" keeps that meaning, and where Windows ignores it, it is ignored.
TEST(MessageFormatTest, TheHashFlagMeansNoLeadingZero) {
  const std::time_t when = test::LocalTime(2008, 3, 5, 7, 4, 9);  // a Wednesday
  const std::pair<const char*, const char*> cases[] = {
      {"%#m/%#d %#H:%#M:%#S", "3/5 7:4:9"},
      {"%d %m %H %y", "05 03 07 08"},  // without the flag, as ever
      {"%#I %#j %#y %#Y %#e", "7 65 8 2008 5"},
      {"%#D|%#F|%#T|%#R|%#r", "3/5/8|2008-3-5|7:4:9|7:4|7:4:9 AM"},
      {"%#a %#A %#b %#B %#p %#%", "Wed Wednesday Mar March AM %"},
      {"%#x", "Wednesday, March 05, 2008"},
      {"%#c", "Wednesday, March 05, 2008 07:04:09"},
  };
  TMessageFormat format;
  for (const auto& [time, expected] : cases) {
    format.time = time;
    EXPECT_EQ(format.FormatTime(when), expected) << time;
  }
}

// A Japanese locale (as the desktop sets it up) would give "水" and "午後"
// in UTF-8; the time piece keeps to the names of the Windows client.
TEST(MessageFormatTest, TimePieceIsShiftJisWhateverTheLocale) {
  test::TScopedTimeZone japan("JST-9");  // kNoon is 21:00 there
  TMessageFormat format;
  format.time = Sjis("%Y年%m月%d日(%a) %b %p ソ表");  // ソ and 表 end in 0x5C, the backslash byte
  std::string expected = Sjis("2023年11月15日(Wed) Nov PM ソ表");
  struct TSavedLocale {
    std::string name = std::setlocale(LC_ALL, nullptr);
    ~TSavedLocale() { std::setlocale(LC_ALL, name.c_str()); }
  } saved;
  for (const char* locale : {"ja_JP.UTF-8", "C.UTF-8", "C"}) {
    if (std::setlocale(LC_ALL, locale) == nullptr)
      ZEPH_SKIP_OR_FAIL(std::string("no locale ") + locale + " here (scripts/install-deps.sh makes ja_JP.UTF-8)");
    EXPECT_EQ(format.FormatTime(kNoon + 60), expected) << locale;  // a new second: formatted again
    EXPECT_EQ(format.FormatTime(kNoon), expected) << locale;
  }
}

TEST(MessageFormatTest, OversizedTimeConversionShowsNothingInsteadOfGarbage) {
  TMessageFormat format;
  format.time = "a%5000Yb%99999999999999999999Hc";
  EXPECT_EQ(format.FormatTime(kNoon), "abc");
  format.time = "%1000Y";
  EXPECT_EQ(format.FormatTime(kNoon).size(), 1000u);
  format.time = std::string(3000, 'x') + "%H";
  EXPECT_EQ(format.FormatTime(kNoon), std::string(3000, 'x') + Strftime("%H", kNoon));
}

}  // namespace
}  // namespace zeph
