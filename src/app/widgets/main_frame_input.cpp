// The main window from the keyboard: the input line and its history, the
// search panel, the paste confirmation, the key table, the focus cycle of
// the panes and stray keys; the tree's double click and menus; the windows
// of the member, protocol, list and history commands.
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>
#include <QTreeView>

#include "app/application.h"
#include "app/keyboard_navigation.h"
#include "app/paste_text.h"
#include "app/widgets/main_frame.h"
#include "app/widgets/paste_confirm_dialog.h"
#include "app/widgets/reply_window_host.h"
#include "app/widgets/server_tree_model.h"
#include "dcc/widgets/dcc_windows.h"
#include "display/widgets/history_window.h"
#include "display/widgets/log_view.h"
#include "engine/widgets/member_info_window.h"
#include "engine/widgets/protocol_log_window.h"
#include "platform/qt/qt_text.h"

namespace zeph {

namespace {
Qt::KeyboardModifiers HeldOf(const QKeyEvent* key) {
  return key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

bool IsNavigationKey(int key) {
  switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: return true;
  }
  return false;
}

bool IsModifierKey(int key) {
  return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta ||
         key == Qt::Key_AltGr || key == Qt::Key_CapsLock;
}
}  // namespace

void CMainFrame::WireInput() {
  member_windows_ = std::make_unique<TMemberInfoWindows>(world_);
  member_windows_->SetLook(look_);
  protocol_logs_ = std::make_unique<TProtocolLogWindows>(this);
  reply_host_ = std::make_unique<TReplyWindowHostImpl>(app_, this);

  TWindowLayout& layout = app_.WindowLayout();
  member_windows_->prepare = [this, &layout](TMemberInfoWindow& window) {
    window.ApplyGeometry(layout.who);
    window.store_geometry = [&layout](const TWindowEntry& entry) { layout.who = entry; };
    window.setWindowFlag(Qt::WindowStaysOnTopHint, layout.main.top_most);
    const TSelectionIds ids{window.Unit(), window.Channel()};
    window.member_menu = [this, ids](const TMember& member, const QPoint& at) {
      ShowMemberMenuFor(ids, {member.nick}, at);
    };
  };
  protocol_logs_->load_geometry = [&layout] { return layout.protocol_log; };
  protocol_logs_->store_geometry = [&layout](const TWindowEntry& entry) { layout.protocol_log.rect = entry.rect; };

  input_->submit = [this](const QString& text, bool notice, bool action) { return SubmitLine(text, notice, action); };
  input_->command = [this](const TKeyCommand& command) { return RunKeyCommand(command, input_); };
  search_panel_->words_changed = [this](const std::vector<std::string>& words) { SetSearchWords(words); };
  search_panel_->find = [this](bool downward) { FindHighlight(downward); };
  search_panel_->close_requested = [this] { HideSearch(); };
  search_panel_->command = [this](const TKeyCommand& command) {
    return RunKeyCommand(command, &search_panel_->SearchBox());
  };

  // Empty panes still take part in the focus cycle.
  for (QWidget* pane : {empty_log_, empty_members_}) pane->setFocusPolicy(Qt::StrongFocus);
  tree_view_->setExpandsOnDoubleClick(false);
  tree_view_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(tree_view_, &QTreeView::doubleClicked, this, &CMainFrame::TreeDoubleClicked);
  connect(tree_view_, &QWidget::customContextMenuRequested, this, &CMainFrame::ShowTreeMenu);
}

// --- Panes and focus -------------------------------------------------------------------------

TLogView* CMainFrame::CurrentLog() const { return qobject_cast<TLogView*>(logs_->currentWidget()); }

TLogView* CMainFrame::ConsoleLog() const { return qobject_cast<TLogView*>(console_); }

QWidget* CMainFrame::CurrentMemberList() const { return members_->currentWidget(); }

bool CMainFrame::IsExpanded(TNodeId unit_id) const {
  TUnit* unit = world_.FindUnitById(unit_id);
  return unit && tree_view_->isExpanded(tree_model_->IndexOf(*unit, nullptr));
}

void CMainFrame::FocusPane(QWidget* pane) {
  if (!pane) return;
  pane->setFocus(Qt::TabFocusReason);
  if (pane == input_) input_->end(false);
}

bool CMainFrame::RunKeyCommand(const TKeyCommand& command, QWidget* from) {
  const bool from_search = from != input_;
  TLogView* log = CurrentLog();
  TLogView* console = ConsoleLog();
  const TIsExpanded expanded = [this](TNodeId unit) { return IsExpanded(unit); };
  auto scroll = [](TLogView* view, auto action) {
    if (view) action(*view);
    return true;
  };
  switch (command.action) {
    case TKeyAction::FocusForward:
      FocusPane(from_search ? logs_->currentWidget() : console_);
      return true;
    case TKeyAction::FocusBackward:
      FocusPane(from_search ? static_cast<QWidget*>(tree_view_) : logs_->currentWidget());
      return true;
    case TKeyAction::LogPageUp: return scroll(log, [](TLogView& v) { v.PageUp(); });
    case TKeyAction::LogPageDown: return scroll(log, [](TLogView& v) { v.PageDown(); });
    case TKeyAction::LogRowUp: return scroll(log, [](TLogView& v) { v.ScrollRows(-1); });
    case TKeyAction::LogRowDown: return scroll(log, [](TLogView& v) { v.ScrollRows(1); });
    case TKeyAction::LogTop: return scroll(log, [](TLogView& v) { v.ScrollToTop(); });
    case TKeyAction::LogEnd: return scroll(log, [](TLogView& v) { v.ScrollToEnd(); });
    case TKeyAction::ConsolePageUp: return scroll(console, [](TLogView& v) { v.PageUp(); });
    case TKeyAction::ConsolePageDown: return scroll(console, [](TLogView& v) { v.PageDown(); });
    case TKeyAction::ConsoleRowUp: return scroll(console, [](TLogView& v) { v.ScrollRows(-1); });
    case TKeyAction::ConsoleRowDown: return scroll(console, [](TLogView& v) { v.ScrollRows(1); });
    case TKeyAction::ConsoleTop: return scroll(console, [](TLogView& v) { v.ScrollToTop(); });
    case TKeyAction::ConsoleEnd: return scroll(console, [](TLogView& v) { v.ScrollToEnd(); });
    case TKeyAction::NextActive: SelectByWalk(world_, expanded, TWalkKind::ActiveTarget, 1); return true;
    case TKeyAction::PreviousActive: SelectByWalk(world_, expanded, TWalkKind::ActiveTarget, -1); return true;
    case TKeyAction::NextLoggedInUnit: SelectByWalk(world_, expanded, TWalkKind::LoggedInUnit, 1); return true;
    case TKeyAction::PreviousLoggedInUnit:
      SelectByWalk(world_, expanded, TWalkKind::LoggedInUnit, -1);
      return true;
    case TKeyAction::NextNode: SelectByWalk(world_, expanded, TWalkKind::AnyNode, 1); return true;
    case TKeyAction::PreviousNode: SelectByWalk(world_, expanded, TWalkKind::AnyNode, -1); return true;
    case TKeyAction::NextUnit: SelectByWalk(world_, expanded, TWalkKind::Unit, 1); return true;
    case TKeyAction::PreviousUnit: SelectByWalk(world_, expanded, TWalkKind::Unit, -1); return true;
    case TKeyAction::NextUnread: SelectByWalk(world_, expanded, TWalkKind::Unread, 1); return true;
    case TKeyAction::PreviousUnread: SelectByWalk(world_, expanded, TWalkKind::Unread, -1); return true;
    case TKeyAction::SelectNumber: SelectTargetNumber(world_, command.number); return true;
    case TKeyAction::MoveUp: MoveSelectedNode(world_, -1); return true;
    case TKeyAction::MoveDown: MoveSelectedNode(world_, 1); return true;
    case TKeyAction::ToggleExpand:
      if (TUnit* unit = world_.SelectedUnit()) {
        const QModelIndex index = tree_model_->IndexOf(*unit, nullptr);
        tree_view_->setExpanded(index, !tree_view_->isExpanded(index));
      }
      return true;
    default: return false;
  }
}

bool CMainFrame::HandlePaneKey(QWidget* widget, QKeyEvent* key) {
  if (closing_) return false;
  const bool is_tree = widget == tree_view_ || widget == tree_view_->viewport();
  auto* view = qobject_cast<TLogView*>(widget);
  if (!view && widget->parentWidget()) view = qobject_cast<TLogView*>(widget->parentWidget());
  const bool is_console = view && view == ConsoleLog();
  const bool is_log = view && !is_console && logs_->isAncestorOf(view);
  const bool is_members = (!view && members_->isAncestorOf(widget)) || widget == empty_members_;
  const bool is_empty_log = widget == empty_log_;
  if (!is_tree && !is_console && !is_log && !is_members && !is_empty_log) return false;
  // Shortcuts of the menus keep working in every pane.
  if (key->type() != QEvent::KeyPress || IsModifierKey(key->key())) return false;

  const Qt::KeyboardModifiers held = HeldOf(key);
  if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
    if (held & (Qt::ControlModifier | Qt::AltModifier)) return false;
    const bool forward = key->key() == Qt::Key_Tab && !(held & Qt::ShiftModifier);
    QWidget* search = search_panel_->IsShown() ? &search_panel_->SearchBox() : nullptr;
    QWidget* next = nullptr;
    if (is_tree) next = forward ? (search ? search : logs_->currentWidget()) : CurrentMemberList();
    if (is_log || is_empty_log) next = forward ? static_cast<QWidget*>(input_) : (search ? search : tree_view_);
    if (is_console) next = forward ? CurrentMemberList() : static_cast<QWidget*>(input_);
    if (is_members) next = forward ? static_cast<QWidget*>(tree_view_) : console_;
    FocusPane(next);
    return true;
  }
  if (is_tree && held == Qt::NoModifier && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
    SelectByWalk(world_, [this](TNodeId unit) { return IsExpanded(unit); }, TWalkKind::AnyNode,
                 key->key() == Qt::Key_Down ? 1 : -1);
    return true;
  }
  // What the pane does itself: moving about, and the editing keys.
  if (held & Qt::AltModifier) return false;
  if (IsNavigationKey(key->key())) return false;
  if (held == Qt::ControlModifier) {
    switch (key->key()) {
      case Qt::Key_C:
      case Qt::Key_V:
      case Qt::Key_X:
      case Qt::Key_Z:
      case Qt::Key_A: return false;
      case Qt::Key_F: if (view) return false; break;
    }
  }
  // Anything else is typing meant for the input line.
  if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Escape) {
    FocusPane(input_);
    return key->key() != Qt::Key_Escape;
  }
  input_->TakeStrayKey(key);
  return true;
}

// --- Paste and multi-line send -----------------------------------------------------------------

void CMainFrame::Paste() {
  if (QApplication::focusWidget() == &search_panel_->SearchBox()) {
    search_panel_->SearchBox().paste();
    return;
  }
  FocusPane(input_);
  const std::string text = FromQString(QGuiApplication::clipboard()->text());
  if (IsMultiLinePaste(text) && CanTakeMultiLinePaste(world_.SelectedUnit(), world_.SelectedTarget())) {
    OpenPasteConfirmation(text);
  } else if (IsMultiLinePaste(text)) {
    input_->paste();
  } else {
    input_->insert(ToQString(SingleLinePaste(text)));
  }
}

void CMainFrame::SendMultiLineDialog() {
  TUnit* unit = world_.SelectedUnit();
  TChannel* target = world_.SelectedTarget();
  if (!unit || !target || target->IsDccChat() || !CanTakeMultiLinePaste(unit, target)) return;
  OpenPasteConfirmation(FromQString(QGuiApplication::clipboard()->text()));
}

void CMainFrame::OpenPasteConfirmation(const std::string& text) {
  const TSelectionIds ids = SelectedIds(world_);
  auto* dialog =
      new TPasteConfirmDialog(world_, world_.Preferences(), TPasteTarget{ids.unit, ids.target}, text, this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  TWindowRect& place = app_.WindowLayout().paste;
  if (place.Width() > 0 && place.Height() > 0) dialog->resize(place.Width(), place.Height());
  dialog->preferences_changed = [this] { app_.SavePreferences(); };
  connect(dialog, &QDialog::finished, this, [dialog, &place] {
    place = TWindowRect::At(place.left, place.top, dialog->width(), dialog->height());
  });
  dialog->setModal(true);
  dialog->show();
}

// --- Search panel ------------------------------------------------------------------------------

void CMainFrame::ToggleSearch() {
  if (search_panel_->IsShown()) {
    HideSearch();
  } else {
    ShowSearch();
  }
}

void CMainFrame::ShowSearch() {
  search_panel_->show();
  SetSearchWords(search_panel_->Words());
  search_panel_->SearchBox().setFocus(Qt::ShortcutFocusReason);
}

void CMainFrame::HideSearch() {
  search_words_.clear();
  // Every log ends its highlight and goes back to where it was, not only
  // the current one.
  for (auto& [id, view] : log_views_) {
    if (auto* log = qobject_cast<TLogView*>(view.data())) log->SetHighlightWords({});
  }
  if (TLogView* console = ConsoleLog()) console->SetHighlightWords({});
  search_panel_->hide();
  FocusPane(input_);
}

void CMainFrame::FindHighlight(bool downward) {
  if (!search_panel_->IsShown()) {
    ShowSearch();
    return;
  }
  if (TLogView* log = CurrentLog()) log->FindHighlight(downward, false);
}

void CMainFrame::SetSearchWords(const std::vector<std::string>& words) {
  search_words_ = words;
  ApplySearchWords();
}

void CMainFrame::ApplySearchWords() {
  if (!search_panel_ || !search_panel_->IsShown()) return;
  if (TLogView* log = CurrentLog()) log->SetHighlightWords(search_words_);
}

// --- The tree's mouse --------------------------------------------------------------------------

void CMainFrame::TreeDoubleClicked(const QModelIndex& index) {
  TUnit* unit = tree_model_->UnitAt(index);
  if (!unit) return;
  TChannel* target = tree_model_->TargetAt(index);
  const QModelIndex unit_index = tree_model_->IndexOf(*unit, nullptr);
  switch (DoubleClickNode(*unit, target)) {
    case TTreeExpansion::Expand: tree_view_->expand(unit_index); break;
    case TTreeExpansion::Collapse: tree_view_->collapse(unit_index); break;
    case TTreeExpansion::Toggle: tree_view_->setExpanded(unit_index, !tree_view_->isExpanded(unit_index)); break;
    case TTreeExpansion::ScrollToEnd:
      if (auto* log = qobject_cast<TLogView*>(LogViewOf(*target))) log->ScrollToEnd();
      break;
    case TTreeExpansion::None: break;
  }
}

QMenu* CMainFrame::MenuTitled(const QString& title) const {
  for (QAction* action : menuBar()->actions()) {
    if (action->menu() && action->text() == title) return action->menu();
  }
  return nullptr;
}

void CMainFrame::ShowTreeMenu(const QPoint& at) {
  const QModelIndex index = tree_view_->indexAt(at);
  const QPoint screen = tree_view_->viewport()->mapToGlobal(at);
  TUnit* unit = tree_model_->UnitAt(index);
  TChannel* target = tree_model_->TargetAt(index);
  if (unit) world_.Select(unit, target);
  UpdateActions();
  if (!unit) {
    QMenu menu(this);
    menu.addAction(Action("addserver"));
    menu.addAction(Action("tree"));
    menu.exec(screen);
  } else if (target && target->IsTalk()) {
    QMenu menu(this);
    menu.addAction(Action("part"));
    menu.addAction(Action("addchannel"));
    menu.exec(screen);
  } else if (QMenu* menu = MenuTitled(target ? Q("チャンネル(&C)") : Q("サーバ(&S)"))) {
    menu->exec(screen);
  }
}

// --- Windows of the commands -------------------------------------------------------------------

void CMainFrame::OpenMemberWindow() {
  TChannel* target = world_.SelectedTarget();
  if (target && target->IsChannel() && target->IsJoined()) member_windows_->Open(*target, this);
}

void CMainFrame::OpenProtocolLog() {
  if (TUnit* unit = world_.SelectedUnit()) protocol_logs_->Open(*unit);
}

void CMainFrame::OpenChannelList() {
  if (TUnit* unit = world_.SelectedUnit(); unit && unit->IsLoggedIn()) {
    app_.Protocol().Numerics().Windows().OpenChannelList(*unit);
  }
}

void CMainFrame::OpenMaskList(char letter) {
  TUnit* unit = world_.SelectedUnit();
  TChannel* target = world_.SelectedTarget();
  const std::optional<TMaskListKind> kind = MaskListKindOf(letter);
  if (unit && target && kind) app_.Protocol().Numerics().Windows().OpenMaskList(*unit, *target, *kind);
}

void CMainFrame::OpenHistory(bool keywords) {
  QPointer<THistoryWindow>& window = keywords ? keyword_history_ : url_history_;
  TWindowRect& place = keywords ? app_.WindowLayout().keyword_history : app_.WindowLayout().url_history;
  if (!window) {
    TLineHistory& history = keywords ? world_.KeywordHistory() : world_.UrlHistory();
    window = new THistoryWindow(history, keywords ? Q("キーワード履歴") : Q("URL履歴"), this);
    window->setWindowFlag(Qt::Window);
    if (place.Width() > 0 && place.Height() > 0) window->resize(place.Width(), place.Height());
    window->open_line = [this](const TLinkKey& key) {
      TUnit* unit = world_.FindUnitById(key.unit);
      if (!unit) return;
      TChannel* target = key.channel == kNoNode ? nullptr : unit->FindById(key.channel);
      if (key.channel != kNoNode && !target) return;
      world_.Select(unit, target);
      if (auto* log = qobject_cast<TLogView*>(LogViewOf(target ? static_cast<TTreeNode&>(*target) : *unit))) {
        log->ShowLineBySerial(key.serial);
      }
    };
    THistoryWindow* shown = window;
    connect(window, &QDialog::finished, this, [shown, &place] {
      place = TWindowRect::At(place.left, place.top, shown->width(), shown->height());
    });
  }
  window->Raise();
}

// --- Notices of the model ----------------------------------------------------------------------

void CMainFrame::NodeMoved(TUnit& unit, TChannel* target, int step) {
  tree_model_->NodeMoved(unit, target, step);
  const QModelIndex index = tree_model_->IndexOf(*world_.SelectedUnit(), world_.SelectedTarget());
  if (index.isValid()) tree_view_->setCurrentIndex(index);
}

void CMainFrame::ForgetTargetWindows(TUnit& unit, TChannel* target) {
  if (target) {
    member_windows_->TargetRemoved(*target);
  } else {
    protocol_logs_->UnitRemoved(unit);
  }
}

// Closed the way the user closes them, the windows put their places and
// columns into the layout before window.ini is written, and none stays on
// screen while the servers take their leave.
void CMainFrame::CloseSecondaryWindows() {
  // A window's close may take others with it.
  std::vector<QPointer<QWidget>> windows;
  for (QWidget* widget : findChildren<QWidget*>())
    if (widget->isWindow()) windows.emplace_back(widget);
  for (const QPointer<QWidget>& window : windows)
    if (window && window->isVisible()) window->close();
  if (dcc_windows_ && dcc_windows_->Window()) {
    dcc_windows_->StoreLayout();
    dcc_windows_->Window()->hide();
  }
}

bool CMainFrame::IsProtocolLogOpen(const TUnit& unit) const { return protocol_logs_->IsProtocolLogOpen(unit); }

void CMainFrame::AddProtocolLine(TUnit& unit, bool sent, const std::string& line) {
  protocol_logs_->AddProtocolLine(unit, sent, line);
}

}  // namespace zeph
