// The macro and popup editors, driven offscreen.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTableView>

#include "display/message_format.h"
#include "engine/world.h"
#include "macro/macros.h"
#include "macro/widgets/macro_file_editor.h"
#include "macro/widgets/macro_item_dialog.h"
#include "macro/widgets/macro_item_model.h"
#include "macro/widgets/macro_settings_window.h"
#include "macro/widgets/popup_menu_editor.h"
#include "platform/poll_loop.h"
#include "platform/qt/qt_text.h"
#include "platform/sjis.h"
#include "support/settings_test_files.h"
#include "support/temp_dir.h"

namespace zeph {
namespace {

TMacroItem Named(const std::string& action, const std::string& info) {
  TMacroItem item;
  item.command_pattern = "PRIVMSG";
  item.action = action;
  item.info = info;
  return item;
}

TEST(MacroFileEditorTest, ItemsAreEditedInTenColumnsAndSavedOnOk) {
  test::TTempDir folder;
  TMacroFile file{"f", {Named("send", "one"), Named("print", "two")}};
  ASSERT_TRUE(SaveMacroFile(folder.Path(), file));
  ASSERT_TRUE(SaveMacroFile(folder.Path(), TMacroFile{"other", {Named("raw", "three")}}));
  TMacroFileEditor editor(folder.Path(), file);
  bool saved = false;
  editor.on_saved = [&] { saved = true; };
  TMacroItemModel& model = editor.Model();
  ASSERT_EQ(model.columnCount(), 10);
  EXPECT_EQ(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QString::fromUtf8("ユーザ"));
  EXPECT_EQ(model.headerData(9, Qt::Horizontal, Qt::DisplayRole).toString(), QString::fromUtf8("停止"));
  EXPECT_EQ(model.data(model.index(0, 6), Qt::DisplayRole).toString(), "send");

  editor.View().selectRow(0);
  editor.CopyItem();   // one, one, two; the copy is current
  editor.MoveItem(1);  // one, two, one
  editor.View().selectRow(1);
  editor.DeleteItem();  // one, one
  ASSERT_TRUE(editor.InsertFile("other"));  // before the current row
  model.setData(model.index(0, 0), Qt::Unchecked, Qt::CheckStateRole);
  editor.accept();
  EXPECT_TRUE(saved);

  TMacroFile written;
  ASSERT_EQ(LoadMacroFile(folder.Path(), "f", &written), TMacroFileLoad::Loaded);
  std::vector<std::string> infos;
  for (const TMacroItem& item : written.items) infos.push_back(item.info + (item.disabled ? " off" : ""));
  EXPECT_EQ(infos, (std::vector<std::string>{"one off", "three", "one"}));
}

TEST(MacroItemDialogTest, FieldsOpenOnlyWhereTheyMatter) {
  TMacroItem item = Named("send", "hello");
  item.target = "%f";
  item.self_condition = 3;
  item.stop = true;
  TMacroItemDialog dialog(item);
  EXPECT_TRUE(dialog.ChannelField()->isEnabled());
  EXPECT_TRUE(dialog.TargetField()->isEnabled());
  dialog.CommandField()->setEditText("Nick");
  dialog.ActionField()->setEditText("Raw");
  EXPECT_FALSE(dialog.ChannelField()->isEnabled());
  EXPECT_FALSE(dialog.TargetField()->isEnabled());
  dialog.CommandField()->setEditText("PRIVMSG");
  dialog.ActionField()->setEditText("send");
  EXPECT_EQ(dialog.Item(), item);
}

TEST(PopupMenuEditorTest, LevelsDefaultsAndSave) {
  test::TTempDir folder;
  std::filesystem::path file = folder.Path() / "config" / "popupmenu.lcf";
  TPopupMenu menu{{TPopupItem{.caption = "a", .action = "Send"}, TPopupItem{.caption = "b", .action = "Raw"}}};
  TPopupMenuEditor editor(file, menu);
  editor.View().selectRow(1);
  for (int i = 0; i < 4; ++i) editor.ChangeLevel(1);
  EXPECT_EQ(editor.Model().Item(1).level, kPopupMaxLevel);
  editor.View().selectRow(0);
  editor.ChangeLevel(-1);
  EXPECT_EQ(editor.Model().Item(0).level, 0);
  editor.AddDefaults();
  EXPECT_EQ(editor.Model().rowCount(), 2 + static_cast<int>(DefaultPopupItems().size()));
  editor.accept();

  TPopupMenu written = LoadPopupMenu(file);
  ASSERT_EQ(written.items.size(), 2 + DefaultPopupItems().size());
  EXPECT_EQ(written.items[1].level, 2);
  EXPECT_EQ(written.items[2].command_id, kPopupCommandBase + 2);
  EXPECT_EQ(editor.Menu(), written);
}

TEST(EditorLayoutTest, EditorsOpenWithTheKeptSizesAndColumns) {
  test::TTempDir folder;
  TEditorLayout layout = DefaultPopupEditorLayout();
  layout.columns[1] = 222;
  TPopupMenuEditor popup(folder.Path() / "popupmenu.lcf", TPopupMenu{}, layout);
  EXPECT_EQ(popup.Layout(), layout);
  TMacroFileEditor macro(folder.Path(), TMacroFile{"f", {}});
  EXPECT_EQ(macro.Layout(), DefaultMacroEditorLayout());
}

TEST(MacroSettingsWindowTest, CheckBoxesBindFilesToServers) {
  test::TTempDir home;
  TPollLoop loop;
  TPreferences prefs;
  prefs.LogRootDir.clear();
  TMessageFormat formats;
  TWorld world(loop, prefs, formats);
  TWorldConfig tree;
  tree.units.resize(2);
  tree.units[0].name = "one";
  tree.units[1].name = "two";
  world.LoadUnits(tree);
  TMacros macros(world, TMacroFolders{home.Path() / "macro", home.Path() / "file", home.Path() / "sound"});
  ASSERT_TRUE(macros.CreateFile("greet"));
  ASSERT_TRUE(macros.CreateFile(Sjis("挨拶")));

  TMacroSettingsWindow window(macros);
  TMacroBindingModel& model = window.Model();
  ASSERT_EQ(model.rowCount(), 2);
  ASSERT_EQ(model.columnCount(), 3);
  EXPECT_EQ(model.headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), "two");
  EXPECT_EQ(model.data(model.index(0, 0), Qt::DisplayRole).toString(), "greet");
  EXPECT_EQ(model.data(model.index(1, 0), Qt::DisplayRole).toString(), QString::fromUtf8("挨拶"));
  model.setData(model.index(0, 2), Qt::Checked, Qt::CheckStateRole);
  EXPECT_EQ(world.FindUnit("two")->Config().macro_files, (std::vector<std::string>{"greet"}));
  EXPECT_EQ(model.data(model.index(0, 2), Qt::CheckStateRole).toInt(), Qt::Checked);
  EXPECT_EQ(model.data(model.index(0, 1), Qt::CheckStateRole).toInt(), Qt::Unchecked);
  model.setData(model.index(0, 2), Qt::Unchecked, Qt::CheckStateRole);
  EXPECT_TRUE(world.FindUnit("two")->Config().macro_files.empty());
}

}  // namespace
}  // namespace zeph
