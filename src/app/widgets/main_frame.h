#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "app/main_commands.h"
#include "app/widgets/input_box.h"
#include "app/widgets/search_panel.h"
#include "app/widgets/window_hider.h"
#include "display/widgets/log_view.h"
#include "engine/world_hooks.h"
#include "macro/macro_window.h"
#include "settings/window_layout.h"

class QAction;
class QDialog;
class QLineEdit;
class QListView;
class QMenu;
class QSplitter;
class QStackedWidget;
class QTreeView;
class QSoundEffect;

namespace zeph {

class TApplication;
class TDccWindows;
class THistoryWindow;
class TMemberInfoWindows;
class TProtocolLogWindows;
class TReplyWindowHostImpl;
class TMemberListModel;
class TQtShell;
struct TPopupEntry;
class TScreenLook;
class TServerTreeModel;

// The main window: the server tree, the member list of the current
// channel, the current log with the input line, the console and the hidden
// search panel; the menus, the tray icon and the title signals. It is the
// world's view and asks the engine to act; it holds no rule of its own.
class CMainFrame final : public QMainWindow,
                         public TWorldView,
                         private TLogViewListener,
                         private TLogNickListener,
                         private TLogLinkListener,
                         private TMacroWindow {
  Q_OBJECT
 public:
  // The world must exist; it gets this window as its view.
  explicit CMainFrame(TApplication& app, QWidget* parent = nullptr);
  ~CMainFrame() override;

  // The placement of window.ini, before the window is first shown.
  void ApplyLayout();
  // The window's state into the layout: the normal placement even while
  // maximized or minimized, the splitters as last set.
  void StoreLayout();
  // Brought back from the tray, a minimised state or another desktop.
  void RestoreAndActivate();
  // The tray icon's click rule; true when it brought the window back.
  bool OnTrayActivated(QSystemTrayIcon::ActivationReason reason);
  // Runs when the servers had their chance to close: the program ends.
  std::function<void()> on_closed;
  // Asks the user; tests answer for the user.
  std::function<bool(const QString& text, const QString& caption)> confirm;
  std::function<QString(const QString& title, const QString& label, const QString& text, bool* ok)> ask_text;

  // The program's DCC windows: "DCCファイル送受信(&D)...", the member
  // list's DCC items and file drops work once they are given; they outlive
  // this window.
  void SetDccWindows(TDccWindows* windows);
  // Files dropped at a point of this window (global coordinates): offered
  // to the selected members, else the member under the point, else a nick
  // asked for.
  void DropFiles(const QStringList& paths, const QPoint& global);
  // Modal dialogs opened by commands (the macro settings, the popup menu
  // editor) are handed here first; tests close them.
  std::function<void(QDialog&)> before_dialog;
  // The file chooser of "ファイル送信(&S)..."; tests answer for the user.
  std::function<QStringList()> choose_files;

  // The menu action of a command name, for tests and shortcuts.
  QAction* Action(const char* command) const;
  void UpdateActions();
  QWidget* CurrentLogView() const;
  TInputBox* InputLine() const { return input_; }
  QTreeView* ServerTree() const { return tree_view_; }
  QSystemTrayIcon* TrayIcon() const { return tray_.get(); }
  TSearchPanel* SearchPanel() const { return search_panel_; }
  TMemberInfoWindows& MemberWindows() const { return *member_windows_; }
  TProtocolLogWindows& ProtocolLogs() const { return *protocol_logs_; }
  QSplitter* RootSplitter() const { return root_splitter_; }
  QSplitter* InfoSplitter() const { return info_splitter_; }
  QSplitter* LogSplitter() const { return log_splitter_; }
  bool IsClosingDown() const { return closing_; }

  // TTreeView
  void NodeAdded(TUnit& unit, TChannel* target) override;
  void NodeRemoved(TUnit& unit, TChannel* target) override;
  void NodeChanged(TUnit& unit, TChannel* target) override;
  void ShowNode(TUnit& unit, TChannel* target) override;
  void ExpandNode(TUnit& unit) override;
  void NodeMoved(TUnit& unit, TChannel* target, int step) override;
  // TTitleView
  void SetTitle(const std::string& title) override;
  bool IsInBackground() const override;
  bool IsMainWindowActive() const override;
  void BlinkTitle() override;
  void ShowBalloon(const std::string& title, const std::string& text) override;
  void FlashTitle() override;
  // TSoundOutput
  void PlaySound(const std::string& file) override;
  // TClipboard
  void PutOnClipboard(const std::string& text) override;
  // TProtocolLog
  bool IsProtocolLogOpen(const TUnit& unit) const override;
  void AddProtocolLine(TUnit& unit, bool sent, const std::string& line) override;
  // TUserPrompts
  bool IsCtrlHeld() const override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;
  // SnapWindow: a move by the user ends on the work area's edges nearby.
  void moveEvent(QMoveEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  struct TCommandItem {
    QAction* action;
    TMenuRule command;
  };

  void BuildPanes();
  void BuildMenus();
  void BuildTray();
  QAction* AddItem(QMenu* menu, const QString& text, const QString& shortcut, const char* command,
                   std::function<void()> run);
  QAction* AddCommand(QMenu* menu, const QString& text, const QString& shortcut, const char* command,
                      TMenuRule rule, std::function<void()> run);
  void ArrangeSplitters();
  void SplitterMoved();
  QWidget* LogViewOf(TTreeNode& node);
  void ForgetNode(TNodeId id);
  void StopTitleSignals();
  void UpdateTrayVisibility();
  void SetTrayIcon(int which);

  // Commands that ask first.
  bool Confirm(const QString& text);
  bool AskText(const QString& title, const QString& label, QString* text);
  void QuitWithMessage();
  void SetAwayMessage();
  void AskTalk();
  void DeleteServer();
  void DeleteChannel();
  void PartWithMessage();
  void AskTopic();
  void AskInvite();
  void AskNick();
  void AskWhois();
  void AskAction();
  void ClearLog();
  void SaveLog();
  void ShowAbout();
  void OpenHelp(const char* topic);
  void EditServer(bool add);
  void EditChannel(bool add);
  void EditSettings();
  std::vector<std::string> SelectedMembers(TNodeId channel) const;
  void ShowMemberMenu(TNodeId channel, const QPoint& screen);
  void ShowMemberMenuFor(TSelectionIds ids, const std::vector<std::string>& nicks, const QPoint& screen);
  void ListenTo(QWidget* view);
  void AddDccItems(QMenu* menu, TSelectionIds ids, const std::vector<std::string>& nicks);
  // Macros reach this window and the desktop's shell.
  void ConnectMacros();
  void DisconnectMacros();
  void EditMacros();
  void EditPopupMenu();
  // The user's popup items for the unit of ids; opened on members of its
  // channel, an item runs once for each of them.
  void AddPopupItems(QMenu* menu, bool text_selected, TSelectionIds ids, const std::vector<std::string>& members);
  void AddPopupEntries(QMenu* menu, const std::vector<TPopupEntry>& entries, TSelectionIds ids, bool text_selected,
                       const std::vector<std::string>& members);
  void ShowGeneralMenu(TLogView& view, QPoint screen) override;
  // TMacroWindow
  std::string SelectedText() const override;
  void WindowCommand(const std::string& word) override;
  void RunCommand(TUnit& unit, TMainCommand command) override;
  void ShowDccWindow();
  // The view settings as they are now, shown by every open log view.
  void ApplyLook();
  // look_ on the server tree and the input line.
  void ApplyPaneLook();

  // The input line, the search panel and the keyboard (main_frame_input.cpp).
  void WireInput();
  bool SubmitLine(const QString& text, bool as_notice, bool as_action);
  // A key of the input or search box's table; from is the box.
  bool RunKeyCommand(const TKeyCommand& command, QWidget* from);
  // Keys of the tree, the logs and the member list: Tab and Shift+Tab move
  // on, stray keys go to the input line. True when the key was taken.
  bool HandlePaneKey(QWidget* widget, QKeyEvent* key);
  void FocusPane(QWidget* pane);
  TLogView* CurrentLog() const;
  TLogView* ConsoleLog() const;
  QWidget* CurrentMemberList() const;
  bool IsExpanded(TNodeId unit) const;
  void Paste();
  void SendMultiLineDialog();
  void OpenPasteConfirmation(const std::string& text);
  void ToggleSearch();
  void ShowSearch();
  void HideSearch();
  void FindHighlight(bool downward);
  void SetSearchWords(const std::vector<std::string>& words);
  void ApplySearchWords();
  void TreeDoubleClicked(const QModelIndex& index);
  void ShowTreeMenu(const QPoint& at);
  QMenu* MenuTitled(const QString& title) const;
  // The windows of the commands "member", "protocol", "list", the mask
  // lists and the histories.
  void OpenMemberWindow();
  void OpenProtocolLog();
  void OpenChannelList();
  void OpenMaskList(char letter);
  void OpenHistory(bool keywords);
  // A node goes away: the windows that show it close.
  void ForgetTargetWindows(TUnit& unit, TChannel* target);
  // At shutdown: every other window closes as the user would close it.
  void CloseSecondaryWindows();
  // TLogViewListener, TLogNickListener, TLogLinkListener
  void OpenUrl(TLogView& view, const std::string& url) override;
  void ShowUrlMenu(TLogView& view, QPoint screen) override;
  void ShowAddressMenu(TLogView& view, QPoint screen) override;
  void ShowNickMenu(TLogView& view, QPoint screen) override;
  void OpenLink(TLogView& view, const TLinkKey& key) override;

  TApplication& app_;
  TDccWindows* dcc_windows_ = nullptr;
  std::unique_ptr<TQtShell> shell_;
  QAction* tray_dcc_action_ = nullptr;
  std::shared_ptr<const TScreenLook> look_;
  TWorld& world_;
  TWindowLayout::TMain& layout_;
  std::unique_ptr<TServerTreeModel> tree_model_;
  QTreeView* tree_view_ = nullptr;
  QStackedWidget* logs_ = nullptr;
  QStackedWidget* members_ = nullptr;
  QWidget* console_ = nullptr;
  QWidget* empty_log_ = nullptr;
  QWidget* empty_members_ = nullptr;
  QWidget* log_side_ = nullptr;
  QWidget* tree_side_ = nullptr;
  TInputBox* input_ = nullptr;
  TSearchPanel* search_panel_ = nullptr;
  std::vector<std::string> search_words_;
  std::unique_ptr<TMemberInfoWindows> member_windows_;
  std::unique_ptr<TProtocolLogWindows> protocol_logs_;
  std::unique_ptr<TReplyWindowHostImpl> reply_host_;
  QPointer<THistoryWindow> keyword_history_;
  QPointer<THistoryWindow> url_history_;
  QSplitter* root_splitter_ = nullptr;
  QSplitter* info_splitter_ = nullptr;
  QSplitter* log_splitter_ = nullptr;
  std::map<TNodeId, QPointer<QWidget>> log_views_;
  std::map<TNodeId, std::unique_ptr<TMemberListModel>> member_models_;
  std::map<TNodeId, QPointer<QListView>> member_views_;
  std::vector<TCommandItem> command_items_;
  std::map<std::string, QAction*> actions_;
  std::vector<std::pair<QAction*, QAction*>> toolbar_buttons_;  // button, menu item
  QAction* toolbar_action_ = nullptr;
  QAction* menu_action_ = nullptr;
  QAction* topmost_action_ = nullptr;
  QAction* tray_action_ = nullptr;
  QAction* stop_macro_action_ = nullptr;
  QToolBar* toolbar_ = nullptr;
  std::unique_ptr<QSystemTrayIcon> tray_;
  std::unique_ptr<QMenu> tray_menu_;
  std::vector<QIcon> tray_icons_;
  QTimer blink_timer_;
  bool flashing_ = false;
  bool blinking_ = false;
  bool blink_phase_ = false;
  bool background_ = false;
  bool closing_ = false;
  bool quick_quit_ = false;
  bool closed_ = false;
  bool arranging_ = false;
  QString title_;
  std::map<std::string, std::unique_ptr<QSoundEffect>> sounds_;
  TWindowHider other_windows_{*this};
};

}  // namespace zeph
