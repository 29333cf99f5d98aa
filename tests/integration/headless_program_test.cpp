// The real `zephlora --headless` against a real IRC server: a prepared
// profile joins a channel, another client talks there, SIGTERM ends the
// program with a QUIT, and the channel's log file holds the conversation.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "settings/preference_file.h"
#include "settings/tree_file.h"
#include "macro/macro_file.h"
#include "platform/sjis.h"
#include "support/child_process.h"
#include "support/environment.h"
#include "support/irc_server.h"
#include "support/loopback_peer.h"
#include "support/prerequisite.h"
#include "support/temp_dir.h"

namespace zeph {
namespace {

// A bare IRC client for the other side of the conversation.
class TRawClient {
 public:
  explicit TRawClient(int port) {
    fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    at.sin_port = htons(static_cast<uint16_t>(port));
    connected_ = connect(fd_, reinterpret_cast<sockaddr*>(&at), sizeof at) == 0;
  }
  ~TRawClient() { close(fd_); }
  bool Connected() const { return connected_; }
  void Send(const std::string& line) {
    std::string wire = line + "\r\n";
    [[maybe_unused]] ssize_t n = send(fd_, wire.data(), wire.size(), MSG_NOSIGNAL);
  }
  // Reads until the text has arrived; answers PINGs on the way.
  bool WaitFor(const std::string& text, int timeout_ms = 10000) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (seen_.find(text) == std::string::npos) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      pollfd p{fd_, POLLIN, 0};
      if (poll(&p, 1, 50) <= 0) continue;
      char chunk[4096];
      ssize_t n = recv(fd_, chunk, sizeof chunk, 0);
      if (n <= 0) return false;
      seen_.append(chunk, static_cast<size_t>(n));
    }
    return true;
  }
  const std::string& Seen() const { return seen_; }

 private:
  int fd_ = -1;
  bool connected_ = false;
  std::string seen_;
};

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::filesystem::path FindChannelLog(const std::filesystem::path& root) {
  std::error_code ec;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root, ec)) {
    if (entry.is_regular_file() && entry.path().parent_path().filename() == "#room") return entry.path();
  }
  return {};
}

// A profile folder with one server entry that connects at start, and the
// program running on it.
class HeadlessProgramTest : public testing::Test {
 protected:
  test::TTempDir home_;
  test::TChildProcess program_;

  void Launch(TServerConfig unit, const TPreferences& prefs) {
    std::filesystem::path config = home_.Path() / "users" / "default" / "config";
    std::filesystem::create_directories(config);
    TWorldConfig tree;
    unit.auto_connect = true;
    tree.units = {unit};
    ASSERT_TRUE(SaveTree(config / "tree.ini", tree));
    ASSERT_TRUE(SavePreferences(config / "preference.ini", prefs));
    test::TScopedEnv profile("ZEPHLORA_HOME", home_.File(""));
    ASSERT_TRUE(program_.Start({std::string(ZEPH_BINARY_DIR) + "/bin/zephlora", "--headless"},
                               home_.File("zephlora.log")));
  }
  std::string ProgramOutput() const { return program_.Output(); }
};

TEST_F(HeadlessProgramTest, TalksLogsAndQuitsOnSigterm) {
  test::TIrcServer server;
  if (!server.Start()) ZEPH_SKIP_OR_FAIL(server.Error());
  TServerConfig unit = server.UnitConfig("zeph");
  unit.quit_message = "see you";
  unit.channels = {NewChannelConfig("#room", true)};
  TPreferences prefs = DefaultPreferences();
  prefs.Installed = true;
  prefs.EnableChannelLog = true;
  prefs.LogRootDir = (home_.Path() / "logs").string() + "/";

  TRawClient talker(server.Port());
  ASSERT_TRUE(talker.Connected());
  talker.Send("NICK talker");
  talker.Send("USER talker 0 * :Talker");
  ASSERT_TRUE(talker.WaitFor(" 001 "));
  talker.Send("JOIN #room");
  ASSERT_TRUE(talker.WaitFor("JOIN :#room"));

  Launch(unit, prefs);
  ASSERT_TRUE(talker.WaitFor(":zeph!")) << ProgramOutput();
  ASSERT_TRUE(talker.WaitFor("JOIN :#room", 10000));

  // こんにちは in ISO-2022-JP, with a colour code the log file drops.
  talker.Send("PRIVMSG #room :\x1b$B$3$s$K$A$O\x1b(B \x03" "4hello");
  std::filesystem::path log;
  std::string expected = "(talker) " + Sjis("こんにちは") + " hello\r\n";
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < deadline) {
    log = FindChannelLog(home_.Path() / "logs");
    if (!log.empty() && ReadFile(log).find(expected) != std::string::npos) break;
    usleep(20000);
  }
  ASSERT_FALSE(log.empty());
  EXPECT_NE(ReadFile(log).find(expected), std::string::npos);

  EXPECT_EQ(program_.Signal(SIGTERM, 7000), 0);
  EXPECT_TRUE(talker.WaitFor(" QUIT :", 5000));
  EXPECT_NE(talker.Seen().find("see you"), std::string::npos);
  std::string contents = ReadFile(log);
  EXPECT_NE(contents.find(Sjis("ログを開始")), std::string::npos);
  EXPECT_NE(contents.find(Sjis("ログを終了")), std::string::npos);
}

// SIGINT quits like SIGTERM; a server that takes the QUIT and never closes
// holds the program up five seconds at most.
TEST_F(HeadlessProgramTest, SigintQuitsWithoutWaitingForeverForTheServer) {
  TPollLoop loop;
  test::TLoopbackPeer server(loop);  // answers the registration, then only listens
  TServerConfig unit;
  unit.name = "quiet";
  unit.hostname = "127.0.0.1";
  unit.port = server.Port();
  unit.nick = "zeph";
  unit.quit_message = "see you";
  unit.channels = {NewChannelConfig("#room", true)};
  TPreferences prefs = DefaultPreferences();
  prefs.Installed = true;
  Launch(unit, prefs);
  ASSERT_TRUE(server.WaitFor("USER ", 10000)) << ProgramOutput();
  server.Send(":irc.test 001 zeph :Welcome\r\n");
  ASSERT_TRUE(server.WaitFor("JOIN #room\r\n", 10000)) << ProgramOutput();  // logged in

  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(program_.Signal(SIGINT, 10000), 0) << ProgramOutput();
  auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_LT(waited, std::chrono::milliseconds(7000));
  EXPECT_TRUE(server.WaitFor("QUIT :see you\r\n")) << server.Received();
}

// The exit status of the program run with these arguments and ZEPHLORA_HOME,
// its standard error in *errors; -1 when it did not end within the timeout.
int RunToTheEnd(const std::vector<std::string>& argv, const std::string& home, std::string* errors) {
  test::TTempDir dir;
  std::string log = dir.File("stderr.log");
  pid_t pid = fork();
  if (pid == 0) {
    setenv("ZEPHLORA_HOME", home.c_str(), 1);
    if (freopen(log.c_str(), "w", stderr) == nullptr) _exit(126);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(127);
  }
  int status = 0;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (waitpid(pid, &status, WNOHANG) != pid) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return -1;
    }
    usleep(20000);
  }
  *errors = ReadFile(log);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A port of our own on 127.0.0.1 that a DCC offer names.
class TOfferPort {
 public:
  TOfferPort() {
    fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof at;
    bind(fd_, reinterpret_cast<sockaddr*>(&at), sizeof at);
    listen(fd_, 4);
    getsockname(fd_, reinterpret_cast<sockaddr*>(&at), &length);
    port_ = ntohs(at.sin_port);
  }
  ~TOfferPort() {
    if (peer_ >= 0) close(peer_);
    close(fd_);
  }
  int Port() const { return port_; }
  // Whether someone connected within the time.
  bool Accept(int timeout_ms) {
    pollfd p{fd_, POLLIN, 0};
    if (poll(&p, 1, timeout_ms) <= 0) return false;
    peer_ = accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
    return peer_ >= 0;
  }
  bool HasCaller() {
    pollfd p{fd_, POLLIN, 0};
    return poll(&p, 1, 0) > 0;
  }
  void Send(const std::string& bytes) {
    [[maybe_unused]] ssize_t n = send(peer_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
  }

 private:
  int fd_ = -1;
  int peer_ = -1;
  int port_ = 0;
};

// The headless program takes up exactly the offers its settings accept,
// with nobody there to ask.
class HeadlessDccTest : public HeadlessProgramTest {
 protected:
  void StartWith(TPreferences prefs) {
    if (!server_.Start()) ZEPH_SKIP_OR_FAIL(server_.Error());
    TServerConfig unit = server_.UnitConfig("zeph");
    unit.channels = {NewChannelConfig("#room", true)};
    prefs.Installed = true;
    prefs.DCCRootDir = (home_.Path() / "dcc").string() + "/";
    prefs.ReceiveInNickFolder = false;
    prefs.DCCReceiveAction = 2;
    talker_ = std::make_unique<TRawClient>(server_.Port());
    ASSERT_TRUE(talker_->Connected());
    talker_->Send("NICK talker");
    talker_->Send("USER talker 0 * :Talker");
    ASSERT_TRUE(talker_->WaitFor(" 001 "));
    talker_->Send("JOIN #room");
    ASSERT_TRUE(talker_->WaitFor("JOIN :#room"));
    Launch(unit, prefs);
    ASSERT_TRUE(talker_->WaitFor(":zeph!")) << ProgramOutput();
  }
  void Offer(const std::string& query) { talker_->Send("PRIVMSG zeph :\x01" + query + "\x01"); }

  test::TIrcServer server_;
  std::unique_ptr<TRawClient> talker_;
};

TEST_F(HeadlessDccTest, ReceivesAFileItsSettingsAcceptAndLeavesAChatThatNeedsAsking) {
  TPreferences prefs = DefaultPreferences();
  prefs.AutoReceiveNormal = true;
  prefs.DCCChatAction = 1;  // ask the user: there is nobody
  StartWith(prefs);
  TOfferPort chat, file;
  Offer("DCC CHAT chat 2130706433 " + std::to_string(chat.Port()));
  Offer("DCC SEND f.txt 2130706433 " + std::to_string(file.Port()) + " 1000");
  ASSERT_TRUE(file.Accept(10000)) << ProgramOutput();
  file.Send(std::string(1000, 'x'));
  std::filesystem::path received = home_.Path() / "dcc" / "f.txt";
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!std::filesystem::exists(received) && std::chrono::steady_clock::now() < deadline) usleep(20000);
  EXPECT_EQ(ReadFile(received), std::string(1000, 'x'));
  // The chat came first and was never answered.
  EXPECT_FALSE(chat.HasCaller());
}

TEST_F(HeadlessDccTest, AnswersAChatItsSettingsAcceptAndLeavesAFileThatNeedsStarting) {
  TPreferences prefs = DefaultPreferences();
  prefs.AutoReceiveNormal = false;  // listed for the user, never started
  prefs.DCCChatAction = 2;
  StartWith(prefs);
  TOfferPort chat, file;
  Offer("DCC SEND f.txt 2130706433 " + std::to_string(file.Port()) + " 1000");
  Offer("DCC CHAT chat 2130706433 " + std::to_string(chat.Port()));
  ASSERT_TRUE(chat.Accept(10000)) << ProgramOutput();
  EXPECT_FALSE(file.HasCaller());
  EXPECT_FALSE(std::filesystem::exists(home_.Path() / "dcc"));
}

TEST(HeadlessHomeTest, AHomeThatIsAFileEndsTheProgram) {
  std::string zephlora = std::string(ZEPH_BINARY_DIR) + "/bin/zephlora";
  test::TTempDir dir;
  std::ofstream(dir.File("home")) << "not a folder";
  std::string errors;
  EXPECT_EQ(RunToTheEnd({zephlora, "--headless"}, dir.File("home"), &errors), 1);
  EXPECT_NE(errors.find(dir.File("home") + " is a file, not a folder"), std::string::npos) << errors;
  EXPECT_NE(errors.find("ZEPHLORA_HOME"), std::string::npos) << errors;
}

}  // namespace
}  // namespace zeph

namespace zeph {
namespace {

// The always-on bot: a macro bound to the server greets whoever joins, and
// the people in the channel read the greeting.
TEST_F(HeadlessProgramTest, MacrosGreetWhoeverJoins) {
  test::TIrcServer server;
  if (!server.Start()) ZEPH_SKIP_OR_FAIL(server.Error());
  TServerConfig unit = server.UnitConfig("zeph");
  unit.channels = {NewChannelConfig("#room", true)};
  unit.macro_files = {Sjis("挨拶")};
  TMacroItem greet;
  greet.command_pattern = "join";
  greet.channel_pattern = "#room";
  greet.action = "Send";
  greet.target = "%c";
  greet.info = "welcome %n, " + Sjis("ようこそ");
  ASSERT_TRUE(SaveMacroFile(home_.Path() / "users" / "default" / "macro", TMacroFile{Sjis("挨拶"), {greet}}));
  TPreferences prefs = DefaultPreferences();
  prefs.Installed = true;

  TRawClient watcher(server.Port());
  ASSERT_TRUE(watcher.Connected());
  watcher.Send("NICK watcher");
  watcher.Send("USER watcher 0 * :Watcher");
  ASSERT_TRUE(watcher.WaitFor(" 001 "));
  watcher.Send("JOIN #room");
  ASSERT_TRUE(watcher.WaitFor("JOIN :#room"));

  Launch(unit, prefs);
  ASSERT_TRUE(watcher.WaitFor(":zeph!", 10000)) << ProgramOutput();
  TRawClient newcomer(server.Port());
  ASSERT_TRUE(newcomer.Connected());
  newcomer.Send("NICK newcomer");
  newcomer.Send("USER newcomer 0 * :Newcomer");
  ASSERT_TRUE(newcomer.WaitFor(" 001 "));
  newcomer.Send("JOIN #room");
  // ようこそ in ISO-2022-JP, as the unit sends it.
  EXPECT_TRUE(watcher.WaitFor(":zeph!~zeph@127.0.0.1 NOTICE #room :welcome newcomer, \x1b$B$h$&$3$=\x1b(B", 10000))
      << watcher.Seen() << ProgramOutput();
  // Our own JOIN was no one to greet.
  EXPECT_EQ(watcher.Seen().find("welcome zeph"), std::string::npos);
  EXPECT_EQ(program_.Signal(SIGTERM, 7000), 0);
}

}  // namespace
}  // namespace zeph
