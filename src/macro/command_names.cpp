#include "macro/command_names.h"

#include "platform/sjis.h"

namespace zeph {
namespace {

using C = TMainCommand;

constexpr TMainCommandInfo kCommands[] = {
    {C::Dcc, "DCCファイル送受信(&D)...", "Dcc"},
    {C::KeywordHistory, "キーワード履歴(&K)...", "KeywordHistory"},
    {C::UrlHistory, "URL履歴(&U)...", "URLHistory"},
    {C::StopMacro, "全マクロを停止(&S)", "StopMacro"},
    {C::Minimize, "最小化(&M)", "Minimize"},
    {C::Connect, "接続(&C)", "Connect"},
    {C::ConnectCancel, "切断(&D)", "ConnectCancel"},
    {C::Quit, "メッセージを入力して切断(&Q)...", "Quit"},
    {C::Disconnect, "強制切断(&F)", "Disconnect"},
    {C::Nick, "ニックネーム変更(&N)...", "Nick"},
    {C::Away, "離席状態を変更(&A)", "Away"},
    {C::SetAwayMessage, "離席メッセージを設定(&M)...", "SetAwayMessage"},
    {C::Talk, "トーク(&T)...", "Talk"},
    {C::List, "チャンネル一覧(&L)...", "List"},
    {C::AddServer, "サーバを追加(&S)...", "AddServer"},
    {C::CopyServer, "サーバをコピー(&Y)", "CopyServer"},
    {C::DeleteServer, "サーバを削除(&E)...", "DeleteServer"},
    {C::AddChannel, "チャンネルを追加(&H)...", "AddChannel"},
    {C::Protocol, "プロトコルログ(&P)...", "Protocol"},
    {C::ServerOperatorList, "自動オペレータの設定(&O)...", "ServerOperatorList"},
    {C::ServerProperty, "サーバのプロパティ(&R)...", "ServerProperty"},
    {C::Join, "入る(&J)", "Join"},
    {C::QuickPart, "出る(&P)", "QuickPart"},
    {C::Part, "メッセージを入力して出る(&Q)...", "Part"},
    {C::Mode, "モード変更(&M)...", "Mode"},
    {C::Topic, "トピック変更(&T)...", "Topic"},
    {C::Invite, "招待(&I)...", "Invite"},
    {C::BanList, "+b バンリスト(&B)...", "Mode-b"},
    {C::BanExceptionList, "+e バン例外リスト(E)...", "Mode-e"},
    {C::InviteList, "+I 招待ユーザリスト(&V)...", "Mode-I"},
    {C::ReopList, "+R オペレータ復活リスト(&R)...", "Mode-R"},
    {C::Member, "メンバ情報(&W)...", "Member"},
    {C::ResetMember, "メンバ情報を再構築(&F)", "ResetMember"},
    {C::DeleteChannel, "チャンネルを削除(&E)...", "DeleteChannel"},
    {C::ChannelOperatorList, "自動オペレータの設定(&O)...", "ChannelOperatorList"},
    {C::ChannelProperty, "チャンネルのプロパティ(&R)...", "ChannelProperty"},
    {C::Copy, "コピー(&C)", "Copy"},
    {C::Paste, "貼り付け(&P)", "Paste"},
    {C::SelectAll, "", "SelectAll"},
    {C::MyAddress, "自分のIPアドレスを貼り付け(&M)", "MyAddress"},
    {C::SendMultiLine, "複数行を送信(&M)...", "SendMultiLine"},
    {C::ColorEffect, "色(&C)...", "ColorEffect"},
    {C::BoldEffect, "太字(&B)", "BoldEffect"},
    {C::ReverseEffect, "反転(&R)", "ReverseEffect"},
    {C::UnderlineEffect, "下線(&U)", "UnderlineEffect"},
    {C::StopEffect, "効果停止(&S)", "StopEffect"},
    {C::Find, "検索(&F)", "Find"},
    {C::FindForward, "次を検索(&N)", "FindForward"},
    {C::FindBackward, "前を検索(&B)", "FindBackward"},
    {C::SaveLog, "ログをファイルに保存(&S)...", "SaveLog"},
    {C::ClearLog, "ログを消去(&K)...", "ClearLog"},
    {C::Setup, "設定(&S)...", "Setup"},
    {C::OperatorList, "自動オペレータの設定(&O)...", "OperatorList"},
    {C::Group, "グループの設定(&U)...", "Group"},
    {C::Ignore, "無視リストの設定(&G)...", "Ignore"},
    {C::Tree, "サーバツリーの編集(R)...", "Tree"},
    {C::Macro, "マクロの設定(&M)...", "Macro"},
    {C::PopupMenu, "ポップアップメニューの設定(&U)...", "PopupMenu"},
    {C::Toolbar, "ツールバーを表示(&A)", "Toolbar"},
    {C::MainMenu, "メインメニューを表示(&B)", "MainMenu"},
    {C::Topmost, "最前面に表示(&T)", "Topmost"},
    {C::TrayIcon, "タスクトレイにアイコンを表示(&I)", "TrayIcon"},
    {C::Whois, "", "Whois"},
    {C::SendAction, "", "SendAction"},
};

struct TCommandName {
  std::string_view name;  // lower case
  TMainCommand command;
};

constexpr TCommandName kNames[] = {
    {"connect", C::Connect},
    {"disconnect", C::Disconnect},
    {"connectcancel", C::ConnectCancel},
    {"quickquit", C::ConnectCancel},
    {"quit", C::Quit},
    {"join", C::Join},
    {"joinframe", C::Join},
    {"part", C::Part},
    {"deleteframepart", C::QuickPart},
    {"keepframepart", C::QuickPart},
    {"quickpart", C::QuickPart},
    {"talk", C::Talk},
    {"nick", C::Nick},
    {"away", C::Away},
    {"setawaymes", C::SetAwayMessage},
    {"setawaymessage", C::SetAwayMessage},
    {"dccsend", C::Dcc},
    {"dcc", C::Dcc},
    {"list", C::List},
    {"topic", C::Topic},
    {"invite", C::Invite},
    {"mode", C::Mode},
    {"mode-b", C::BanList},
    {"mode-e", C::BanExceptionList},
    {"mode-i", C::InviteList},
    {"mode-r", C::ReopList},
    {"member", C::Member},
    {"resetmember", C::ResetMember},
    {"copy", C::Copy},
    {"paste", C::Paste},
    {"selectall", C::SelectAll},
    {"myaddress", C::MyAddress},
    {"boldeffect", C::BoldEffect},
    {"reverseeffect", C::ReverseEffect},
    {"underlineeffect", C::UnderlineEffect},
    {"coloreffect", C::ColorEffect},
    {"stopeffect", C::StopEffect},
    {"find", C::Find},
    {"findforward", C::FindForward},
    {"findbackward", C::FindBackward},
    {"keywordhistory", C::KeywordHistory},
    {"keywordbackward", C::KeywordHistory},
    {"keywordforward", C::KeywordHistory},
    {"urlhistory", C::UrlHistory},
    {"savelog", C::SaveLog},
    {"clearlog", C::ClearLog},
    {"ignore", C::Ignore},
    {"operatorlist", C::OperatorList},
    {"popupmenu", C::PopupMenu},
    {"macro", C::Macro},
    {"view", C::Setup},
    {"setup", C::Setup},
    {"topmost", C::Topmost},
    {"togglemainmenu", C::MainMenu},
    {"mainmenu", C::MainMenu},
    {"trayicon", C::TrayIcon},
    {"stopmacro", C::StopMacro},
    {"minimize", C::Minimize},
    {"addserver", C::AddServer},
    {"copyserver", C::CopyServer},
    {"deleteserver", C::DeleteServer},
    {"addchannel", C::AddChannel},
    {"deletechannel", C::DeleteChannel},
    {"protocol", C::Protocol},
    {"serveroperatorlist", C::ServerOperatorList},
    {"serverproperty", C::ServerProperty},
    {"channeloperatorlist", C::ChannelOperatorList},
    {"channelproperty", C::ChannelProperty},
    {"sendmultiline", C::SendMultiLine},
    {"group", C::Group},
    {"tree", C::Tree},
    {"toolbar", C::Toolbar},
    {"whois", C::Whois},
    {"sendaction", C::SendAction},
};

}  // namespace

std::span<const TMainCommandInfo> MainCommands() { return kCommands; }

// The table lists the commands in the enumeration's order.
const TMainCommandInfo& MainCommandInfo(TMainCommand command) { return kCommands[static_cast<size_t>(command)]; }

std::optional<TMainCommand> LookupCommand(std::string_view name) {
  std::string lower = AsciiLowerText(name);
  for (const TCommandName& entry : kNames) {
    if (entry.name == lower) return entry.command;
  }
  return std::nullopt;
}

}  // namespace zeph
