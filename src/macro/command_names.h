#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

// The main window's commands by name: popup-menu items of the kind "Menu"
// and the macro action "menu" name a command, and the main window runs it
// for the selected unit.
namespace zeph {

// Every command a name can run, in the order of the main window's menus.
enum class TMainCommand {
  // menu "メイン(&M)"
  Dcc,
  KeywordHistory,
  UrlHistory,
  StopMacro,
  Minimize,
  // menu "サーバ(&S)"
  Connect,
  ConnectCancel,
  Quit,
  Disconnect,
  Nick,
  Away,
  SetAwayMessage,
  Talk,
  List,
  AddServer,
  CopyServer,
  DeleteServer,
  AddChannel,
  Protocol,
  ServerOperatorList,
  ServerProperty,
  // menu "チャンネル(&C)"
  Join,
  QuickPart,
  Part,
  Mode,
  Topic,
  Invite,
  BanList,
  BanExceptionList,
  InviteList,
  ReopList,
  Member,
  ResetMember,
  DeleteChannel,
  ChannelOperatorList,
  ChannelProperty,
  // menu "編集(&E)"
  Copy,
  Paste,
  SelectAll,  // no menu item: selects all text of the focused log or input line
  MyAddress,
  SendMultiLine,
  ColorEffect,
  BoldEffect,
  ReverseEffect,
  UnderlineEffect,
  StopEffect,
  Find,
  FindForward,
  FindBackward,
  SaveLog,
  ClearLog,
  // menu "設定(&O)"
  Setup,
  OperatorList,
  Group,
  Ignore,
  Tree,
  Macro,
  PopupMenu,
  Toolbar,
  MainMenu,
  Topmost,
  TrayIcon,
  // no menu item
  Whois,       // asks for a mask and requests WHOIS
  SendAction,  // asks for a text and sends it as an action
};

struct TMainCommandInfo {
  TMainCommand command;
  std::string_view menu_text;  // UTF-8; empty for the commands without a menu item
  std::string_view name;       // the name the editors offer, in mixed case
};

// Every command with its menu item and its offered name, in menu order.
std::span<const TMainCommandInfo> MainCommands();
const TMainCommandInfo& MainCommandInfo(TMainCommand command);

// The command a name runs, the name in any letter case ("Nick", "NICK").
// Several names may run one command (`dcc` and `dccsend`).
std::optional<TMainCommand> LookupCommand(std::string_view name);

}  // namespace zeph
