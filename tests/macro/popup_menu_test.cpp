#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "support/settings_test_files.h"
#include "macro/popup_layout.h"
#include "macro/popup_menu.h"
#include "platform/sjis.h"
#include "support/temp_dir.h"

namespace zeph {
namespace {

using test::ReadBytes;
using test::WindowsText;
using test::WriteBytes;

// A popupmenu.lcf as the Windows client writes it, with a submenu, a
// separator, shortcut hints and a negative level.
const char* const kWindowsPopupFile =
    "0\tニックネーム変更(&N)...\\tAlt+N\tMenu\t\tNick\n"
    "0\t-\t\t\t\n"
    "0\t定型文(&F)\t\t\t\n"
    "1\tこんにちは\tSend\t%a\tこんにちは、皆さん\n"
    "1\t選択範囲を発言\tSend\t%a\t「%s」\n"
    "-1\tURLを開く\tOpenURL\tUTF-8\thttp://example.jp/?q=%s\n";

TEST(PopupMenuTest, WindowsFileRoundTripsByteForByte) {
  std::string bytes = WindowsText(kWindowsPopupFile);
  std::vector<TPopupItem> items = ParsePopupMenu(bytes);
  ASSERT_EQ(items.size(), 6u);
  EXPECT_EQ(items[0].caption, Sjis("ニックネーム変更(&N)...\\tAlt+N"));
  EXPECT_EQ(items[0].action, "Menu");
  EXPECT_EQ(items[0].info, "Nick");
  EXPECT_EQ(items[3].level, 1);
  EXPECT_EQ(items[3].target, "%a");
  EXPECT_EQ(items[5].level, -1);
  EXPECT_EQ(PopupMenuText(items), bytes);

  test::TTempDir dir;
  std::filesystem::path file = dir.Path() / "config" / "popupmenu.lcf";
  std::filesystem::create_directory(dir.Path() / "config");
  WriteBytes(file, bytes);
  TPopupMenu menu = LoadPopupMenu(file);
  ASSERT_EQ(menu.items.size(), 6u);
  EXPECT_EQ(menu.items[0].command_id, 45056);
  EXPECT_EQ(menu.items[5].command_id, 45061);
  WriteBytes(file, "stale");
  ASSERT_TRUE(SavePopupMenu(file, menu));
  EXPECT_EQ(ReadBytes(file), bytes);
}

TEST(PopupMenuTest, ReadingSkipsCommentsAndFillsMissingFields) {
  std::vector<TPopupItem> items = ParsePopupMenu("# mine\r\n\r\nx\tA\n2\tB\tSend\n1\tC\tRaw\t\tPING x\tmore\n");
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0], (TPopupItem{0, "A", "", "", ""}));
  EXPECT_EQ(items[1], (TPopupItem{2, "B", "Send", "", ""}));
  EXPECT_EQ(items[2], (TPopupItem{1, "C", "Raw", "", "PING x"}));
  EXPECT_EQ(PopupMenuText({TPopupItem{0, "tab\there", "Send", "a\r\nb", "c"}}), "0\ttab here\tSend\ta  b\tc\r\n");
}

TEST(PopupMenuTest, MissingFileGivesTheDefaultsAndSavingCreatesTheFolder) {
  test::TTempDir dir;
  std::filesystem::path file = dir.Path() / "config" / "popupmenu.lcf";
  TPopupMenu menu = LoadPopupMenu(file);
  EXPECT_EQ(menu.items.size(), 9u);
  std::vector<TPopupItem> defaults = DefaultPopupItems();
  ASSERT_EQ(defaults.size(), 9u);
  EXPECT_EQ(defaults[0], (TPopupItem{0, Sjis("ニックネーム変更(&N)...\\tAlt+N"), "Menu", "", "Nick"}));
  EXPECT_EQ(defaults[2], (TPopupItem{0, "-", "", "", ""}));
  EXPECT_EQ(defaults[3], (TPopupItem{0, Sjis("選択範囲をトピックにする(&S)"), "Topic", "%a", "%s"}));
  EXPECT_EQ(defaults[4].caption, Sjis("選択範囲をGoogleで検索(&G)"));
  EXPECT_EQ(defaults[4].action, "OpenURL");
  EXPECT_EQ(defaults[4].target, "UTF-8");
  EXPECT_EQ(defaults[4].info, std::string(kWebSearchEndpoint) + "/search?hl=ja&lr=lang_ja&ie=utf-8&q=%s");
  EXPECT_EQ(defaults[8], (TPopupItem{0, Sjis("すべて選択(&A)"), "Menu", "", "SelectAll"}));
  for (size_t i = 0; i < menu.items.size(); ++i) {
    EXPECT_EQ(menu.items[i].command_id, kPopupCommandBase + static_cast<int>(i));
    menu.items[i].command_id = 0;
  }
  EXPECT_EQ(menu.items, defaults);

  ASSERT_TRUE(SavePopupMenu(file, menu));
  struct stat info {};
  ASSERT_EQ(stat(file.parent_path().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);  // the configuration folder holds passwords
  EXPECT_EQ(ParsePopupMenu(ReadBytes(file)), defaults);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(file.parent_path()), {}), 1);

  WriteBytes(file, "");
  EXPECT_TRUE(LoadPopupMenu(file).items.empty());  // a file without items is the user's empty menu
}

TEST(PopupMenuTest, OldWebSearchItemsMoveToUtf8) {
  std::string host(kWebSearchEndpoint.substr(kWebSearchEndpoint.find("://") + 3));
  std::string old_info = "http://" + host + "/search?hl=ja&ie=Shift_JIS&q=%s";
  std::string new_info = "http://" + host + "/search?hl=ja&ie=utf-8&q=%s";
  struct Case {
    TPopupItem item;
    std::string target;
    std::string info;
  };
  const Case cases[] = {
      {{0, "G", "OpenURL", "", old_info}, "UTF-8", new_info},
      {{0, "G", "openurl", "", "https://" + host + "/search?q=%s&ie=Shift_JIS"}, "UTF-8",
       "https://" + host + "/search?q=%s&ie=utf-8"},
      {{0, "G", "OpenURL", "SJIS", old_info}, "SJIS", new_info},  // a chosen target stays
      {{0, "G", "OpenURL", "", "http://" + host + "/search?q=%s"}, "", "http://" + host + "/search?q=%s"},
      {{0, "G", "OpenURL", "", "http://other.example/search?ie=Shift_JIS"}, "", "http://other.example/search?ie=Shift_JIS"},
      {{0, "G", "Send", "", old_info}, "", old_info},
  };
  test::TTempDir dir;
  for (const Case& c : cases) {
    WriteBytes(dir.Path() / "popupmenu.lcf", PopupMenuText({c.item}));
    TPopupMenu menu = LoadPopupMenu(dir.Path() / "popupmenu.lcf");
    ASSERT_EQ(menu.items.size(), 1u);
    EXPECT_EQ(menu.items[0].target, c.target) << c.item.info;
    EXPECT_EQ(menu.items[0].info, c.info) << c.item.info;
  }
}

std::vector<TPopupItem> Levels(std::initializer_list<int> levels) {
  std::vector<TPopupItem> items;
  for (int level : levels) items.push_back({level, "item" + std::to_string(items.size()), "Send", "%a", "x"});
  return items;
}

// The menu's shape as text: captions, submenus in brackets.
std::string Shape(const std::vector<TPopupEntry>& entries) {
  std::string shape;
  for (const TPopupEntry& entry : entries) {
    if (!shape.empty()) shape += ' ';
    shape += entry.kind == TPopupEntry::TKind::Separator ? "-" : entry.caption;
    if (entry.kind == TPopupEntry::TKind::Submenu) shape += "[" + Shape(entry.children) + "]";
  }
  return shape;
}

TEST(PopupLayoutTest, LevelsMakeSubmenus) {
  struct Case {
    std::vector<TPopupItem> items;
    std::string shape;
  };
  const Case cases[] = {
      {Levels({0, 1, 1, 0}), "item0[item1 item2] item3"},
      {Levels({0, 5, -3}), "item0[item1] item2"},  // 5 counts as 2, -3 as 0
      {Levels({0, 2, 1, 2}), "item0[item1 item2[item3]]"},
      {Levels({0, 1, 0, 1}), "item0[item1] item2[item3]"},
      {Levels({1, 2, 0, 2}), "item0[item1] item2[item3]"},
      {Levels({1, 1}), "item0 item1"},
      {Levels({}), ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Shape(BuildPopupMenu({c.items})), c.shape);
}

TEST(PopupLayoutTest, EntriesOfEachKind) {
  TPopupMenu menu{ParsePopupMenu(WindowsText(
      "0\tNick\\tAlt+N\tMenu\t\tNICK\n"
      "0\t-\t\t\t\n"
      "0\tGone\tmenu\t\tno-such-command\n"
      "0\tTopic\tTopic\t%a\t%s\n"))};
  AssignCommandIds(&menu);
  std::vector<TPopupEntry> entries = BuildPopupMenu(menu);
  ASSERT_EQ(entries.size(), 3u);  // the unknown command is left out
  EXPECT_EQ(entries[0].kind, TPopupEntry::TKind::Command);
  EXPECT_EQ(entries[0].command, TMainCommand::Nick);
  EXPECT_EQ(entries[0].caption, "Nick\tAlt+N");
  EXPECT_EQ(entries[1].kind, TPopupEntry::TKind::Separator);
  EXPECT_EQ(entries[2].kind, TPopupEntry::TKind::Item);
  EXPECT_EQ(entries[2].item, 3u);
  EXPECT_EQ(entries[2].command_id, 45059);
}

TEST(PopupLayoutTest, Enabling) {
  const TPopupItem web_search = DefaultPopupItems()[4];
  const TPopupItem nick_dialog = DefaultPopupItems()[0];
  const TPopupItem send{0, "hi", "SEND", "%a", "hello"};
  const TPopupItem literal{0, "pct", "Print", "", "100%%s"};
  const TPopupItem selected_target{0, "t", "Print", "%s", "x"};
  struct Case {
    TPopupItem item;
    TPopupState state;
    bool enabled;
  };
  const Case cases[] = {
      {nick_dialog, {false, true, true}, false},  // no unit selected
      {nick_dialog, {true, false, false}, true},
      {web_search, {true, false, true}, false},  // no text selected
      {web_search, {true, true, false}, true},   // opening a page needs no server
      {selected_target, {true, false, true}, false},
      {literal, {true, false, false}, true},
      {send, {true, false, false}, false},  // not logged in
      {send, {true, false, true}, true},
  };
  for (const Case& c : cases) EXPECT_EQ(IsPopupItemEnabled(c.item, c.state), c.enabled) << c.item.caption;
}

}  // namespace
}  // namespace zeph
