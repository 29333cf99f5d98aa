#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "support/settings_test_files.h"
#include "macro/macro_file.h"
#include "macro/macro_item.h"
#include "platform/sjis.h"
#include "support/temp_dir.h"

namespace zeph {
namespace {

using test::ReadBytes;
using test::WindowsText;
using test::WriteBytes;

// A macro file as the Windows client writes it: a greeting on join, a
// keyword answer limited to operators, an item switched off, a list file,
// a stop flag and a raw line with Japanese text in every kind of field.
const char* const kWindowsMacroFile =
    "0\t\t\t$NOT%me|*\tJOIN\t#雑談|#japan\t\t1\t0\tSend\t%c\tようこそ %n さん\t0\n"
    "0\t\t\t%g1|%g2\tprivmsg|notice\t\t*こんにちは*\t0\t2\tSend\t%f\tこんにちは、%n さん\t1\n"
    "1\t\t\t*!*@*.example.jp\tKICK\t*\t$LIST(ng.txt)\t4\t0\tPrint\t%c\t%n が蹴られました：%m\t0\n"
    "0\t\t\t%me\tDCCCHATMES\t\t\t3\t1\tRaw\t\tPRIVMSG %c :離席中です\t0\n";

TMacroItem Item(std::string user, std::string command, std::string message) {
  TMacroItem item;
  item.user_pattern = std::move(user);
  item.command_pattern = std::move(command);
  item.message_pattern = std::move(message);
  return item;
}

TEST(MacroFileTest, WindowsFileRoundTripsByteForByte) {
  std::string bytes = WindowsText(kWindowsMacroFile);
  std::vector<TMacroItem> items = ParseMacroFile(bytes);
  ASSERT_EQ(items.size(), 4u);
  EXPECT_FALSE(items[0].disabled);
  EXPECT_EQ(items[0].user_pattern, "$NOT%me|*");
  EXPECT_EQ(items[0].channel_pattern, Sjis("#雑談|#japan"));
  EXPECT_EQ(items[0].self_condition, kConditionOperator);
  EXPECT_EQ(items[0].info, Sjis("ようこそ %n さん"));
  EXPECT_EQ(items[1].sender_condition, kConditionNotOperator);
  EXPECT_TRUE(items[1].stop);
  EXPECT_TRUE(items[2].disabled);
  EXPECT_EQ(items[2].message_pattern, "$LIST(ng.txt)");
  EXPECT_EQ(items[3].action, "Raw");
  EXPECT_EQ(items[3].target, "");
  EXPECT_EQ(MacroFileText(items), bytes);

  test::TTempDir dir;
  WriteBytes(dir.Path() / "greeting.lmf", bytes);
  TMacroFile file;
  ASSERT_EQ(LoadMacroFile(dir.Path(), "greeting", &file), TMacroFileLoad::Loaded);
  EXPECT_EQ(file.name, "greeting");
  EXPECT_EQ(file.items, items);
  file.name = "copy";
  ASSERT_TRUE(SaveMacroFile(dir.Path(), file));
  EXPECT_EQ(ReadBytes(dir.Path() / "copy.lmf"), bytes);
}

TEST(MacroFileTest, ReadsWhatItCanOfDamagedLines) {
  TMacroItem full = Item("u", "c", "m");
  full.channel_pattern = "ch";
  full.action = "a";
  full.target = "t";
  full.info = "i";
  TMacroItem disabled;
  disabled.disabled = true;
  TMacroItem conditions;
  conditions.self_condition = 3;
  conditions.sender_condition = -2;
  conditions.stop = true;
  TMacroItem only_user;
  only_user.user_pattern = "nick*";
  struct Case {
    std::string line;
    TMacroItem item;
  };
  const Case cases[] = {
      {"0\t\t\tu\tc\tch\tm\t0\t0\ta\tt\ti\t0\textra\tfields", full},
      {"0\tres\terved\tu\tc\tch\tm\t0\t0\ta\tt\ti\t0", full},  // reserved fields are ignored
      {"7", disabled},                                          // any non-zero integer disables
      {"0\t\t\t\t\t\t\t3x\t-2\t\t\t\t9", conditions},           // digits up to the first other byte
      {"x\t\t\tnick*", only_user},                              // missing fields are empty, no digits 0
      {"\t\t\t\t\t\t\tabc\t\t\t\t\t", TMacroItem()},
  };
  for (const Case& c : cases) {
    std::vector<TMacroItem> items = ParseMacroFile(c.line);
    ASSERT_EQ(items.size(), 1u) << c.line;
    EXPECT_EQ(items[0], c.item) << c.line;
  }
}

TEST(MacroFileTest, SkipsCommentsAndEmptyLinesWithAnyLineEnd) {
  std::string line = "0\t\t\t\tJOIN\t\t\t0\t0\tSend\t%c\thi\t0";
  for (std::string_view end : {"\r\n", "\r", "\n"}) {
    std::string bytes = "# greeting" + std::string(end) + std::string(end) + line + std::string(end) + line;
    std::vector<TMacroItem> items = ParseMacroFile(bytes);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[1].command_pattern, "JOIN");
    EXPECT_EQ(MacroFileText(items), line + "\r\n" + line + "\r\n");
  }
}

TEST(MacroFileTest, FieldSeparatorsInsideFieldsCannotShiftTheFields) {
  TMacroItem item = Item("a\tb", "JOIN", "c\r\nd");
  item.info = "line1\nline2";
  std::vector<TMacroItem> back = ParseMacroFile(MacroFileText({item}));
  ASSERT_EQ(back.size(), 1u);
  EXPECT_EQ(back[0].user_pattern, "a b");
  EXPECT_EQ(back[0].command_pattern, "JOIN");
  EXPECT_EQ(back[0].message_pattern, "c  d");
  EXPECT_EQ(back[0].info, "line1 line2");
}

TEST(MacroFileTest, LoadTellsAMissingFileFromAnUnreadableOne) {
  test::TTempDir dir;
  TMacroFile file;
  EXPECT_EQ(LoadMacroFile(dir.Path(), "gone", &file), TMacroFileLoad::Missing);
  for (const char* name : {"", ".", "..", "../outside", "a/b", "a\\b", "c:x", "bad\nname"})
    EXPECT_EQ(LoadMacroFile(dir.Path(), name, &file), TMacroFileLoad::Missing) << name;

  WriteBytes(dir.Path() / "locked.lmf", "0\t\t\t\tJOIN\n");
  chmod((dir.Path() / "locked.lmf").c_str(), 0);
  if (geteuid() != 0) {  // root reads every file
    EXPECT_EQ(LoadMacroFile(dir.Path(), "locked", &file), TMacroFileLoad::Unreadable);
  }
  chmod((dir.Path() / "locked.lmf").c_str(), 0644);
}

TEST(MacroFileTest, JapaneseNamesAreFileSystemNames) {
  test::TTempDir dir;
  TMacroFile file{Sjis("挨拶"), {Item("", "JOIN", "")}};
  ASSERT_TRUE(SaveMacroFile(dir.Path() / "macro", file));
  EXPECT_TRUE(std::filesystem::exists(dir.Path() / "macro" / "挨拶.lmf"));
  TMacroFile back;
  ASSERT_EQ(LoadMacroFile(dir.Path() / "macro", Sjis("挨拶"), &back), TMacroFileLoad::Loaded);
  EXPECT_EQ(back, file);
}

TEST(MacroFileTest, SaveReplacesTheWholeFileAndRefusesUnusableNames) {
  test::TTempDir dir;
  WriteBytes(dir.Path() / "long.lmf", std::string(4096, 'x'));
  TMacroFile file{"long", {Item("", "PART", "")}};
  ASSERT_TRUE(SaveMacroFile(dir.Path(), file));
  EXPECT_EQ(ReadBytes(dir.Path() / "long.lmf"), "0\t\t\t\tPART\t\t\t0\t0\t\t\t\t0\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);  // no temporary file left

  file.name = "";
  EXPECT_FALSE(SaveMacroFile(dir.Path(), file));
  file.name = "../escape";
  EXPECT_FALSE(SaveMacroFile(dir.Path() / "sub", file));
  EXPECT_FALSE(std::filesystem::exists(dir.Path() / "escape.lmf"));
}

TEST(MacroFileTest, EditorLabels) {
  const std::pair<int, std::string> cases[] = {{0, ""}, {1, "+o"}, {2, "-o"}, {3, "+a"}, {4, "-a"}, {5, ""}, {-1, ""}};
  for (const auto& [condition, label] : cases) EXPECT_EQ(ConditionLabel(condition), label) << condition;
  EXPECT_EQ(StopLabel(true), Sjis("○"));
  EXPECT_EQ(StopLabel(false), "");
}

}  // namespace
}  // namespace zeph
