#include "display/version1_format.h"

#include <gtest/gtest.h>

#include <string>

#include "settings/ini_file.h"
#include "settings/ini_writer.h"
#include "support/settings_test_files.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

using K = TMessageKind;
using test::WindowsText;

// Section Format of a version-1 file with every key it knows, quoted, with
// the switches in both value forms.
const char* const kVersion1Format =
    "[Format]\n"
    "EnableTime=\"0\"\n"
    "EnableChanName=\"1\"\n"
    "MsgPrivmsgAllEnabled=\"0\"\n"
    "MsgNoticeEnabled=\"0\"\n"
    "MsgNoticeAllEnabled=\"1\"\n"
    "MsgActionEnabled=\"false\"\n"
    "MsgActionAllEnabled=\"true\"\n"
    "MsgErrorChEnabled=\"1\"\n"
    "MsgErrorAllEnabled=\"0\"\n"
    "MsgInviteChEnabled=\"0\"\n"
    "MsgInviteAllEnabled=\"0\"\n"
    "MsgJoinChEnabled=\"0\"\n"
    "MsgJoinAllEnabled=\"1\"\n"
    "MsgKickChEnabled=\"1\"\n"
    "MsgKickAllEnabled=\"0\"\n"
    "MsgModeChEnabled=\"0\"\n"
    "MsgModeAllEnabled=\"yes\"\n"
    "MsgNickChEnabled=\"0\"\n"
    "MsgNickAllEnabled=\"0\"\n"
    "MsgPartChEnabled=\"0\"\n"
    "MsgPartAllEnabled=\"1\"\n"
    "MsgQuitChEnabled=\"1\"\n"
    "MsgQuitAllEnabled=\"0\"\n"
    "MsgTopicChEnabled=\"0\"\n"
    "MsgTopicAllEnabled=\"0\"\n"
    "MsgAwayRepChEnabled=\"0\"\n"
    "MsgAwayRepAllEnabled=\"1\"\n"
    "MsgModeRepChEnabled=\"1\"\n"
    "MsgModeRepAllEnabled=\"0\"\n"
    "MsgTopicRepChEnabled=\"0\"\n"
    "MsgTopicRepAllEnabled=\"0\"\n"
    "NickFormat=\"<%n> \"\n"
    "TimeFormat=\"[hh時nn分ss秒] \"\n"
    "MsgErrorFormat=\"!エラー %m\"\n"
    "MsgInviteFormat=\"!%n が %c に招待\"\n"
    "MsgJoinFormat=\"+%n (%u@%h)\"\n"
    "MsgKickFormat=\"!%n kicked %t\"\n"
    "MsgModeFormat=\"!%n sets %m\"\n"
    "MsgNickFormat=\"!%n is now %t\"\n"
    "MsgPartFormat=\"-%n (%m)\"\n"
    "MsgQuitFormat=\"-%n quits (%m)\"\n"
    "MsgTopicFormat=\"!%n: %m\"\n"
    "ReplyAwayFormat=\"!%n は不在 (%m)\"\n"
    "ReplyModeFormat=\"!%c のモード %m (%c)\"\n"
    "ReplyTopicFormat=\"!%c のトピック %m\"\n";

std::string Saved(const TMessageFormat& formats) {
  TIniWriter writer;
  formats.Save(writer);
  return writer.Text();
}

TMessageFormat Read(const std::string& utf8) {
  TIniFile ini(true);
  ini.LoadText(WindowsText(utf8));
  TMessageFormat formats;
  formats.time = "changed ";
  formats.FindKind(K::NamesReply)->console_enabled = false;
  ReadVersion1Format(ini, &formats);
  return formats;
}

void SetFlags(TMessageFormat* formats, TMessageKind kind, bool channel, bool console) {
  formats->FindKind(kind)->channel_enabled = channel;
  formats->FindKind(kind)->console_enabled = console;
}

TEST(Version1FormatTest, FormatSectionFillsTheFormats) {
  TMessageFormat expected;
  expected.enable_time = false;
  expected.enable_channel_in_channel_log = true;
  SetFlags(&expected, K::Privmsg, true, false);
  SetFlags(&expected, K::Notice, false, true);
  SetFlags(&expected, K::Action, false, true);
  SetFlags(&expected, K::Error, true, false);
  SetFlags(&expected, K::Invite, false, false);
  SetFlags(&expected, K::Join, false, true);
  SetFlags(&expected, K::Kick, true, false);
  SetFlags(&expected, K::Mode, false, true);  // "yes" is no boolean: the default stays
  SetFlags(&expected, K::Nick, false, false);
  SetFlags(&expected, K::Part, false, true);
  SetFlags(&expected, K::Quit, true, false);
  SetFlags(&expected, K::Topic, false, false);
  SetFlags(&expected, K::AwayReply, false, true);
  SetFlags(&expected, K::ModeReply, true, false);
  SetFlags(&expected, K::TopicReply, false, false);
  expected.pre_nick = "<%n> ";
  expected.time = Sjis("[%H時%M分%S秒] ");
  const struct {
    TMessageKind kind;
    const char* format;
  } formats[] = {
      {K::Error, "!エラー %m"},
      {K::Invite, "!%n が %c に招待"},
      {K::Join, "+%n (%u@%h)"},
      {K::Kick, "!%n kicked %t"},
      {K::Mode, "!%n sets %m"},
      {K::Nick, "!%n is now %t"},
      {K::Part, "-%n (%m)"},
      {K::Quit, "-%n quits (%m)"},
      {K::Topic, "!%n: %m"},
      {K::AwayReply, "!%n は不在 (%m)"},
      {K::ModeReply, "!%c のモード %m (%c)"},
      {K::UserMode, "!%n のモード %m (%n)"},  // made from the mode reply
      {K::TopicReply, "!%c のトピック %m"},
  };
  for (const auto& f : formats) expected.FindKind(f.kind)->format = Sjis(f.format);

  EXPECT_EQ(Saved(Read(kVersion1Format)), Saved(expected));
}

// Everything starts from the defaults; what version 1 lacked stays there,
// except the user-mode format, which always follows the mode reply.
TEST(Version1FormatTest, MissingKeysGiveTheDefaults) {
  TMessageFormat defaults;
  defaults.FindKind(K::UserMode)->format = "*mode %m";
  EXPECT_EQ(Saved(Read("")), Saved(defaults));
  TMessageFormat only_nick = defaults;
  only_nick.pre_nick = "[%n] ";
  EXPECT_EQ(Saved(Read("[Format]\nNickFormat=[%n] \n[Other]\nTimeFormat=hh\n")), Saved(only_nick));
}

TEST(Version1FormatTest, TimeFormatsTakeTheConversionLetters) {
  const char* const cases[][2] = {
      {"hh:nn:ss ", "%H:%M:%S "},
      {"hhh nnnn s", "%Hh %M%M s"},
      {"Ｉhh", "Ｉ%H"},  // Ｉ ends in the byte of "h": no letter pair starts inside it
      {"Ｉh", "Ｉh"},
      {"Ｔs", "Ｔs"},  // and Ｔ in that of "s", Ｏ in that of "n"
      {"Ｏnn", "Ｏ%M"},
      {"%H:%M ", "%H:%M "},
  };
  for (const auto& [version1, converted] : cases)
    EXPECT_EQ(Read(std::string("[Format]\nTimeFormat=") + version1 + "\n").time, Sjis(converted)) << version1;
}

TEST(Version1FormatTest, UserModeComesFromTheModeReply) {
  EXPECT_EQ(Read("[Format]\nReplyModeFormat=%c%c %%c c%\n").FindKind(K::UserMode)->format, "%n%n %%n c%");
}

}  // namespace
}  // namespace zeph
