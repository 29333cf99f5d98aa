// The menus of the main window: every item with its shortcut and command
// name; whether it is enabled, ticked or reads otherwise comes from the
// command rules.
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QToolBar>
#include <QTreeView>

#include "app/application.h"
#include "app/widgets/main_frame.h"
#include "app/widgets/mode_dialog.h"
#include "app/widgets/settings_dialogs.h"
#include "platform/qt/qt_text.h"

namespace zeph {
namespace {

// The texts an item shows instead of its own.
QString AlternateText(TItemText text) {
  switch (text) {
    case TItemText::kCancelReconnect: return Q("再接続をキャンセル(&D)");
    case TItemText::kCloseTalk: return Q("トークをやめる(&P)");
    case TItemText::kCloseDccChat: return Q("DCCチャットをやめる(&P)");
    case TItemText::kNormal: break;
  }
  return {};
}

}  // namespace

QAction* CMainFrame::AddItem(QMenu* menu, const QString& text, const QString& shortcut, const char* command,
                             std::function<void()> run) {
  QAction* action = menu->addAction(text);
  if (!shortcut.isEmpty()) action->setShortcut(QKeySequence(shortcut));
  action->setShortcutContext(Qt::WindowShortcut);
  action->setData(text);
  if (command) {
    action->setObjectName(QString::fromLatin1(command));
    actions_[command] = action;
  }
  if (run) connect(action, &QAction::triggered, this, [run = std::move(run)] { run(); });
  return action;
}

QAction* CMainFrame::AddCommand(QMenu* menu, const QString& text, const QString& shortcut, const char* command,
                                TMenuRule rule, std::function<void()> run) {
  QAction* action = AddItem(menu, text, shortcut, command, std::move(run));
  command_items_.push_back({action, rule});
  return action;
}

QAction* CMainFrame::Action(const char* command) const {
  auto it = actions_.find(command);
  return it == actions_.end() ? nullptr : it->second;
}

// Alt combinations of the items come before the menu titles' mnemonics
// ("チャンネル(&C)" and "接続(&C)" Alt+C): a shortcut Qt finds twice would
// fire neither. A menu opens with Alt alone, or with a letter no item uses.
bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  auto* key = static_cast<QKeyEvent*>(event);
  if (widget && widget->window() == this && HandlePaneKey(widget, key)) return true;
  if (!widget || widget->window() != this || !(key->modifiers() & Qt::AltModifier)) return false;
  QKeySequence pressed(key->keyCombination());
  for (auto& [name, action] : actions_) {
    if (!action->shortcuts().contains(pressed)) continue;
    if (event->type() == QEvent::ShortcutOverride) {
      event->accept();
    } else {
      UpdateActions();
      if (action->isEnabled()) action->trigger();
    }
    return true;
  }
  return false;
}

void CMainFrame::UpdateActions() {
  for (const TCommandItem& item : command_items_) {
    TCommandState state = CommandState(world_, item.command);
    item.action->setEnabled(state.enabled);
    item.action->setCheckable(item.command == TMenuRule::kAway);
    item.action->setChecked(state.checked);
    QString text = state.text == TItemText::kNormal ? item.action->data().toString() : AlternateText(state.text);
    item.action->setText(text);
  }
  bool has_unit = world_.SelectedUnit() != nullptr;
  for (const char* command : {"serverproperty", "copyserver", "addchannel", "talk", "protocol",
                              "serveroperatorlist", "whois"})
    if (QAction* action = Action(command)) action->setEnabled(has_unit);
  Action("sendaction")->setEnabled(world_.SelectedTarget() != nullptr);
  for (auto& [button, item] : toolbar_buttons_) {
    button->setText(QString(item->text()).remove(QRegularExpression(QStringLiteral("\\(&.\\)|&"))));
    button->setEnabled(item->isEnabled());
  }
}

void CMainFrame::BuildMenus() {
  TWorld& w = world_;
  QMenuBar* bar = menuBar();

  QMenu* main = bar->addMenu(Q("メイン(&M)"));
  AddItem(main, Q("DCCファイル送受信(&D)..."), "Alt+D", "dcc", [this] { ShowDccWindow(); })->setEnabled(false);
  AddItem(main, Q("キーワード履歴(&K)..."), "Alt+H", "keywordhistory", [this] { OpenHistory(true); });
  AddItem(main, Q("URL履歴(&U)..."), "Alt+U", "urlhistory", [this] { OpenHistory(false); });
  main->addSeparator();
  stop_macro_action_ = AddItem(main, Q("全マクロを停止(&S)"), QString(), "stopmacro", nullptr);
  stop_macro_action_->setCheckable(true);
  connect(stop_macro_action_, &QAction::toggled, this, [&w](bool on) { w.macros_stopped = on; });
  main->addSeparator();
  AddItem(main, Q("最小化(&M)"), "F2", "minimize", [this] { showMinimized(); });
  AddItem(main, Q("終了(&X)"), "Alt+Shift+X", "exit", [this] { close(); });

  QMenu* server = bar->addMenu(Q("サーバ(&S)"));
  AddCommand(server, Q("接続(&C)"), "Alt+C", "connect", TMenuRule::kConnect, [&w] { ConnectSelected(w); });
  AddCommand(server, Q("切断(&D)"), "Alt+Shift+Q", "connectcancel", TMenuRule::kDisconnect,
             [&w] { DisconnectSelected(w); });
  AddCommand(server, Q("メッセージを入力して切断(&Q)..."), "Alt+Q", "quit", TMenuRule::kQuitWithMessage,
             [this] { QuitWithMessage(); });
  AddCommand(server, Q("強制切断(&F)"), "Alt+Shift+D", "disconnect", TMenuRule::kForceDisconnect,
             [&w] { ForceDisconnectSelected(w); });
  server->addSeparator();
  AddCommand(server, Q("ニックネーム変更(&N)..."), "Alt+N", "nick", TMenuRule::kNick, [this] { AskNick(); });
  AddCommand(server, Q("離席状態を変更(&A)"), "Alt+A", "away", TMenuRule::kAway, [&w] { ToggleAway(w); });
  AddCommand(server, Q("離席メッセージを設定(&M)..."), "Alt+Shift+A", "setawaymes", TMenuRule::kSetAwayMessage,
             [this] { SetAwayMessage(); });
  AddCommand(server, Q("トーク(&T)..."), QString(), "talk", TMenuRule::kTalk, [this] { AskTalk(); });
  AddCommand(server, Q("チャンネル一覧(&L)..."), "Alt+Shift+L", "list", TMenuRule::kList,
             [this] { OpenChannelList(); });
  server->addSeparator();
  AddItem(server, Q("サーバを追加(&S)..."), "Ctrl+Q", "addserver", [this] { EditServer(true); });
  AddCommand(server, Q("サーバをコピー(&Y)"), QString(), "copyserver", TMenuRule::kCopyServer,
             [&w] { CopySelectedServer(w); });
  AddCommand(server, Q("サーバを削除(&E)..."), "Ctrl+Shift+Q", "deleteserver", TMenuRule::kDeleteServer,
             [this] { DeleteServer(); });
  AddCommand(server, Q("チャンネルを追加(&H)..."), "Ctrl+W", "addchannel", TMenuRule::kAddChannel,
             [this] { EditChannel(true); });
  server->addSeparator();
  AddCommand(server, Q("プロトコルログ(&P)..."), QString(), "protocol", TMenuRule::kProtocol,
             [this] { OpenProtocolLog(); });
  AddCommand(server, Q("自動オペレータの設定(&O)..."), QString(), "serveroperatorlist",
             TMenuRule::kServerOperatorList, [this] { RunMaskEditor(this, app_, TMaskList::kServerAutoOp); });
  AddCommand(server, Q("サーバのプロパティ(&R)..."), "Alt+Z", "serverproperty", TMenuRule::kServerProperty,
             [this] { EditServer(false); });

  QMenu* channel = bar->addMenu(Q("チャンネル(&C)"));
  AddCommand(channel, Q("入る(&J)"), "Alt+J", "join", TMenuRule::kJoin, [&w] { JoinSelected(w); });
  AddCommand(channel, Q("出る(&P)"), "Alt+Shift+P", "quickpart", TMenuRule::kQuickPart,
             [&w] { QuickPartSelected(w); });
  AddCommand(channel, Q("メッセージを入力して出る(&Q)..."), "Alt+P", "part", TMenuRule::kPart,
             [this] { PartWithMessage(); });
  channel->addSeparator();
  AddCommand(channel, Q("モード変更(&M)..."), "Alt+M", "mode", TMenuRule::kMode,
             [this] { RunModeDialog(this, world_, SelectedIds(world_)); });
  AddCommand(channel, Q("トピック変更(&T)..."), "Alt+T", "topic", TMenuRule::kTopic, [this] { AskTopic(); });
  AddCommand(channel, Q("招待(&I)..."), "Alt+I", "invite", TMenuRule::kInvite, [this] { AskInvite(); });
  channel->addSeparator();
  struct TModeList {
    const char* text;
    const char* shortcut;
    const char* command;
    const char* mode;
  };
  for (const TModeList& list : {TModeList{"+b バンリスト(&B)...", "Alt+B", "mode-b", "+b"},
                                TModeList{"+e バン例外リスト(E)...", "Alt+E", "mode-e", "+e"},
                                TModeList{"+I 招待ユーザリスト(&V)...", "Alt+V", "mode-i", "+I"},
                                TModeList{"+R オペレータ復活リスト(&R)...", "Alt+Shift+R", "mode-r", "+R"}}) {
    const char letter = list.mode[1];
    AddCommand(channel, Q(list.text), list.shortcut, list.command, TMenuRule::kModeList,
               [this, letter] { OpenMaskList(letter); });
  }
  channel->addSeparator();
  AddCommand(channel, Q("メンバ情報(&W)..."), "Alt+W", "member", TMenuRule::kMember, [this] { OpenMemberWindow(); });
  AddCommand(channel, Q("メンバ情報を再構築(&F)"), QString(), "resetmember", TMenuRule::kResetMember,
             [&w] { ResetMembersOfSelected(w); });
  AddCommand(channel, Q("チャンネルを削除(&E)..."), "Ctrl+Shift+W", "deletechannel", TMenuRule::kDeleteChannel,
             [this] { DeleteChannel(); });
  channel->addSeparator();
  AddCommand(channel, Q("自動オペレータの設定(&O)..."), QString(), "channeloperatorlist",
             TMenuRule::kChannelOperatorList, [this] { RunMaskEditor(this, app_, TMaskList::kChannelAutoOp); });
  AddCommand(channel, Q("チャンネルのプロパティ(&R)..."), "Alt+X", "channelproperty",
             TMenuRule::kChannelProperty, [this] { EditChannel(false); });

  QMenu* edit = bar->addMenu(Q("編集(&E)"));
  AddItem(edit, Q("コピー(&C)"), "Ctrl+C", "copy", [this] {
    if (QWidget* focus = QApplication::focusWidget()) QMetaObject::invokeMethod(focus, "copy");
  });
  AddItem(edit, Q("貼り付け(&P)"), "Ctrl+V", "paste", [this] { Paste(); });
  AddItem(edit, Q("自分のIPアドレスを貼り付け(&M)"), "Alt+Y", "myaddress", [this] {
    if (TUnit* unit = world_.SelectedUnit(); unit && unit->OwnAddress() != TResolver::kNone) {
      uint32_t a = unit->OwnAddress();
      input_->insert(QStringLiteral("%1.%2.%3.%4").arg(a >> 24).arg((a >> 16) & 255).arg((a >> 8) & 255).arg(a & 255));
    }
  });
  AddItem(edit, Q("複数行を送信(&M)..."), "Ctrl+D", "sendmultiline", [this] { SendMultiLineDialog(); });
  QMenu* effects = edit->addMenu(Q("追加効果(&E)"));
  AddItem(effects, Q("色(&C)..."), "Alt+K", "coloreffect", [this] { input_->insert(QString(QChar(0x03))); });
  AddItem(effects, Q("太字(&B)"), "Ctrl+B", "boldeffect", [this] { input_->insert(QString(QChar(0x02))); });
  AddItem(effects, Q("反転(&R)"), "Ctrl+R", "reverseeffect", [this] { input_->insert(QString(QChar(0x16))); });
  AddItem(effects, Q("下線(&U)"), "Ctrl+U", "underlineeffect", [this] { input_->insert(QString(QChar(0x1f))); });
  AddItem(effects, Q("効果停止(&S)"), "Ctrl+O", "stopeffect", [this] { input_->insert(QString(QChar(0x0f))); });
  edit->addSeparator();
  AddItem(edit, Q("検索(&F)"), "Ctrl+F", "find", [this] { ToggleSearch(); });
  QAction* forward = AddItem(edit, Q("次を検索(&N)"), "F3", "findforward", [this] { FindHighlight(true); });
  forward->setShortcuts({QKeySequence("F3"), QKeySequence("Ctrl+G")});
  AddItem(edit, Q("前を検索(&B)"), "Shift+F3", "findbackward", [this] { FindHighlight(false); });
  edit->addSeparator();
  AddItem(edit, Q("ログをファイルに保存(&S)..."), "Alt+Shift+S", "savelog", [this] { SaveLog(); });
  AddItem(edit, Q("ログを消去(&K)..."), "Alt+Shift+K", "clearlog", [this] { ClearLog(); });

  QMenu* options = bar->addMenu(Q("設定(&O)"));
  AddItem(options, Q("設定(&S)..."), "Alt+S", "setup", [this] { EditSettings(); });
  AddItem(options, Q("自動オペレータの設定(&O)..."), "Alt+O", "operatorlist",
          [this] { RunMaskEditor(this, app_, TMaskList::kWorldAutoOp); });
  AddItem(options, Q("グループの設定(&U)..."), "Alt+L", "group", [this] { RunGroupEditor(this, app_); });
  AddItem(options, Q("無視リストの設定(&G)..."), "Alt+G", "ignore",
          [this] { RunMaskEditor(this, app_, TMaskList::kIgnore); });
  AddItem(options, Q("サーバツリーの編集(R)..."), "Alt+Shift+T", "tree", [this] { RunTreeEditor(this, app_); });
  AddItem(options, Q("マクロの設定(&M)..."), "Alt+Shift+M", "macro", [this] { EditMacros(); });
  AddItem(options, Q("ポップアップメニューの設定(&U)..."), "Alt+Shift+O", "popupmenu", [this] { EditPopupMenu(); });
  options->addSeparator();
  toolbar_ = addToolBar(Q("ツールバー"));
  toolbar_->setObjectName(QStringLiteral("ToolBar"));
  toolbar_->setMovable(false);
  toolbar_action_ = AddItem(options, Q("ツールバーを表示(&A)"), QString(), "toolbar", nullptr);
  toolbar_action_->setCheckable(true);
  toolbar_action_->setChecked(true);
  connect(toolbar_action_, &QAction::toggled, toolbar_, &QWidget::setVisible);
  menu_action_ = AddItem(options, Q("メインメニューを表示(&B)"), "F5", "togglemainmenu", nullptr);
  menu_action_->setCheckable(true);
  menu_action_->setChecked(true);
  connect(menu_action_, &QAction::toggled, menuBar(), &QWidget::setVisible);
  // The shortcut must work with the menu bar hidden too.
  addAction(menu_action_);
  topmost_action_ = AddItem(options, Q("最前面に表示(&T)"), "F4", "topmost", nullptr);
  topmost_action_->setCheckable(true);
  connect(topmost_action_, &QAction::toggled, this, [this](bool on) {
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (!closing_) show();
  });
  tray_action_ = AddItem(options, Q("タスクトレイにアイコンを表示(&I)"), QString(), "trayicon", nullptr);
  tray_action_->setCheckable(true);
  tray_action_->setChecked(w.Preferences().EnableTrayIcon);
  connect(tray_action_, &QAction::triggered, this, [this](bool on) {
    world_.Preferences().EnableTrayIcon = on;
    app_.SavePreferences();
    UpdateTrayVisibility();
  });

  QMenu* help = bar->addMenu(Q("ヘルプ(&H)"));
  AddItem(help, Q("ヘルプ(&H)"), QString(), "help", [this] { OpenHelp("index.html"); });
  AddItem(help, Q("メインウィンドウのヘルプ(&W)"), QString(), "helpmainwindow", [this] { OpenHelp("mainwindow.html"); });
  AddItem(help, Q("ショートカットキーのヘルプ(&K)"), QString(), "helpshortcutkey",
          [this] { OpenHelp("shortcutkey.html"); });
  AddItem(help, Q("マクロのヘルプ(&M)"), QString(), "helpmacro", [this] { OpenHelp("macro/index.html"); });
  help->addSeparator();
  AddItem(help, Q("Zephlora について(&A)"), QString(), "about", [this] { ShowAbout(); });

  // No menu items: asked for by name (macros, popup menus).
  auto* unlisted = new QMenu(this);
  AddItem(unlisted, Q("人物情報を要求"), QString(), "whois", [this] { AskWhois(); });
  AddItem(unlisted, Q("アクション送信"), QString(), "sendaction", [this] { AskAction(); });

  // The toolbar's buttons carry the items' texts without their mnemonics:
  // a button's "&S" would take Alt+S from the menu item's shortcut.
  for (const char* command : {"connect", "connectcancel", "addserver", "serverproperty", "join", "quickpart",
                              "topic", "setup"}) {
    QAction* item = Action(command);
    QAction* button = toolbar_->addAction(QString());
    connect(button, &QAction::triggered, item, &QAction::trigger);
    toolbar_buttons_.emplace_back(button, item);
  }

  // Shortcuts of items in hidden menus keep working.
  for (auto& [name, action] : actions_) addAction(action);
  for (QMenu* menu : bar->findChildren<QMenu*>())
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateActions);
}

}  // namespace zeph
