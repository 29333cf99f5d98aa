#include "dcc/received_file_name.h"

#include <gtest/gtest.h>

#include <string>

#include "settings/preferences.h"
#include "platform/cp932.h"
#include "platform/file_names.h"
#include "platform/sjis.h"
#include "platform/user_folders.h"

namespace zeph {
namespace {
namespace fs = std::filesystem;

// 150 double-byte characters: 300 bytes of Shift_JIS, 450 of UTF-8.
std::string LongJapanese() {
  std::string text;
  for (int i = 0; i < 150; ++i) text += Sjis("あ");
  return text;
}

TEST(ReceivedNames, PeersNamesBecomeOneHarmlessName) {
  struct Case {
    std::string offered;
    std::string cleaned;
  } cases[] = {
      {"a.txt", "a.txt"},
      {"../../x", "_._.._x"},
      {"a/b", "a_b"},
      {"\\x", "_x"},
      {"C:\\Windows\\x.exe", "C__Windows_x.exe"},
      {"a<b>c*d?e|f\"g", "a_b_c_d_e_f_g"},
      {std::string("a\x01" "b\x1f" "c\x7f", 6), "a_b_c_"},
      {"", "_"},
      {".", "_"},
      {"..", "_"},
      {".bashrc", "_bashrc"},
      {"...", "_.."},
      // Full-width dots are characters like any other, not a folder.
      {Sjis("．．"), Sjis("．．")},
      // Second bytes 0x5C ("表", "ソ", "能") stay part of their characters;
      // a lone 0x5C is a separator.
      {Sjis("表ソ能\\.txt"), Sjis("表ソ能_.txt")},
      {Sjis("a\\表"), Sjis("a_表")},
  };
  for (const Case& c : cases) EXPECT_EQ(CleanReceivedName(c.offered), c.cleaned) << c.offered;
}

TEST(ReceivedNames, DiskNamesCarryThePrefixAndNumbers) {
  struct Case {
    std::string cleaned;
    int number;
    const char* incomplete;
    const char* final_name;
  } cases[] = {
      {"a.txt", kNoNumber, "_incomplete_a.txt", "a.txt"},
      {"a.txt", 0, "_incomplete_a_00.txt", "a_00.txt"},
      {"a.txt", 99, "_incomplete_a_99.txt", "a_99.txt"},
      {"a.txt", 9999, "_incomplete_a_9999.txt", "a_9999.txt"},
      {"a.tar.gz", 1, "_incomplete_a.tar_01.gz", "a.tar_01.gz"},
      {"README", 5, "_incomplete_README_05", "README_05"},
      {Sjis("表.txt"), kNoNumber, "_incomplete_表.txt", "表.txt"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IncompleteFileName(c.cleaned, c.number), c.incomplete) << c.cleaned << " " << c.number;
    EXPECT_EQ(FinalFileName(c.cleaned, c.number), c.final_name) << c.cleaned << " " << c.number;
  }
}

TEST(ReceivedNames, LongNamesFitTheFileSystemAndKeepTheirNumber) {
  std::string long_stem = LongJapanese();
  struct Case {
    std::string cleaned;
    int number;
    std::string_view suffix;  // what the name must end in
  } cases[] = {
      {long_stem + ".txt", kNoNumber, ".txt"},
      {long_stem + ".txt", 42, "_42.txt"},
      {long_stem + ".txt", 9999, "_9999.txt"},
      {long_stem, 7, "_07"},
      // An extension that leaves no room for the number is cut with the
      // rest of the name.
      {"a." + std::string(300, 'x'), 3, "xxx_03"},
  };
  for (const Case& c : cases) {
    for (const std::string& name : {IncompleteFileName(c.cleaned, c.number), FinalFileName(c.cleaned, c.number)}) {
      EXPECT_LE(name.size(), kMaxFileNameBytes) << name;
      EXPECT_TRUE(name.ends_with(c.suffix)) << name;
      EXPECT_NE(name.front(), '.') << name;
      // No character was split: the name converts back without a "〓".
      EXPECT_EQ(cp932::FromUtf8(name).find(Sjis("〓")), std::string::npos) << name;
    }
    EXPECT_TRUE(IncompleteFileName(c.cleaned, c.number).starts_with("_incomplete_"));
  }
  // Beside a 253-byte extension the three bytes of "あ" cannot stay; the
  // name must not start with the dot of a hidden file.
  std::string ext_only = Sjis("あ") + "." + std::string(252, 'z');
  EXPECT_EQ(FinalFileName(ext_only), "_" + std::string(252, 'z'));
}

TEST(ReceivedNames, PartialFilesAreRecognisedByTheirName) {
  std::string long_name = LongJapanese() + ".txt";
  struct Case {
    std::string disk_name;
    std::string cleaned;
    bool partial;
  } cases[] = {
      {"_incomplete_a.txt", "a.txt", true},
      {"_incomplete_a_00.txt", "a.txt", true},
      {"_incomplete_a_7.txt", "a.txt", true},
      {"_incomplete_a_123456.txt", "a.txt", true},
      {"_incomplete_a_.txt", "a.txt", false},
      {"_incomplete_a_0x.txt", "a.txt", false},
      {"_incomplete_ab.txt", "a.txt", false},
      {"_incomplete_a.txt.part", "a.txt", false},
      {"a.txt", "a.txt", false},
      {"_incomplete_a_12_05.txt", "a_12.txt", true},
      {"_incomplete_a_12.txt", "a_12.txt", true},
      {"_incomplete_a_12.txt", "a.txt", true},
      {"_incomplete_README_3", "README", true},
      {IncompleteFileName(long_name), long_name, true},
      {IncompleteFileName(long_name, 42), long_name, true},
      {IncompleteFileName(long_name, 42), LongJapanese() + ".doc", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsIncompleteFileOf(c.disk_name, c.cleaned), c.partial) << c.disk_name;
}

TEST(ReceivedNames, FilesStayInsideTheirFolder) {
  fs::path folder = "/home/u/Desktop";
  EXPECT_EQ(FileInFolder(folder, "a.txt"), folder / "a.txt");
  EXPECT_EQ(FileInFolder(folder, "..a"), folder / "..a");
  for (std::string bad : {"", ".", "..", "../x", "a/b", "/etc/passwd"}) EXPECT_FALSE(FileInFolder(folder, bad)) << bad;
  EXPECT_FALSE(FileInFolder(folder, std::string_view("a\0b", 3)));
  EXPECT_FALSE(FileInFolder(folder, std::string(256, 'a')));
  EXPECT_TRUE(FileInFolder(folder, std::string(255, 'a')));
}

TEST(ReceivedNames, TheNickFolderIsOneNameBelowTheRoot) {
  TPreferences prefs;
  prefs.DCCRootDir = "/srv/dcc";
  prefs.ReceiveInNickFolder = true;
  struct Case {
    std::string nick;
    const char* folder;
  } cases[] = {
      {"alice", "/srv/dcc/alice"},
      {".", "/srv/dcc/_"},
      {"..", "/srv/dcc/_"},
      {"", "/srv/dcc/_"},
      {".hidden", "/srv/dcc/_hidden"},
      {"a/b", "/srv/dcc/a_b"},
      {"a\\b", "/srv/dcc/a_b"},
      {std::string("x\x01y\ny", 5), "/srv/dcc/x_y_y"},
      {Sjis("表示"), "/srv/dcc/表示"},
  };
  for (const Case& c : cases) EXPECT_EQ(ReceiveFolder(prefs, c.nick), fs::path(c.folder)) << c.nick;

  prefs.ReceiveInNickFolder = false;
  EXPECT_EQ(ReceiveFolder(prefs, "alice"), fs::path("/srv/dcc"));
  // A folder from a Windows profile, or none, gives way to the desktop.
  prefs.DCCRootDir = "C:\\Users\\u\\Desktop\\";
  EXPECT_EQ(ReceiveFolder(prefs, "alice"), DesktopFolder());
  prefs.DCCRootDir = "";
  prefs.ReceiveInNickFolder = true;
  EXPECT_EQ(ReceiveFolder(prefs, "..\\..\\x"), DesktopFolder() / "_._.._x");
  prefs.DCCRootDir = "\\srv\\dcc\\";
  EXPECT_EQ(ReceiveFolder(prefs, "bob"), fs::path("/srv/dcc/bob"));
}

}  // namespace
}  // namespace zeph
