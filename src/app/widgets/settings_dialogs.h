#pragma once

#include <functional>
#include <string>

#include <QString>

#include "app/main_commands.h"

class QWidget;

namespace zeph {

class TApplication;
class TUnit;
struct TPreferences;

// The dialogs of the main window's menus. Each keeps the ids of the unit
// and channel it edits and looks them up again when OK is pressed: a unit
// or channel deleted meanwhile makes OK do nothing.

// "ニックネームの変更": the new nick, offered from the stored nick list.
QString RunNickDialog(QWidget* parent, TUnit& unit, TPreferences& prefs, bool* ok);
// "サーバのプロパティ" for a unit, "サーバを追加" with kNoNode.
void RunServerPropertySheet(QWidget* parent, TApplication& app, TNodeId unit);
// "チャンネルの設定" for a channel entry, a new one with kNoNode.
void RunChannelDialog(QWidget* parent, TWorld& world, TNodeId unit, TNodeId channel);

enum class TMaskList { kWorldAutoOp, kServerAutoOp, kChannelAutoOp, kIgnore };
void RunMaskEditor(QWidget* parent, TApplication& app, TMaskList list);
void RunGroupEditor(QWidget* parent, TApplication& app);
// Servers and channels reordered by dragging or with ↑ and ↓.
void RunTreeEditor(QWidget* parent, TApplication& app);
// What "設定" asks of the program around it. The choosers return the
// chosen path, empty when the user cancelled; left empty, the platform's
// file dialogs ask.
struct TSettingsServices {
  // The new look reaches the open windows.
  std::function<void()> view_applied;
  std::function<void(const std::string& file)> play_sound;
  std::function<QString(QWidget* parent, const QString& current)> choose_sound_file;
  std::function<QString(QWidget* parent, const QString& current)> choose_folder;
};

// "設定": the pages of the preferences, the message formats and the look.
// True when the user pressed OK (the preferences were saved and applied).
bool RunSettingsDialog(QWidget* parent, TApplication& app, TSettingsServices services = {});

}  // namespace zeph
