#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "settings/counted_list.h"
#include "settings/ini_file.h"
#include "platform/sjis.h"
#include "support/settings_test_files.h"
#include "support/temp_dir.h"

namespace zeph {
namespace {

TIniFile Parsed(std::string_view bytes, bool strip_quotes = false) {
  TIniFile ini(strip_quotes);
  ini.LoadText(bytes);
  return ini;
}

TEST(SettingsIniFileTest, SectionsAndKeysAreTakenByteForByte) {
  TIniFile ini = Parsed(
      "top=1\r\n"
      "[Main\r\n"          // no closing bracket
      "a=b=c\r\n"
      " k = v \r\n"        // blanks belong to key and value
      ";c=comment\r\n"     // no comment syntax: a key like any other
      "no equals sign\r\n"
      "[main]\r\n"
      "a=lower\r\n"
      "[ spaced ]\r\n"
      "x=1\r\n"
      "[]\r\n"
      "late=2\r\n"
      "[Main]\r\n"
      "again=3\r\n");
  ini.SetSection("");
  EXPECT_EQ(ini.ReadString("top", "-"), "1");
  EXPECT_EQ(ini.ReadString("late", "-"), "2");  // [] is the empty name again
  ini.SetSection("Main");
  EXPECT_EQ(ini.ReadString("a", "-"), "b=c");
  EXPECT_EQ(ini.ReadString(" k ", "-"), " v ");
  EXPECT_EQ(ini.ReadString("k", "-"), "-");
  EXPECT_EQ(ini.ReadString(";c", "-"), "comment");
  EXPECT_EQ(ini.ReadString("again", "-"), "3");  // a repeated header adds to the section
  ini.SetSection("main");
  EXPECT_EQ(ini.ReadString("a", "-"), "lower");
  EXPECT_EQ(ini.ReadString("A", "-"), "-");
  ini.SetSection(" spaced ");
  EXPECT_EQ(ini.ReadString("x", "-"), "1");
  EXPECT_TRUE(ini.HasSection("Main"));
  EXPECT_FALSE(ini.HasSection("MAIN"));
}

TEST(SettingsIniFileTest, HeaderAloneCreatesNoSectionAndLastKeyWins) {
  TIniFile ini = Parsed("[Empty]\n[Keys]\nPort=1\nPort=2\n");
  EXPECT_FALSE(ini.HasSection("Empty"));
  ini.SetSection("Keys");
  EXPECT_EQ(ini.ReadInteger("Port", 0), 2);
}

TEST(SettingsIniFileTest, ClosingBracketMustBeAWholeCharacter) {
  // 0x83 0x5D is one double-byte character whose second byte looks like "]".
  std::string name = Sjis("ゾ");
  ASSERT_EQ(name, "\x83\x5D");
  TIniFile ini = Parsed("[" + name + "]\nk=closed\n[" + name + "\nk=open\n");
  ini.SetSection(name);
  EXPECT_EQ(ini.ReadString("k", "-"), "open");  // both headers name the same section
}

TEST(SettingsIniFileTest, LineEndsDoNotChangeTheResult) {
  for (const char* eol : {"\r\n", "\r", "\n"}) {
    std::string text = std::string("[S]") + eol + "a=1" + eol + eol + "b=2" + eol;
    TIniFile ini = Parsed(text);
    ini.SetSection("S");
    EXPECT_EQ(ini.ReadString("a", "-"), "1");
    EXPECT_EQ(ini.ReadString("b", "-"), "2");
  }
}

TEST(SettingsIniFileTest, TypedReads) {
  struct Case {
    const char* value;  // nullptr: key missing
    int integer;        // with default 5
    bool boolean;       // with default true
    unsigned hex;       // with default 0x123
  };
  const Case cases[] = {
      {nullptr, 5, true, 0x123},
      {"*****DEFAULT*****", 5, true, 0x123},
      {"", 0, true, 0},
      {"6667x", 6667, true, 0x6667},
      {"  -42", -42, true, 0},
      {"+7", 7, true, 0},
      {"99999999999", INT_MAX, true, UINT_MAX},
      {"-99999999999", INT_MIN, true, 0},
      {"true", 0, true, 0},
      {"false", 0, false, 0xfa},
      {"1", 1, true, 1},
      {"0", 0, false, 0},
      {"TRUE", 0, true, 0},
      {"yes", 0, true, 0},
      {"0x00ff00", 0, true, 0xff00},
      {"0X0A", 0, true, 0x0a},
      {" ff0000", 0, true, 0xff0000},
      {"0x", 0, true, 0},
  };
  for (const Case& c : cases) {
    TIniFile ini = Parsed(c.value ? std::string("[S]\nk=") + c.value + "\n" : "[S]\n");
    ini.SetSection("S");
    SCOPED_TRACE(c.value ? c.value : "(missing)");
    EXPECT_EQ(ini.ReadInteger("k", 5), c.integer);
    EXPECT_EQ(ini.ReadBool("k", true), c.boolean);
    EXPECT_EQ(ini.ReadHex("k", 0x123), c.hex);
  }
  TIniFile marker = Parsed("k=*****DEFAULT*****\n");
  EXPECT_EQ(marker.ReadString("k", "d"), "*****DEFAULT*****");
  EXPECT_FALSE(Parsed("k=yes\n").ReadBool("k", false));
}

TEST(SettingsIniFileTest, StripQuotesRemovesOneEnclosingPair) {
  TIniFile ini = Parsed("a=\"text\"\nb=\"\"\"\"\nc=\"\nd=\"5\"\ne=x\"y\"\n", true);
  EXPECT_EQ(ini.ReadString("a", "-"), "text");
  EXPECT_EQ(ini.ReadString("b", "-"), "\"\"");
  EXPECT_EQ(ini.ReadString("c", "-"), "\"");
  EXPECT_EQ(ini.ReadInteger("d", 0), 5);
  EXPECT_EQ(ini.ReadString("e", "-"), "x\"y\"");
  EXPECT_EQ(Parsed("a=\"text\"\n").ReadString("a", "-"), "\"text\"");  // current files keep them
}

TEST(SettingsIniFileTest, CountsReadTheEntriesTheFileHolds) {
  std::string long_list = "n.Count=1500\n";
  for (int i = 0; i < 1500; ++i) long_list += IndexedName("n.", i) + ".Mask=m" + std::to_string(i) + "\n";
  struct Case {
    std::string text;
    int length;
  };
  const Case cases[] = {
      {"n.Count=2147483647\nn.00.Mask=a\n", 1},  // an absurd count invents nothing
      {"n.Count=-3\nn.00.Mask=a\n", 0},
      {"", 0},
      {"n.Count=3\nn.00.Mask=a\nn.02.Mask=c\n", 3},       // a gap inside the list counts
      {"n.Count=5\nn.00.Mask=a\nn.01.Mask=b\n", 2},       // a missing entry ends it
      {"n.Count=2\nn.1.Mask=a\nn.01.MaskX=b\n", 0},       // not the keys the list writes
      {"n.Count=2\nn.05.Mask=a\nn.00.Mask=b\n", 1},       // beyond the count
      {"n.Count=2147483647\nn.00.Mask=a\nn.999999999.Mask=b\n", 1},  // a stray index far away
      {long_list, 1500},                                  // no count is too long
  };
  for (const Case& c : cases) EXPECT_EQ(CountedKeys(Parsed(c.text), TListKeys::Named("n", ".Mask")), c.length) << c.text;

  TIniFile ini = Parsed("c.Count=9\nc.00.Name=a\nc.03.Topic=t\nc.030=x\n[u.00]\nk=v\n[u.02]\nk=v\n[u.02x]\nk=v\n");
  EXPECT_EQ(CountedKeys(ini, TListKeys::Named("c", ".")), 4);  // any field of an entry counts
  ini.SetSection("");
  EXPECT_EQ(CountedSections(Parsed("u.Count=9\n[u.00]\nk=v\n[u.02]\nk=v\n[u.04x]\nk=v\n"),
                            TListKeys::Named("u", "")),
            3);
}

TEST(SettingsIniFileTest, CountedListDropsEmptyEntries) {
  TIniFile ini = Parsed(
      "AutoOp.Count=4\nAutoOp.00.Mask=a!*@*\nAutoOp.02.Mask=c!*@*\nAutoOp.03.Mask=\n"
      "Self.Count=2\nSelf.0.Mask=me\nSelf.1.Mask=also\n");
  EXPECT_EQ(ReadTextList(ini, TListKeys::Named("AutoOp", ".Mask")), (std::vector<std::string>{"a!*@*", "c!*@*"}));
  EXPECT_EQ(ReadTextList(ini, TListKeys{"Self.Count", "Self.", ".Mask", true}),
            (std::vector<std::string>{"me", "also"}));
  EXPECT_EQ(IndexedName("Unit.", 7), "Unit.07");
  EXPECT_EQ(IndexedName("Unit.", 123), "Unit.123");
}

TEST(SettingsIniFileTest, LoadAddsAFileAndReportsAMissingOne) {
  test::TTempDir dir;
  test::WriteBytes(dir.File("a.ini"), "[S]\r\na=1\r\nb=1\r\n");
  test::WriteBytes(dir.File("b.ini"), "[S]\r\nb=2\r\n");
  TIniFile ini;
  EXPECT_TRUE(ini.Load(dir.File("a.ini")));
  EXPECT_TRUE(ini.Load(dir.File("b.ini")));
  EXPECT_FALSE(ini.Load(dir.File("missing.ini")));
  ini.SetSection("S");
  EXPECT_EQ(ini.ReadString("a", "-"), "1");
  EXPECT_EQ(ini.ReadString("b", "-"), "2");
}

}  // namespace
}  // namespace zeph
