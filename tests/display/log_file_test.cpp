#include "display/log_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

#include "settings/preferences.h"
#include "display/log_line.h"
#include "platform/cp932.h"
#include "platform/poll_loop.h"
#include "platform/sjis.h"
#include "support/local_time.h"
#include "support/temp_dir.h"

namespace zeph {
namespace {

namespace fs = std::filesystem;
using test::LocalTime;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

std::string Banner(const std::string& time, const char* words) { return "--------" + time + Sjis(words) + "\r\n"; }
std::string Opening(const std::string& time) { return Banner(time, " ログを開始"); }
std::string Closing(const std::string& time) { return Banner(time, " ログを終了"); }

class LogFileTest : public testing::Test {
 protected:
  LogFileTest() {
    TPreferences prefs;
    prefs.LogRootDir = cp932::FromUtf8(temp_.Path().string()) + "/";
    prefs.EnableUnitLog = prefs.EnableChannelLog = prefs.EnableTalkLog = prefs.EnableDCCChatLog =
        prefs.EnableURLLog = true;
    context_.settings = LogFileSettingsFrom(prefs);
    context_.now = [this] { return now_; };
  }

  fs::path Root() const { return temp_.Path(); }
  std::optional<fs::path> PathOf(TLogFileKind kind, const std::string& unit, const std::string& target) {
    return LogFilePath(context_.settings, kind, CleanLogName(unit), CleanLogName(target), now_);
  }

  test::TTempDir temp_;
  std::time_t now_ = LocalTime(2008, 3, 5, 12, 34, 56);
  TPollLoop loop_;  // for the tests that batch the writes
  TLogFileContext context_;
};

TEST_F(LogFileTest, ChannelLinesGoToTheDailyFileBetweenBanners) {
  TLogFile log(context_, TLogFileKind::Channel);
  log.SetUnitName("Srv");
  log.SetTargetName("#abc");
  EXPECT_FALSE(log.IsOpen());  // nothing is created before the first line

  TLogLineSource source;
  source.time = "12:34 ";
  source.nick_piece = "(nick) ";
  source.body = "\x02" "bold\x02 \x03" "4,2red\x0f\ttab " + Sjis("日本語");
  log.WriteLine(source);
  fs::path file = Root() / "#abc" / "20080305-Srv.txt";
  EXPECT_EQ(log.Path(), file);
  // Each line reaches the file as it is written, not when it is closed.
  std::string first = Opening("2008/03/05 12:34:56") + "12:34 (nick) bold red\ttab " + Sjis("日本語") + "\r\n";
  EXPECT_EQ(ReadFile(file), first);

  now_ += 4;
  log.Close();
  EXPECT_FALSE(log.IsOpen());
  EXPECT_EQ(ReadFile(file), first + Closing("2008/03/05 12:35:00"));
}

TEST_F(LogFileTest, EachKindHasItsPatternAndNames) {
  struct Case {
    TLogFileKind kind;
    const char* unit;
    const char* target;
    const char* path;
  } cases[] = {
      {TLogFileKind::Unit, "Srv", "", "Server/20080305-Srv.txt"},
      {TLogFileKind::Channel, "Srv", "#abc", "#abc/20080305-Srv.txt"},
      {TLogFileKind::Channel, "Srv", "#abc:*.jp", "#abc__.jp/20080305-Srv.txt"},
      {TLogFileKind::Talk, "Srv", "alice", "Talk/20080305-alice-Srv.txt"},
      {TLogFileKind::DccChat, "Srv", "bob", "DCCChat/20080305-bob-Srv.txt"},
      {TLogFileKind::Url, "", "", "URL/20080305.txt"},
  };
  for (const Case& c : cases) {
    TLogFile log(context_, c.kind);
    if (*c.unit) log.SetUnitName(c.unit);
    if (*c.target) log.SetTargetName(c.target);
    log.WriteLine("x");
    EXPECT_EQ(log.Path(), Root() / c.path) << c.path;
    EXPECT_TRUE(fs::is_regular_file(Root() / c.path)) << c.path;
  }
}

TEST_F(LogFileTest, NamesFromServersStayInsideTheRootAndWithinTheNameLimit) {
  std::string japanese;
  for (int i = 0; i < 150; ++i) japanese += Sjis("あ");  // 300 bytes; 450 in UTF-8
  std::string cut_japanese;
  for (int i = 0; i < 85; ++i) cut_japanese += "あ";  // 255 bytes of UTF-8
  struct Case {
    std::string target;
    std::string folder;  // UTF-8
  } cases[] = {
      {"#../../x", "#_.__._x"},
      {"#a/b", "#a_b"},
      {"#a\\b", "#a_b"},
      {std::string("#a\x01" "b\nc\x7f", 7) + std::string(1, '\0') + "d", "#a_b_c__d"},
      {".", "_"},
      {"..", "_"},
      {"", "_"},
      {"...", "__."},
      {Sjis("表ソ"), "表ソ"},  // second bytes 0x5C stay part of their characters
      {"#" + japanese, "#" + cut_japanese.substr(0, 252)},
      {japanese, cut_japanese},
  };
  for (const Case& c : cases) {
    std::optional<fs::path> path = PathOf(TLogFileKind::Channel, "Srv", c.target);
    ASSERT_TRUE(path) << c.folder;
    EXPECT_EQ(*path, Root() / c.folder / "20080305-Srv.txt") << c.folder;
  }

  // In the last name the extension survives the cut.
  std::optional<fs::path> talk = PathOf(TLogFileKind::Talk, japanese, "alice");
  ASSERT_TRUE(talk);
  std::string name = talk->filename().string();
  EXPECT_LE(name.size(), kMaxFileNameBytes);
  EXPECT_EQ(name.substr(0, 15), "20080305-alice-");
  EXPECT_EQ(name.substr(name.size() - 4), ".txt");
  EXPECT_EQ(cp932::FromUtf8(name).find(Sjis("〓")), std::string::npos);  // no character was split
}

TEST_F(LogFileTest, PatternsCannotLeaveTheRootEither) {
  struct Case {
    const char* pattern;
    const char* path;  // empty: no file
  } cases[] = {
      {"..\\..\\%c.txt", "_./_./#abc.txt"},
      {"\\abs\\%c.txt", "abs/#abc.txt"},
      {".\\%c\\.\\a...b.txt", "#abc/a__.b.txt"},
      {"x\x01y\\%c.txt", "x_y/#abc.txt"},
      {"%c\\", ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    context_.settings.patterns[static_cast<size_t>(TLogFileKind::Channel)] = c.pattern;
    std::optional<fs::path> path = PathOf(TLogFileKind::Channel, "Srv", "#abc");
    if (*c.path) {
      ASSERT_TRUE(path) << c.pattern;
      EXPECT_EQ(*path, Root() / c.path) << c.pattern;
    } else {
      EXPECT_FALSE(path) << c.pattern;
    }
  }
}

TEST(LogFileSettings, RootsTheFileSystemCannotUseGiveWayToTheDefault) {
  TPreferences prefs;
  prefs.LogRootDir = "C:\\Users\\me\\Documents\\ZephloraLog\\";
  fs::path fallback = LogFileSettingsFrom(prefs).root;
  EXPECT_TRUE(fallback.is_absolute());
  EXPECT_EQ(fallback.filename(), "ZephloraLog");
  prefs.LogRootDir.clear();
  EXPECT_EQ(LogFileSettingsFrom(prefs).root, fallback);
  prefs.LogRootDir = "/var/log?s\\zeph/";
  EXPECT_EQ(LogFileSettingsFrom(prefs).root, "/var/log_s/zeph");
}

TEST(LogFilePaths, NumberedAlternativesLookOnlyAtTheLastName) {
  EXPECT_EQ(NumberedLogFilePath("/r/a.b/file", 0), "/r/a.b/file_00");
  EXPECT_EQ(NumberedLogFilePath("/r/x/name.txt", 7), "/r/x/name_07.txt");
  EXPECT_EQ(NumberedLogFilePath("/r/x/.hidden", 99), "/r/x/.hidden_99");
  std::string long_stem(kMaxFileNameBytes - 4, 'a');
  EXPECT_EQ(NumberedLogFilePath("/r/" + long_stem + ".txt", 1).filename(),
            long_stem.substr(0, kMaxFileNameBytes - 7) + "_01.txt");
}

TEST_F(LogFileTest, AnExistingFileIsAppendedTo) {
  fs::create_directories(Root() / "Talk");
  fs::path file = Root() / "Talk" / "20080305-alice-Srv.txt";
  std::ofstream(file, std::ios::binary) << "earlier\r\n";
  {
    TLogFile log(context_, TLogFileKind::Talk);
    log.SetUnitName("Srv");
    log.SetTargetName("alice");
    log.WriteLine("hello");
  }
  EXPECT_EQ(ReadFile(file), "earlier\r\n" + Opening("2008/03/05 12:34:56") + "hello\r\n" +
                                Closing("2008/03/05 12:34:56"));
}

// What stands in the file's place and cannot be written gives way to the
// first numbered name: a folder, a pipe (opened, it would block for ever),
// the file of another log writer (as the Windows client's files are not
// shared for writing).
TEST_F(LogFileTest, WhatCannotBeTheFileGivesWayToANumberedName) {
  const fs::path file = Root() / "Server" / "20080305-Srv.txt";
  const struct {
    const char* name;
    std::function<std::unique_ptr<TLogFile>()> occupy;
  } cases[] = {
      {"folder", [&] { fs::create_directories(file); return nullptr; }},
      {"pipe", [&] { EXPECT_EQ(mkfifo(file.c_str(), 0600), 0); return nullptr; }},
      {"another writer", [&] {
         auto other = std::make_unique<TLogFile>(context_, TLogFileKind::Unit);
         other->SetUnitName("Srv");
         other->WriteLine("other");
         return other;
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fs::create_directories(Root() / "Server");
    std::unique_ptr<TLogFile> occupant = c.occupy();
    {
      TLogFile log(context_, TLogFileKind::Unit);
      log.SetUnitName("Srv");
      log.WriteLine("line");
      EXPECT_EQ(log.Path(), file);
      EXPECT_EQ(ReadFile(Root() / "Server" / "20080305-Srv_00.txt"), Opening("2008/03/05 12:34:56") + "line\r\n");
    }
    occupant.reset();
    fs::remove_all(Root() / "Server");
  }
}

TEST_F(LogFileTest, NoFileAtAllSwitchesTheWriterOffUntilSwitchedOnAgain) {
  std::ofstream(Root() / "Server", std::ios::binary) << "a file, not a folder";
  TLogFile log(context_, TLogFileKind::Unit);
  log.SetUnitName("Srv");
  testing::internal::CaptureStderr();
  log.WriteLine("one");
  log.WriteLine("two");
  std::string errors = testing::internal::GetCapturedStderr();
  EXPECT_FALSE(log.Enabled());
  EXPECT_FALSE(log.IsOpen());
  EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;

  fs::remove(Root() / "Server");
  log.SetEnabled(true);
  log.WriteLine("three");
  EXPECT_EQ(ReadFile(Root() / "Server" / "20080305-Srv.txt"), Opening("2008/03/05 12:34:56") + "three\r\n");
}

TEST_F(LogFileTest, AFailedWriteSwitchesTheWriterOffWithOneMessage) {
  TLogFile log(context_, TLogFileKind::Unit);
  log.SetUnitName("Srv");
  log.WriteLine(std::string(10000, 'x'));  // room below the limit for the message itself
  // The file may grow no further: every write fails as on a full disk.
  struct rlimit old_limit;
  getrlimit(RLIMIT_FSIZE, &old_limit);
  sighandler_t old_handler = signal(SIGXFSZ, SIG_IGN);
  struct rlimit limit = {static_cast<rlim_t>(fs::file_size(log.Path())), old_limit.rlim_max};
  setrlimit(RLIMIT_FSIZE, &limit);
  testing::internal::CaptureStderr();
  for (int i = 0; i < 100; ++i) log.WriteLine("lost");
  std::string errors = testing::internal::GetCapturedStderr();
  setrlimit(RLIMIT_FSIZE, &old_limit);
  signal(SIGXFSZ, old_handler);

  EXPECT_FALSE(log.Enabled());
  EXPECT_FALSE(log.IsOpen());
  EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
}

TEST_F(LogFileTest, CheckPathMovesToTheFileOfTheNewDayOnce) {
  now_ = LocalTime(2008, 3, 5, 23, 59, 59);
  TLogFile log(context_, TLogFileKind::Channel);
  log.SetUnitName("Srv");
  log.SetTargetName("#abc");
  log.WriteLine("late");
  log.CheckPath();  // same day: nothing happens
  now_ += 1;
  log.CheckPath();
  log.CheckPath();
  log.WriteLine("early");
  EXPECT_EQ(ReadFile(Root() / "#abc" / "20080305-Srv.txt"),
            Opening("2008/03/05 23:59:59") + "late\r\n" + Closing("2008/03/06 00:00:00"));
  EXPECT_EQ(ReadFile(Root() / "#abc" / "20080306-Srv.txt"), Opening("2008/03/06 00:00:00") + "early\r\n");
}

TEST_F(LogFileTest, AWriterSwitchedOffClosesAndWritesNothing) {
  TLogFile log(context_, TLogFileKind::Talk);
  log.SetUnitName("Srv");
  log.SetTargetName("alice");
  log.WriteLine("one");
  log.SetEnabled(false);
  log.WriteLine("two");
  fs::path file = Root() / "Talk" / "20080305-alice-Srv.txt";
  EXPECT_EQ(ReadFile(file), Opening("2008/03/05 12:34:56") + "one\r\n" + Closing("2008/03/05 12:34:56"));

  context_.settings.enabled[static_cast<size_t>(TLogFileKind::Url)] = false;
  TLogFile url(context_, TLogFileKind::Url);
  url.WriteLine("http://example.com/");
  EXPECT_FALSE(fs::exists(Root() / "URL"));
}

TEST_F(LogFileTest, ManyLinesArriveWholeAndInOrder) {
  TLogFile log(context_, TLogFileKind::Channel);
  log.SetUnitName("Srv");
  log.SetTargetName("#flood");
  std::string expected = Opening("2008/03/05 12:34:56");
  for (int i = 0; i < 100000; ++i) {
    std::string line = "12:34 (a) line " + std::to_string(i);
    log.WriteLine(line);
    expected += line + "\r\n";
  }
  EXPECT_EQ(ReadFile(log.Path()), expected);
}

TEST_F(LogFileTest, FilesHoldShiftJisTextWithoutControlBytes) {
  const std::string geta = Sjis("〓");
  struct Case {
    std::string body;
    std::string written;
  };
  const Case cases[] = {
      {"a\tb", "a\tb"},
      {"\x1b[2Jred\x7f bell\x07", "[2Jred bell"},
      {"line\r\nbreak", "line  break"},
      {"\x80x\xa0y\xfd\xfe\xff", geta + "x" + geta + "y" + geta + geta + geta},
      {"\x85\x40", geta + "@"},  // a pair code page 932 has no character for
      {"\xb1\xb2", "\xb1\xb2"},  // half-width katakana
      {Sjis("〓日本"), Sjis("〓日本")},
      {"cut\x93", "cut" + geta},  // a lead byte without its trail byte
      {"\x82\x02\xa0", "\x82\xa0"},  // a pair the removed control byte stood in
      // Past the first word of a line, and among double-byte characters.
      {"a line of some length\x01, then\nmore", "a line of some length, then more"},
      {Sjis("日本語のテキスト") + "\x85\x40" + Sjis("です") + "\r", Sjis("日本語のテキスト") + geta + "@" + Sjis("です") + " "},
  };
  TLogFile log(context_, TLogFileKind::Unit);
  log.SetUnitName("Srv");
  std::string expected = Opening("2008/03/05 12:34:56");
  for (const Case& c : cases) {
    log.WriteLine(c.body);
    expected += c.written + "\r\n";
  }
  EXPECT_EQ(ReadFile(log.Path()), expected);
}

// The pieces of a line are stripped as the one text they make: a colour
// code takes its digits, and a lead byte its trail byte, from the next piece.
TEST_F(LogFileTest, ThePiecesOfALineReadAsOneText) {
  struct Case {
    std::string time, nick_piece, body, written;
  };
  const Case cases[] = {
      {"12:34 \x03", "", "4,2red", "12:34 red"},
      {"12:34 ", "(nick\x03" "1", "2) text", "12:34 (nick) text"},
      {"12:34 ", "(nick) \x82", "\xa0", "12:34 (nick) \x82\xa0"},
  };
  TLogFile log(context_, TLogFileKind::Channel);
  log.SetUnitName("Srv");
  log.SetTargetName("#abc");
  std::string expected = Opening("2008/03/05 12:34:56");
  for (const Case& c : cases) {
    TLogLineSource source;
    source.time = c.time;
    source.nick_piece = c.nick_piece;
    source.body = c.body;
    log.WriteLine(source);
    expected += c.written + "\r\n";
  }
  EXPECT_EQ(ReadFile(log.Path()), expected);
}

// However many logs write, only a bounded number of files stay open; a
// log whose file was let go appends to the same file, without a banner.
TEST_F(LogFileTest, ManyLogsKeepFewFilesOpen) {
  auto open_files = [] {
    return static_cast<int>(std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()));
  };
  int before = open_files();
  std::vector<std::unique_ptr<TLogFile>> logs;
  for (int i = 0; i < 300; ++i) {
    logs.push_back(std::make_unique<TLogFile>(context_, TLogFileKind::Talk));
    logs.back()->SetUnitName("Srv");
    logs.back()->SetTargetName("t" + std::to_string(i));
  }
  for (int round = 0; round < 3; ++round) {
    for (auto& log : logs) log->WriteLine("round " + std::to_string(round));
  }
  EXPECT_LT(open_files() - before, 100);  // not one per log
  fs::path first = logs.front()->Path();
  logs.clear();
  EXPECT_EQ(ReadFile(first), Opening("2008/03/05 12:34:56") + "round 0\r\nround 1\r\nround 2\r\n" +
                                 Closing("2008/03/05 12:34:56"));
  EXPECT_EQ(context_.open_files.Count(), 0u);
}

// The lines one wake-up of the loop handles reach the file together, and
// before the loop waits again: here the loop waits for a wake-up that only
// comes once the lines are in the file.
TEST_F(LogFileTest, TheLinesOfAWakeUpAreInTheFileBeforeTheLoopWaitsAgain) {
  context_.batch.Attach(loop_);
  TLogFile log(context_, TLogFileKind::Channel);
  log.SetUnitName("Srv");
  log.SetTargetName("#abc");
  int data[2];
  int wake[2];
  ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, data), 0);
  ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, wake), 0);
  char byte = 'x';
  loop_.AddWatch(data[0], true, false, [&](bool, bool) {
    ASSERT_EQ(read(data[0], &byte, 1), 1);
    for (const char* line : {"one", "two", "three"}) log.WriteLine(line);
  });
  bool woken = false;
  loop_.AddWatch(wake[0], true, false, [&](bool, bool) { woken = true; });
  ASSERT_EQ(write(data[1], &byte, 1), 1);
  loop_.RunOnce(0);
  fs::path file = Root() / "#abc" / "20080305-Srv.txt";
  EXPECT_EQ(ReadFile(file), "");  // gathered, not yet written

  std::string expected = Opening("2008/03/05 12:34:56") + "one\r\ntwo\r\nthree\r\n";
  std::thread observer([&] {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (ReadFile(file) != expected && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_EQ(write(wake[1], &byte, 1), 1);
  });
  loop_.RunOnce(10000);
  observer.join();
  EXPECT_TRUE(woken);
  EXPECT_EQ(ReadFile(file), expected);
  for (int fd : {data[0], data[1], wake[0], wake[1]}) close(fd);
}

TEST_F(LogFileTest, BatchedLinesStayInOrderWhenWritersArePutAside) {
  context_.batch.Attach(loop_);
  std::vector<std::unique_ptr<TLogFile>> logs;
  for (size_t i = 0; i < 2 * TOpenLogFiles::kMaxOpen; ++i) {
    logs.push_back(std::make_unique<TLogFile>(context_, TLogFileKind::Talk));
    logs.back()->SetUnitName("Srv");
    logs.back()->SetTargetName("t" + std::to_string(i));
  }
  for (int round = 0; round < 3; ++round) {
    for (auto& log : logs) log->WriteLine("round " + std::to_string(round));
    if (round == 1) loop_.RunOnce(0);
  }
  EXPECT_LE(context_.open_files.Count(), TOpenLogFiles::kMaxOpen);
  std::vector<fs::path> files;
  for (auto& log : logs) files.push_back(log->Path());
  loop_.RunOnce(0);
  logs.clear();
  for (const fs::path& file : files) {
    EXPECT_EQ(ReadFile(file), Opening("2008/03/05 12:34:56") + "round 0\r\nround 1\r\nround 2\r\n" +
                                  Closing("2008/03/05 12:34:56"))
        << file;
  }
}

}  // namespace
}  // namespace zeph
