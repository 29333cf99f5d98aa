// The logs of a running session go to their daily files: the unit log, the
// channels, talks and DCC chats, the URL history; the world's tick moves
// them to the next day's files and applies changed preferences.
#include <gtest/gtest.h>

#include <ctime>
#include <fstream>
#include <sstream>

#include "platform/cp932.h"
#include "platform/sjis.h"
#include "support/local_time.h"
#include "support/session_fixture.h"
#include "support/temp_dir.h"

namespace zeph {
namespace {

namespace fs = std::filesystem;
using test::LocalTime;
using test::SessionTest;

std::string Opening(const std::string& time) { return "--------" + time + Sjis(" ログを開始") + "\r\n"; }
std::string Closing(const std::string& time) { return "--------" + time + Sjis(" ログを終了") + "\r\n"; }

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t pos = text.find(part); pos != std::string::npos; pos = text.find(part, pos + part.size())) ++count;
  return count;
}

class LogFilesSessionTest : public SessionTest {
 protected:
  LogFilesSessionTest() {
    config_.name = "Srv";
    config_.channels = {NewChannelConfig("#abc", false)};
    prefs_.LogRootDir = cp932::FromUtf8(root_.Path().string()) + "/";
    prefs_.EnableUnitLog = prefs_.EnableChannelLog = prefs_.EnableTalkLog = prefs_.EnableDCCChatLog =
        prefs_.EnableURLLog = true;
    loop_.SetWallTimeMs(LocalTime(2008, 3, 5, 23, 59, 30) * 1000LL);
  }

  void SetUp() override {
    // The server log below holds the unit's own lines: the welcome reply
    // is not handled, only the login it completes.
    Start();
    world_->SetProtocol(nullptr);
    Receive(":irc.test 001 me :Welcome");
    world_->SetProtocol(handlers_.get());
    Receive(":me!u@h JOIN :#abc");
  }

  TChannel& C() { return *unit_->FindChannel("#abc"); }
  TChannel& OpenTalk(const std::string& nick) {
    return *world_->CreateTarget(*unit_, NewChannelConfig(nick, false), TTargetKind::Talk, false);
  }

  std::string File(const std::string& relative) const {
    std::ifstream in(root_.Path() / relative, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }
  size_t FilesIn(const std::string& folder) const {
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(root_.Path() / folder)) ++count;
    return count;
  }
  test::TTempDir root_;
};

TEST_F(LogFilesSessionTest, EveryKindOfLogReachesItsFile) {
  unit_->PrintToChannel(C(), TMessageKind::Privmsg, "a", "\x02hi\x02\tthere \x03" "4red");
  TChannel& talk = OpenTalk("alice");
  unit_->PrintToChannel(talk, TMessageKind::Privmsg, "alice", Sjis("こんにちは"));
  unit_->PrintToUnit(TMessageKind::System, "", Sjis("お知らせ"));
  TChannel* chat = world_->CreateTarget(*unit_, NewChannelConfig("bob", false), TTargetKind::DccChat, false);
  unit_->PrintToChannel(*chat, TMessageKind::Privmsg, "bob", "hey");

  // The file keeps the body as received, tabs included, without its
  // control bytes.
  std::string channel = File("#abc/20080305-Srv.txt");
  EXPECT_EQ(channel, Opening("2008/03/05 23:59:30") + "23:59 " + Sjis("チャンネルに入りました") +
                         "\r\n23:59 *me join #abc (u@h)\r\n23:59 (a) hi\tthere red\r\n");
  EXPECT_EQ(File("Talk/20080305-alice-Srv.txt"), Opening("2008/03/05 23:59:30") + "23:59 " +
                                                     Sjis("トークを開始します\r\n23:59 (alice) こんにちは\r\n"));
  EXPECT_EQ(File("Server/20080305-Srv.txt"),
            Opening("2008/03/05 23:59:30") + "23:59 127.0.0.1:" + std::to_string(config_.port) +
                Sjis("へ接続を試みます\r\n23:59 接続しました\r\n23:59 ログインしました\r\n23:59 お知らせ\r\n"));
  EXPECT_EQ(File("DCCChat/20080305-bob-Srv.txt"), Opening("2008/03/05 23:59:30") + "23:59 (bob) hey\r\n");
}

TEST_F(LogFilesSessionTest, TheUrlHistoryWritesTheUrlFile) {
  unit_->PrintToChannel(C(), TMessageKind::Privmsg, "a", "see http://example.com/x", true);
  EXPECT_EQ(File("URL/20080305.txt"),
            Opening("2008/03/05 23:59:30") + "23:59 <Srv:#abc> (a) see http://example.com/x\r\n");
}

TEST_F(LogFilesSessionTest, MidnightStartsOneNewFilePerOpenLog) {
  unit_->PrintToChannel(C(), TMessageKind::Privmsg, "a", "late");
  OpenTalk("alice");
  Tick(29);
  EXPECT_EQ(FilesIn("#abc"), 1u);
  Tick(1);  // 00:00:00
  Tick(120);
  for (const char* folder : {"#abc", "Talk", "Server"}) {
    SCOPED_TRACE(folder);
    EXPECT_EQ(FilesIn(folder), 2u);
  }
  std::string old_channel = File("#abc/20080305-Srv.txt");
  EXPECT_EQ(Count(old_channel, Sjis("ログを終了")), 1u);
  EXPECT_TRUE(old_channel.ends_with(Closing("2008/03/06 00:00:00")));
  EXPECT_EQ(File("#abc/20080306-Srv.txt"), Opening("2008/03/06 00:00:00"));
  std::string new_talk = File("Talk/20080306-alice-Srv.txt");
  EXPECT_TRUE(new_talk.starts_with(Opening("2008/03/06 00:00:00")));
  EXPECT_EQ(Count(new_talk, Sjis("ログを開始")), 1u);
  EXPECT_FALSE(fs::exists(root_.Path() / "URL"));  // never opened, so nothing to move

  unit_->PrintToChannel(C(), TMessageKind::Privmsg, "a", "early");
  EXPECT_EQ(File("#abc/20080306-Srv.txt"), Opening("2008/03/06 00:00:00") + "00:02 (a) early\r\n");
}

TEST_F(LogFilesSessionTest, RenamedTalksAndUnitsMoveToTheFilesOfTheirNames) {
  OpenTalk("alice");
  unit_->PrintToChannel(C(), TMessageKind::Privmsg, "a", "hello");
  Receive(":alice!u@h NICK :alice2");
  EXPECT_TRUE(File("Talk/20080305-alice-Srv.txt").ends_with(Closing("2008/03/05 23:59:30")));
  EXPECT_TRUE(File("Talk/20080305-alice2-Srv.txt").starts_with(Opening("2008/03/05 23:59:30")));

  world_->RenameUnit(*unit_, "Srv2");
  EXPECT_EQ(unit_->Name(), "Srv2");
  EXPECT_TRUE(File("#abc/20080305-Srv.txt").ends_with(Closing("2008/03/05 23:59:30")));
  EXPECT_EQ(File("#abc/20080305-Srv2.txt"), Opening("2008/03/05 23:59:30"));
  EXPECT_EQ(File("Server/20080305-Srv2.txt"), Opening("2008/03/05 23:59:30"));
  EXPECT_TRUE(fs::exists(root_.Path() / "Talk/20080305-alice2-Srv2.txt"));
}

TEST_F(LogFilesSessionTest, AppliedPreferencesSwitchWritersAndMoveFiles) {
  unit_->PrintToChannel(C(), TMessageKind::Privmsg, "a", "one");
  TChannel& talk = OpenTalk("alice");
  prefs_.EnableChannelLog = false;
  prefs_.TalkLogFile = "Talks\\%c.txt";
  world_->ApplyPreferences();
  EXPECT_TRUE(File("#abc/20080305-Srv.txt").ends_with("23:59 (a) one\r\n" + Closing("2008/03/05 23:59:30")));
  EXPECT_TRUE(File("Talk/20080305-alice-Srv.txt").ends_with(Closing("2008/03/05 23:59:30")));
  EXPECT_EQ(File("Talks/alice.txt"), Opening("2008/03/05 23:59:30"));

  unit_->PrintToChannel(C(), TMessageKind::Privmsg, "a", "two");
  unit_->PrintToChannel(talk, TMessageKind::Privmsg, "alice", "three");
  EXPECT_EQ(Count(File("#abc/20080305-Srv.txt"), "two"), 0u);
  EXPECT_EQ(File("Talks/alice.txt"), Opening("2008/03/05 23:59:30") + "23:59 (alice) three\r\n");

  prefs_.EnableChannelLog = true;
  prefs_.ChannelLogFile = "Channels\\%c-%y.txt";
  world_->ApplyPreferences();
  unit_->PrintToChannel(C(), TMessageKind::Privmsg, "a", "four");
  EXPECT_EQ(File("Channels/#abc-2008.txt"), Opening("2008/03/05 23:59:30") + "23:59 (a) four\r\n");
}

// Names that clean to the same file: one conversation per file, the second
// in the numbered alternative, never two mixed in one.
TEST_F(LogFilesSessionTest, TargetsWhoseNamesCleanAlikeGetFilesOfTheirOwn) {
  Receive(":me!u@h JOIN :#a|b\n:me!u@h JOIN :#a*b");
  TChannel& first = *unit_->FindChannel("#a|b");
  TChannel& second = *unit_->FindChannel("#a*b");
  unit_->PrintToChannel(first, TMessageKind::Privmsg, "x", "one");
  unit_->PrintToChannel(second, TMessageKind::Privmsg, "y", "two");
  unit_->PrintToChannel(first, TMessageKind::Privmsg, "x", "three");
  EXPECT_EQ(File("#a_b/20080305-Srv.txt"), Opening("2008/03/05 23:59:30") + "23:59 " +
                                                Sjis("チャンネルに入りました") +
                                                "\r\n23:59 *me join #a|b (u@h)\r\n23:59 (x) one\r\n23:59 (x) three\r\n");
  EXPECT_EQ(File("#a_b/20080305-Srv_00.txt"), Opening("2008/03/05 23:59:30") + "23:59 " +
                                                   Sjis("チャンネルに入りました") +
                                                   "\r\n23:59 *me join #a*b (u@h)\r\n23:59 (y) two\r\n");
}

TEST_F(LogFilesSessionTest, ClosingATargetClosesItsFile) {
  TChannel& talk = OpenTalk("alice");
  world_->CloseTarget(*unit_, talk);
  std::string file = File("Talk/20080305-alice-Srv.txt");
  EXPECT_TRUE(file.ends_with(Sjis("トークを終了しました") + "\r\n" + Closing("2008/03/05 23:59:30"))) << file;
}

}  // namespace
}  // namespace zeph
