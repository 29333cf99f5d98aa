// A server that floods and abuses the session: bursts of PINGs, a crowd of
// strangers writing to us with few file descriptors to spare, channel
// names built to become other parameters, undecodable bytes headed for the
// log files, lines longer than the receive bound.
#include <gtest/gtest.h>
#include <iconv.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/cp932.h"
#include "platform/sjis.h"
#include "protocol/incoming_fixture.h"
#include "support/temp_dir.h"

namespace zeph {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

int Count(const std::string& text, const std::string& part) {
  int n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++n;
  return n;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Everything written into the log files of one folder under the root.
std::string LogsIn(const fs::path& folder) {
  std::string all;
  std::error_code ec;
  for (auto it = fs::directory_iterator(folder, ec); !ec && it != fs::directory_iterator(); it.increment(ec))
    all += ReadFile(it->path());
  return all;
}

// Decodes code page 932 the strict way: any byte sequence without a
// character makes it fail.
bool DecodesStrictly(const std::string& sjis, std::string* utf8) {
  iconv_t cd = iconv_open("UTF-8", "CP932");
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  std::string out(sjis.size() * 4 + 4, '\0');
  char* in = const_cast<char*>(sjis.data());
  size_t in_left = sjis.size();
  char* op = out.data();
  size_t out_left = out.size();
  bool ok = iconv(cd, &in, &in_left, &op, &out_left) != static_cast<size_t>(-1) && in_left == 0;
  iconv_close(cd);
  out.resize(out.size() - out_left);
  *utf8 = out;
  return ok;
}

class HostileServerTest : public test::IncomingTest {
 protected:
  // The server's lines in parts small enough for the socket buffers, each
  // part handled before the next is sent.
  void ReceiveMany(const std::vector<std::string>& lines) {
    std::string part;
    for (size_t i = 0; i < lines.size(); ++i) {
      part += lines[i] + "\r\n";
      if (part.size() > 32768 || i + 1 == lines.size()) {
        server_.Send(part);
        part.clear();
        Settle();
      }
    }
  }
  bool ServerGets(const std::string& text, int ticks) {
    for (int i = 0; i < ticks; ++i) {
      if (loop_.RunUntil([&] { return server_.Received().find(text) != std::string::npos; }, 300)) return true;
      loop_.Advance(1000);
    }
    return false;
  }
  void LogTo(const fs::path& root) {
    prefs_.LogRootDir = cp932::FromUtf8(root.string()) + "/";
    prefs_.EnableUnitLog = prefs_.EnableChannelLog = prefs_.EnableTalkLog = true;
  }
};

TEST_F(HostileServerTest, PingBurstLeavesOneAnswerWaitingAndTheQuitStillLeaves) {
  LogIn();
  Sent();
  std::vector<std::string> burst;
  for (int i = 0; i < 20000; ++i) burst.push_back("PING :p" + std::to_string(i));
  burst.push_back("PING :last");
  ReceiveMany(burst);
  EXPECT_LE(unit_->Connection().QueuedCount(), 1u);
  ASSERT_TRUE(ServerGets("PONG :last\r\n", 10));
  EXPECT_LT(Count(server_.Received(), "PONG :"), 10);

  unit_->Shutdown(false);
  EXPECT_TRUE(ServerGets("QUIT :Leaving...\r\n", 10));
}

TEST_F(HostileServerTest, ThousandsOfTalkersWithFewFileDescriptors) {
  test::TTempDir logs;
  LogTo(logs.Path());
  int report[2];
  ASSERT_EQ(pipe(report), 0);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // Room for the log files the program keeps open and its sockets, far
    // from one file per talk.
    rlimit limit{96, 96};
    setrlimit(RLIMIT_NOFILE, &limit);
    LogIn();
    if (unit_ == nullptr || !unit_->IsLoggedIn()) _exit(2);
    std::vector<std::string> crowd;
    for (int i = 0; i < 3000; ++i)
      crowd.push_back(":t" + std::to_string(i) + "!u@h.example PRIVMSG me :hello " + std::to_string(i));
    crowd.push_back(":me!u@h JOIN :#late");
    crowd.push_back(":friend!f@h PRIVMSG #late :after the crowd");
    ReceiveMany(crowd);
    loop_.RunUntil([&] { return unit_->FindChannel("#late") && Contains(unit_->FindChannel("#late")->Log(), "after the crowd"); },
                   20000);
    int talks = 0;
    for (const auto& target : unit_->Channels()) talks += target->IsTalk();
    std::string line = std::to_string(talks) + "\n";
    [[maybe_unused]] ssize_t n = write(report[1], line.data(), line.size());
    _exit(0);
  }
  close(report[1]);
  char buffer[64] = {};
  [[maybe_unused]] ssize_t n = read(report[0], buffer, sizeof buffer - 1);
  close(report[0]);
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(std::atoi(buffer), TUnit::kMaxPeerTalks);

  EXPECT_NE(LogsIn(logs.Path() / "#late").find("after the crowd"), std::string::npos);
  std::string unit_log = LogsIn(logs.Path() / "Server");
  // Beyond the bound, strangers write into the unit log, said once.
  EXPECT_NE(unit_log.find("hello 2999"), std::string::npos);
  EXPECT_EQ(Count(unit_log, Sjis("新しい相手からのメッセージはここに表示します")), 1);
  EXPECT_NE(LogsIn(logs.Path() / "Talk").find("hello 99\r\n"), std::string::npos);
}

TEST_F(HostileServerTest, ChannelNamesThatWouldBecomeOtherParametersMakeNoTarget) {
  LogIn();
  Sent();
  const std::string names[] = {
      "#x +o evil", std::string("#a\0b", 4), "#a,b", "#a\x02" "b", "#a\x07" "x", "#a\x7f",
  };
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    Receive(":me!u@h JOIN :" + name + "\n:irc.test 366 me :" + name + "\n:me!u@h KICK :" + name);
    EXPECT_TRUE(unit_->Channels().empty());
    EXPECT_EQ(Sent(), Lines{});
  }
  Tick(3);
  EXPECT_EQ(Sent(), Lines{});
  // Shown all the same.
  EXPECT_TRUE(Contains(unit_->Log(), "#x +o evil"));
}

TEST_F(HostileServerTest, ANameWhoseBytesDoNotSurviveDecodingKeepsThem) {
  config_.encoding = kEncodingUtf8;
  LogIn();
  ASSERT_EQ(unit_->SessionEncoding(), kEncodingUtf8);
  Sent();
  Receive(":me!u@h JOIN :#caf\xe9\n:irc.test 366 me #caf\xe9 :End of NAMES");
  ASSERT_EQ(unit_->Channels().size(), 1u);
  EXPECT_EQ(Sent(), (Lines{"MODE #caf\xe9"}));
  // Stored as text, the name would be joined in other bytes next time.
  EXPECT_TRUE(world_->CollectConfig().units.front().channels.empty());
  world_->CloseTarget(*unit_, *unit_->Channels().front());
  EXPECT_EQ(Sent(), (Lines{"PART #caf\xe9 :Leaving..."}));
}

TEST_F(HostileServerTest, LogFilesHoldValidShiftJisWithoutTerminalControls) {
  test::TTempDir logs;
  LogTo(logs.Path());
  LogIn();
  Receive(":me!u@h JOIN :#c");
  Receive(
      ":ev\x1b[2Jil\x7f!u@h PRIVMSG #c :lone \x80\xff c1 \x85@ utf8 \x1b%G\xc3\xa9\x1b%@ bad pair \x1b$B\x7f!\x1b(B "
      "bell\x07 tab\tkept \x1b$BF|K\\\x1b(B\n"
      ":friend!f@h PRIVMSG #c :end");
  ASSERT_TRUE(Contains(unit_->FindChannel("#c")->Log(), "end"));
  std::string bytes = LogsIn(logs.Path() / "#c");
  std::string text;
  ASSERT_TRUE(DecodesStrictly(bytes, &text)) << bytes;
  for (unsigned char c : text) {
    EXPECT_TRUE(c >= 0x20 || c == '\t' || c == '\r' || c == '\n') << static_cast<int>(c);
    EXPECT_NE(c, 0x7F);
  }
  EXPECT_EQ(text.find("\xc2\x80"), std::string::npos);  // no C1 control either
  EXPECT_NE(text.find("lone "), std::string::npos) << text;
  EXPECT_NE(text.find("〓"), std::string::npos);
  EXPECT_NE(text.find("tab\tkept 日本"), std::string::npos);
}

TEST_F(HostileServerTest, OverlongLinesAreDroppedAndSaidOncePerConnection) {
  LogIn();
  const std::string notice = Sjis("65536バイトを超える行を受信したため破棄しました");
  auto notices = [&] {
    int n = 0;
    for (const std::string& text : Texts(unit_->Log())) n += text.find(notice) != std::string::npos;
    return n;
  };
  std::string exactly_the_bound = ":irc.test NOTICE me :" + std::string(65536 - 21, 'k');
  Receive(exactly_the_bound + "\nPING :kept");
  ASSERT_TRUE(ServerGets("PONG :kept\r\n", 10));
  EXPECT_EQ(notices(), 0);

  Receive(":irc.test NOTICE me :" + std::string(70000, 'x') + "\nPING :a\n:irc.test NOTICE me :" +
          std::string(100000, 'y') + "\nPING :b");
  ASSERT_TRUE(ServerGets("PONG :b\r\n", 10));
  EXPECT_EQ(notices(), 1);

  unit_->Disconnect(true, false);
  server_.ClearReceived();
  unit_->Connect();
  ASSERT_TRUE(ServerGets("USER ", 10));
  Receive(":irc.test NOTICE me :" + std::string(70000, 'z') + "\nPING :c");
  ASSERT_TRUE(ServerGets("PONG :c\r\n", 10));
  EXPECT_EQ(notices(), 2);
}

}  // namespace
}  // namespace zeph
