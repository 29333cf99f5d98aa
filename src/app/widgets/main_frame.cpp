#include "app/widgets/main_frame.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMoveEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSoundEffect>
#include <QSplitter>
#include <QStackedWidget>
#include <QToolBar>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindowStateChangeEvent>

#include "app/application.h"
#include "app/main_commands.h"
#include "app/tray_text.h"
#include "app/window_snap.h"
#include "app/widgets/log_view_factory.h"
#include "app/widgets/reply_window_host.h"
#include "display/widgets/history_window.h"
#include "engine/widgets/member_info_window.h"
#include "engine/widgets/protocol_log_window.h"
#include "app/widgets/member_list_model.h"
#include "app/widgets/server_tree_model.h"
#include "app/widgets/settings_dialogs.h"
#include "dcc/widgets/dcc_windows.h"
#include "display/theme_files.h"
#include "display/widgets/log_file_commands.h"
#include "display/widgets/screen_look.h"
#include "platform/qt/qt_shell.h"
#include "platform/qt/qt_text.h"
#include "platform/version.h"
#include "protocol/command_line.h"

namespace zeph {
namespace {

enum TTrayIconKind { kTrayNormal = 0, kTrayFlash = 1, kTrayBlink = 2 };

// The three tray icons, drawn: plain, and two signal colours.
QIcon TrayIconOf(QColor colour) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(colour);
  painter.setPen(QColor(0x30, 0x30, 0x30));
  painter.drawEllipse(1, 1, 14, 14);
  painter.setPen(Qt::white);
  QFont font = painter.font();
  font.setPixelSize(11);
  font.setBold(true);
  painter.setFont(font);
  painter.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("Z"));
  return QIcon(pixmap);
}

TThemeFolders ThemeFoldersOf(const TAppFolders& folders) {
  return {folders.shared_theme, folders.shared_theme_image, folders.profile_theme, folders.profile_theme_image};
}

}  // namespace

CMainFrame::CMainFrame(TApplication& app, QWidget* parent)
    : QMainWindow(parent), app_(app), world_(app.World()), layout_(app.WindowLayout().main) {
  setObjectName(QStringLiteral("CMainFrame"));
  tree_model_ = std::make_unique<TServerTreeModel>(world_);
  confirm = [this](const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Ok | QMessageBox::Cancel, this);
    box.button(QMessageBox::Cancel)->setText(Q("キャンセル"));
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
  };
  ask_text = [this](const QString& title, const QString& label, const QString& text, bool* ok) {
    return QInputDialog::getText(this, title, label, QLineEdit::Normal, text, ok);
  };
  BuildPanes();
  BuildMenus();
  BuildTray();
  WireInput();
  blink_timer_.setInterval(1000);
  connect(&blink_timer_, &QTimer::timeout, this, [this] {
    blink_phase_ = !blink_phase_;
    SetTrayIcon(blink_phase_ ? kTrayBlink : kTrayNormal);
    QApplication::alert(this, 500);
  });
  world_.SetView(this);
  qApp->installEventFilter(this);
  setWindowTitle(Q(kProductName));
  ConnectMacros();
  UpdateActions();
}

CMainFrame::~CMainFrame() {
  qApp->removeEventFilter(this);
  DisconnectMacros();
  // The windows of the models go before the models' owners.
  reply_host_.reset();
  member_windows_.reset();
  protocol_logs_.reset();
  delete keyword_history_.data();
  delete url_history_.data();
  world_.SetView(nullptr);
  // The views let go of their line stores and member lists first.
  member_models_.clear();
  for (auto& [id, view] : log_views_) delete view.data();
  delete console_;
}

// --- Panes -------------------------------------------------------------------

void CMainFrame::BuildPanes() {
  auto* central = new QWidget(this);
  auto* outer = new QVBoxLayout(central);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->setSpacing(1);

  search_panel_ = new TSearchPanel(central);
  search_panel_->SearchBox().setObjectName(QStringLiteral("SearchBox"));
  search_panel_->hide();
  outer->addWidget(search_panel_);

  root_splitter_ = new QSplitter(Qt::Horizontal, central);
  root_splitter_->setObjectName(QStringLiteral("Splitter.Root"));
  outer->addWidget(root_splitter_, 1);

  // The log side: the current log over the input line, and the console.
  log_splitter_ = new QSplitter(Qt::Vertical);
  log_splitter_->setObjectName(QStringLiteral("Splitter.Log"));
  auto* current = new QWidget;
  auto* current_layout = new QVBoxLayout(current);
  current_layout->setContentsMargins(0, 0, 0, 0);
  current_layout->setSpacing(1);
  logs_ = new QStackedWidget(current);
  empty_log_ = new QWidget(logs_);
  logs_->addWidget(empty_log_);
  current_layout->addWidget(logs_, 1);
  input_ = new TInputBox(current);
  input_->setObjectName(QStringLiteral("InputLine"));
  current_layout->addWidget(input_);
  log_splitter_->addWidget(current);
  look_ = ApplyViewSettings(app_.ViewSettings(), ThemeFoldersOf(app_.Folders()), world_.Preferences().WholeLine);
  console_ = MakeLogView(world_.Console(), true, look_, world_.Preferences(), nullptr);
  console_->setObjectName(QStringLiteral("Console"));
  ListenTo(console_);
  log_splitter_->addWidget(console_);
  log_side_ = log_splitter_;

  // The tree side: the member list and the server tree.
  info_splitter_ = new QSplitter(Qt::Vertical);
  info_splitter_->setObjectName(QStringLiteral("Splitter.Info"));
  members_ = new QStackedWidget;
  empty_members_ = new QWidget(members_);
  members_->addWidget(empty_members_);
  tree_view_ = new QTreeView;
  tree_view_->setObjectName(QStringLiteral("ServerTree"));
  tree_view_->setHeaderHidden(true);
  tree_view_->setIndentation(16);
  tree_view_->setUniformRowHeights(true);
  tree_view_->setModel(tree_model_.get());
  connect(tree_view_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& index) {
            TUnit* unit = tree_model_->UnitAt(index);
            if (unit && (unit != world_.SelectedUnit() || tree_model_->TargetAt(index) != world_.SelectedTarget()))
              world_.Select(unit, tree_model_->TargetAt(index));
          });
  info_splitter_->addWidget(members_);
  info_splitter_->addWidget(tree_view_);
  tree_side_ = info_splitter_;
  ApplyPaneLook();

  root_splitter_->addWidget(log_side_);
  root_splitter_->addWidget(tree_side_);
  for (QSplitter* splitter : {root_splitter_, info_splitter_, log_splitter_}) {
    splitter->setChildrenCollapsible(false);
    connect(splitter, &QSplitter::splitterMoved, this, &CMainFrame::SplitterMoved);
  }
  setCentralWidget(central);
  ArrangeSplitters();
}

// Each splitter keeps one pane at its stored size and gives the rest to the
// other. The sizes live in the layout and change only when the user drags a
// splitter, so opening and closing the window never moves them.
void CMainFrame::ArrangeSplitters() {
  const TPreferences& prefs = world_.Preferences();
  arranging_ = true;
  root_splitter_->insertWidget(prefs.InvertLogAndList ? 0 : 1, tree_side_);
  info_splitter_->insertWidget(prefs.InvertMemberAndTree ? 0 : 1, tree_view_);
  root_splitter_->setStretchFactor(root_splitter_->indexOf(log_side_), 1);
  root_splitter_->setStretchFactor(root_splitter_->indexOf(tree_side_), 0);
  info_splitter_->setStretchFactor(info_splitter_->indexOf(members_), 1);
  info_splitter_->setStretchFactor(info_splitter_->indexOf(tree_view_), 0);
  log_splitter_->setStretchFactor(0, 1);
  log_splitter_->setStretchFactor(1, 0);
  auto place = [](QSplitter* splitter, QWidget* kept, int size) {
    int total = splitter->orientation() == Qt::Horizontal ? splitter->width() : splitter->height();
    if (total <= size) total = size + 200;
    QList<int> sizes{0, 0};
    sizes[splitter->indexOf(kept)] = size;
    sizes[1 - splitter->indexOf(kept)] = total - size - splitter->handleWidth();
    splitter->setSizes(sizes);
  };
  place(root_splitter_, tree_side_, layout_.splitter_root);
  place(info_splitter_, tree_view_, layout_.splitter_info);
  place(log_splitter_, console_, layout_.splitter_log);
  arranging_ = false;
}

void CMainFrame::SplitterMoved() {
  if (arranging_) return;
  layout_.splitter_root = root_splitter_->sizes()[root_splitter_->indexOf(tree_side_)];
  layout_.splitter_info = info_splitter_->sizes()[info_splitter_->indexOf(tree_view_)];
  layout_.splitter_log = log_splitter_->sizes()[log_splitter_->indexOf(console_)];
}

QWidget* CMainFrame::LogViewOf(TTreeNode& node) {
  QPointer<QWidget>& view = log_views_[node.Id()];
  if (!view) {
    view = MakeLogView(node.Log(), false, look_, world_.Preferences(), logs_);
    ListenTo(view);
    logs_->addWidget(view);
  }
  return view;
}

QWidget* CMainFrame::CurrentLogView() const { return logs_->currentWidget(); }

void CMainFrame::ForgetNode(TNodeId id) {
  if (auto it = log_views_.find(id); it != log_views_.end()) {
    delete it->second.data();
    log_views_.erase(it);
  }
  if (auto it = member_views_.find(id); it != member_views_.end()) {
    delete it->second.data();
    member_views_.erase(it);
  }
  member_models_.erase(id);
}

bool CMainFrame::SubmitLine(const QString& text, bool as_notice, bool as_action) {
  StopTitleSignals();
  TUnit* unit = world_.SelectedUnit();
  if (!unit || text.isEmpty()) return false;
  return ::zeph::SubmitInput(*unit, world_.SelectedTarget(), FromQString(text), as_notice, as_action, true);
}

void CMainFrame::ListenTo(QWidget* widget) {
  if (auto* view = qobject_cast<TLogView*>(widget)) {
    view->SetViewListener(this);
    view->SetNickListener(this);
    view->SetLinkListener(this);
  }
}

void CMainFrame::OpenUrl(TLogView&, const std::string& url) {
  QDesktopServices::openUrl(QUrl::fromUserInput(ToQString(url)));
}

void CMainFrame::ShowUrlMenu(TLogView& view, QPoint screen) {
  QString url = ToQString(view.MenuText());
  QMenu menu(this);
  menu.addAction(Q("URLをコピー(&C)"), this, [url] { QGuiApplication::clipboard()->setText(url); });
  menu.addAction(Q("URLを開く(&O)"), this, [url] { QDesktopServices::openUrl(QUrl::fromUserInput(url)); });
  // A new window is the browser's choice here; it opens the same way.
  menu.addAction(Q("URLを新規ウィンドウで開く(&N)"), this,
                 [url] { QDesktopServices::openUrl(QUrl::fromUserInput(url)); });
  menu.exec(screen);
}

void CMainFrame::ShowAddressMenu(TLogView& view, QPoint screen) {
  QString address = ToQString(view.MenuText());
  QMenu menu(this);
  menu.addAction(Q("アドレスをコピー(&C)"), this, [address] { QGuiApplication::clipboard()->setText(address); });
  menu.exec(screen);
}

void CMainFrame::OpenLink(TLogView&, const TLinkKey& key) { world_.OnLogLineAction(key); }

// --- The world's notices -----------------------------------------------------

void CMainFrame::NodeAdded(TUnit& unit, TChannel* target) {
  tree_model_->NodeAdded(unit, target);
  if (target) tree_view_->expand(tree_model_->IndexOf(unit, nullptr));
}

void CMainFrame::NodeRemoved(TUnit& unit, TChannel* target) {
  ForgetTargetWindows(unit, target);
  ForgetNode(target ? target->Id() : unit.Id());
  if (!target)
    for (const auto& channel : unit.Channels()) ForgetNode(channel->Id());
  tree_model_->NodeRemoved(unit, target);
  UpdateActions();
}

void CMainFrame::NodeChanged(TUnit& unit, TChannel* target) {
  tree_model_->NodeChanged(unit, target);
  if (&unit == world_.SelectedUnit()) UpdateActions();
}

void CMainFrame::ShowNode(TUnit& unit, TChannel* target) {
  TTreeNode& node = target ? static_cast<TTreeNode&>(*target) : unit;
  logs_->setCurrentWidget(LogViewOf(node));
  if (target && target->IsChannel()) {
    QPointer<QListView>& list = member_views_[target->Id()];
    if (!list) {
      auto model = std::make_unique<TMemberListModel>(*target);
      model->SetLook(look_);
      list = new QListView(members_);
      list->setModel(model.get());
      list->setSelectionMode(QAbstractItemView::ExtendedSelection);
      ApplyListLook(*list, *look_);
      list->setContextMenuPolicy(Qt::CustomContextMenu);
      TNodeId id = target->Id();
      connect(list, &QWidget::customContextMenuRequested, this, [this, id, list](const QPoint& at) {
        QModelIndex under = list->indexAt(at);
        if (under.isValid() && !list->selectionModel()->isSelected(under))
          list->selectionModel()->select(under, QItemSelectionModel::ClearAndSelect);
        ShowMemberMenu(id, list->viewport()->mapToGlobal(at));
      });
      member_models_[target->Id()] = std::move(model);
      members_->addWidget(list);
    }
    members_->setCurrentWidget(list);
  } else {
    members_->setCurrentWidget(empty_members_);
  }
  QModelIndex index = tree_model_->IndexOf(unit, target);
  if (index.isValid() && tree_view_->currentIndex() != index) tree_view_->setCurrentIndex(index);
  // The search highlight follows the user from log to log.
  ApplySearchWords();
  UpdateActions();
}

void CMainFrame::ExpandNode(TUnit& unit) { tree_view_->expand(tree_model_->IndexOf(unit, nullptr)); }

// --- Title, tray, sounds -----------------------------------------------------

void CMainFrame::SetTitle(const std::string& title) {
  title_ = ToQString(title);
  // "[*]" is Qt's mark for unsaved changes; a channel may well be called so.
  setWindowTitle(QString(title_).replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")));
  if (tray_) tray_->setToolTip(ToQString(TrayTooltip(title)));
}

bool CMainFrame::IsInBackground() const { return background_ || isMinimized() || !isVisible(); }

bool CMainFrame::IsMainWindowActive() const { return isActiveWindow(); }

void CMainFrame::FlashTitle() {
  if (IsMainWindowActive() || flashing_ || blinking_) return;
  flashing_ = true;
  QApplication::alert(this);
  SetTrayIcon(kTrayFlash);
}

void CMainFrame::BlinkTitle() {
  if (IsMainWindowActive() || blinking_) return;
  flashing_ = false;
  blinking_ = true;
  blink_timer_.start();
  SetTrayIcon(kTrayBlink);
}

void CMainFrame::StopTitleSignals() {
  flashing_ = blinking_ = false;
  blink_timer_.stop();
  SetTrayIcon(kTrayNormal);
}

void CMainFrame::ShowBalloon(const std::string& title, const std::string& text) {
  if (tray_ && tray_->isVisible()) tray_->showMessage(ToQString(title), ToQString(text));
}

void CMainFrame::PlaySound(const std::string& file) {
  QString path = ToQString(file);
  if (path.isEmpty() || !QFileInfo::exists(path)) return;
  std::unique_ptr<QSoundEffect>& effect = sounds_[file];
  if (!effect) {
    effect = std::make_unique<QSoundEffect>();
    effect->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
  }
  effect->play();
}

void CMainFrame::PutOnClipboard(const std::string& text) { QGuiApplication::clipboard()->setText(ToQString(text)); }

bool CMainFrame::IsCtrlHeld() const {
  return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier);
}

void CMainFrame::BuildTray() {
  tray_icons_ = {TrayIconOf(QColor(0x30, 0x60, 0xc0)), TrayIconOf(QColor(0xe0, 0x80, 0x00)),
                 TrayIconOf(QColor(0xd0, 0x20, 0x20))};
  setWindowIcon(tray_icons_[kTrayNormal]);
  tray_ = std::make_unique<QSystemTrayIcon>(tray_icons_[kTrayNormal]);
  tray_menu_ = std::make_unique<QMenu>();
  tray_menu_->addAction(Q("設定(&S)...\tAlt+S"), this, &CMainFrame::EditSettings);
  tray_dcc_action_ = tray_menu_->addAction(Q("DCCファイル送受信(&D)...\tAlt+D"), this, &CMainFrame::ShowDccWindow);
  tray_dcc_action_->setEnabled(false);
  tray_menu_->addAction(stop_macro_action_);
  tray_menu_->addAction(Q("終了(&X)...\tAlt+F4"), this, &QWidget::close);
  tray_menu_->addAction(Q("元のサイズに戻す(&R)"), this, &CMainFrame::RestoreAndActivate);
  tray_->setContextMenu(tray_menu_.get());
  connect(tray_.get(), &QSystemTrayIcon::activated, this, &CMainFrame::OnTrayActivated);
  connect(tray_.get(), &QSystemTrayIcon::messageClicked, this, &CMainFrame::RestoreAndActivate);
  UpdateTrayVisibility();
}

void CMainFrame::SetTrayIcon(int which) {
  if (tray_ && which < static_cast<int>(tray_icons_.size())) tray_->setIcon(tray_icons_[which]);
}

void CMainFrame::UpdateTrayVisibility() {
  if (!tray_) return;
  const TPreferences& prefs = world_.Preferences();
  bool show = prefs.EnableTrayIcon && !closing_ && (!prefs.ShowTrayIconOnMinimized || isMinimized());
  tray_->setVisible(show && QSystemTrayIcon::isSystemTrayAvailable());
  if (tray_action_) tray_action_->setChecked(prefs.EnableTrayIcon);
}

// Qt reports the first click of a double click as a click of its own, so
// without RestoreTrayIconOnSingleClick only the double click counts.
bool CMainFrame::OnTrayActivated(QSystemTrayIcon::ActivationReason reason) {
  bool single = world_.Preferences().RestoreTrayIconOnSingleClick;
  bool restores = single ? reason == QSystemTrayIcon::Trigger : reason == QSystemTrayIcon::DoubleClick;
  if (restores) RestoreAndActivate();
  return restores;
}

void CMainFrame::RestoreAndActivate() {
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
}

void CMainFrame::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange) {
    background_ = !isActiveWindow();
    if (isActiveWindow()) StopTitleSignals();
  } else if (event->type() == QEvent::WindowStateChange) {
    if (isMinimized()) background_ = true;
    UpdateTrayVisibility();
    // The others come back once this window is up and raised, over it as
    // they were.
    if (!isMinimized())
      QTimer::singleShot(0, this, [this] {
        if (!isMinimized()) other_windows_.ShowAgain();
      });
    else if (world_.Preferences().HideAllWindowOnMinimize)
      other_windows_.HideOthers();
    if (isMinimized() && world_.Preferences().HideWindowOnMinimize && tray_ && tray_->isVisible())
      QTimer::singleShot(0, this, &QWidget::hide);
  }
}

// Moves that come from the window system are the user's; the snapped
// position is asked for in turn and comes back as a move that is in place.
void CMainFrame::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  if (!event->spontaneous() || !world_.Preferences().SnapWindow || !isVisible() ||
      (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
    return;
  QScreen* screen = this->screen();
  if (!screen) return;
  QRect frame = frameGeometry();
  QRect work = screen->availableGeometry();
  TWindowRect snapped = SnapToWorkArea(TWindowRect::At(frame.x(), frame.y(), frame.width(), frame.height()),
                                       TWindowRect::At(work.x(), work.y(), work.width(), work.height()));
  if (snapped.left != frame.x() || snapped.top != frame.y()) move(snapped.left, snapped.top);
}

// --- Layout ------------------------------------------------------------------

void CMainFrame::ApplyLayout() {
  const TWindowRect& rect = layout_.rect;
  setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
  menuBar()->setVisible(layout_.menu_visible);
  toolbar_->setVisible(layout_.enable_tool_bar);
  setWindowFlag(Qt::WindowStaysOnTopHint, layout_.top_most);
  menu_action_->setChecked(layout_.menu_visible);
  toolbar_action_->setChecked(layout_.enable_tool_bar);
  topmost_action_->setChecked(layout_.top_most);
  if (layout_.maximized)
    setWindowState(Qt::WindowMaximized);
  else if (layout_.minimized)
    setWindowState(Qt::WindowMinimized);
  ArrangeSplitters();
}

void CMainFrame::StoreLayout() {
  // The normal placement stays what it was while the window is maximized
  // or minimized: that is the one to come back to.
  bool maximized = isMaximized();
  bool minimized = isMinimized();
  if (!maximized && !minimized && !isFullScreen()) {
    QRect normal = geometry();
    layout_.rect = TWindowRect::At(normal.x(), normal.y(), normal.width(), normal.height());
  } else {
    QRect normal = normalGeometry();
    if (normal.isValid()) layout_.rect = TWindowRect::At(normal.x(), normal.y(), normal.width(), normal.height());
  }
  layout_.maximized = maximized;
  layout_.minimized = minimized;
  layout_.menu_visible = menu_action_->isChecked();
  layout_.enable_tool_bar = toolbar_action_->isChecked();
  layout_.top_most = topmost_action_->isChecked();
  if (dcc_windows_) dcc_windows_->StoreLayout();
}

// --- Shutdown ----------------------------------------------------------------

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (closed_) {
    event->accept();
    return;
  }
  event->ignore();
  // A close asked again while the servers close their connections changes
  // nothing: the first one goes on.
  if (closing_) return;
  if (!quick_quit_ && world_.Preferences().PromptOnQuit && !Confirm(Q("終了します"))) return;
  closing_ = true;
  setAcceptDrops(false);
  CloseSecondaryWindows();
  StoreLayout();
  app_.SaveWindowLayoutOnce();
  StopTitleSignals();
  if (tray_) tray_->hide();
  hide();
  app_.Shutdown(quick_quit_, [this] {
    closed_ = true;
    if (on_closed) on_closed();
  });
}

// --- Prompts -----------------------------------------------------------------

bool CMainFrame::Confirm(const QString& text) { return confirm(text, Q("確認")); }

bool CMainFrame::AskText(const QString& title, const QString& label, QString* text) {
  bool ok = false;
  QString answer = ask_text(title, label, *text, &ok);
  if (!ok || answer.isEmpty()) return false;
  *text = answer;
  return true;
}

void CMainFrame::QuitWithMessage() {
  TSelectionIds ids = SelectedIds(world_);
  TUnit* unit = UnitOf(world_, ids);
  if (!unit || !unit->IsLoggedIn()) return;
  QString text = ToQString(unit->ExpandVariables(unit->Config().quit_message));
  if (!AskText(Q("サーバから切断 - ") + ToQString(unit->Name()), Q("切断メッセージを入力してください"), &text))
    return;
  unit = UnitOf(world_, ids);
  if (unit && unit->IsLoggedIn()) unit->SendQuit(FromQString(text));
}

void CMainFrame::SetAwayMessage() {
  TSelectionIds ids = SelectedIds(world_);
  TUnit* unit = UnitOf(world_, ids);
  if (!unit || !unit->IsLoggedIn()) return;
  QString text = ToQString(AwayTextOf(*unit));
  if (!AskText(Q("離席メッセージを設定 - ") + ToQString(unit->Name()), Q("離席メッセージを入力してください"), &text))
    return;
  unit = UnitOf(world_, ids);
  if (unit && unit->IsLoggedIn()) unit->SendAway(FromQString(text));
}

void CMainFrame::AskTalk() {
  TSelectionIds ids = SelectedIds(world_);
  if (!UnitOf(world_, ids)) return;
  QString nick;
  if (!AskText(Q("トーク - "), Q("トークする相手を入力してください"), &nick)) return;
  TUnit* unit = UnitOf(world_, ids);
  if (!unit) return;
  TChannelConfig config;
  config.name = FromQString(nick);
  TChannel* talk = unit->FindChannel(config.name);
  if (!talk) talk = world_.CreateTarget(*unit, config, TTargetKind::Talk, true);
  if (talk) world_.Select(unit, talk);
}

void CMainFrame::DeleteServer() {
  TSelectionIds ids = SelectedIds(world_);
  TUnit* unit = UnitOf(world_, ids);
  if (!unit || unit->IsConnectionUp()) return;
  if (!Confirm(Q("サーバを削除します"))) return;
  unit = UnitOf(world_, ids);
  if (unit) world_.DeleteUnit(*unit);
}

void CMainFrame::DeleteChannel() {
  TSelectionIds ids = SelectedIds(world_);
  TChannel* target = TargetOf(world_, ids);
  if (!target) return;
  if (target->IsChannel() && !Confirm(Q("チャンネルを削除します"))) return;
  TUnit* unit = UnitOf(world_, ids);
  target = TargetOf(world_, ids);
  if (!unit || !target) return;
  if (target->IsChannel() && target->IsJoined() && unit->IsLoggedIn())
    unit->SendPart(target->Name(), unit->ExpandVariables(unit->Config().part_message));
  world_.CloseTarget(*unit, *target);
  world_.SaveTree();
}

void CMainFrame::PartWithMessage() {
  TSelectionIds ids = SelectedIds(world_);
  TUnit* unit = UnitOf(world_, ids);
  TChannel* target = TargetOf(world_, ids);
  if (!unit || !target) return;
  if (!target->IsChannel()) {
    world_.CloseTarget(*unit, *target);
    return;
  }
  if (!CommandState(world_, TMenuRule::kPart).enabled) return;
  QString text = ToQString(unit->ExpandVariables(unit->Config().part_message));
  if (!AskText(ToQString(target->Name()) + Q(" を出る - "), Q("メッセージを入力してください"), &text)) return;
  unit = UnitOf(world_, ids);
  target = TargetOf(world_, ids);
  if (unit && target && unit->IsLoggedIn() && target->IsJoined()) unit->SendPart(target->Name(), FromQString(text));
}

void CMainFrame::AskTopic() {
  TSelectionIds ids = SelectedIds(world_);
  TChannel* target = TargetOf(world_, ids);
  if (!target) return;
  QString text = ToQString(target->Topic());
  if (!AskText(ToQString(target->Name()) + Q(" のトピック設定 - "), Q("トピックを入力してください"), &text)) return;
  TUnit* unit = UnitOf(world_, ids);
  target = TargetOf(world_, ids);
  if (unit && target && unit->IsLoggedIn()) unit->SendTopic(target->Name(), FromQString(text));
}

void CMainFrame::AskInvite() {
  TSelectionIds ids = SelectedIds(world_);
  TChannel* target = TargetOf(world_, ids);
  if (!target) return;
  QString nick;
  if (!AskText(ToQString(target->Name()) + Q(" に招待 - "), Q("招待する人を入力してください"), &nick)) return;
  TUnit* unit = UnitOf(world_, ids);
  target = TargetOf(world_, ids);
  if (unit && target && unit->IsLoggedIn()) unit->SendInvite(FromQString(nick), target->Name());
}

void CMainFrame::AskNick() {
  TSelectionIds ids = SelectedIds(world_);
  TUnit* unit = UnitOf(world_, ids);
  if (!unit) return;
  bool ok = false;
  QString nick = RunNickDialog(this, *unit, world_.Preferences(), &ok);
  unit = UnitOf(world_, ids);
  if (!ok || nick.isEmpty() || !unit) return;
  // The nick becomes ours when the server confirms it; the dialog's choice is
  // the one the collision retries start from.
  unit->SendNick(FromQString(nick), true);
}

void CMainFrame::AskWhois() {
  TSelectionIds ids = SelectedIds(world_);
  if (!UnitOf(world_, ids)) return;
  QString mask;
  if (!AskText(Q("人物情報を要求 - "), Q("対象のマスクを入力してください"), &mask)) return;
  if (TUnit* unit = UnitOf(world_, ids); unit && unit->IsLoggedIn()) unit->SendWhois(FromQString(mask));
}

void CMainFrame::AskAction() {
  TSelectionIds ids = SelectedIds(world_);
  TChannel* target = TargetOf(world_, ids);
  if (!target) return;
  QString text;
  if (!AskText(ToQString(target->Name()) + Q(" へアクション送信 - "), Q("メッセージを入力してください"), &text))
    return;
  SendActionTo(world_, ids, FromQString(text));
}

void CMainFrame::ClearLog() {
  if (auto* view = qobject_cast<TLogView*>(CurrentLogView())) ::zeph::ClearLog(*view);
}

void CMainFrame::SaveLog() {
  TUnit* unit = world_.SelectedUnit();
  auto* view = qobject_cast<TLogView*>(CurrentLogView());
  if (!unit || !view) return;
  TChannel* target = world_.SelectedTarget();
  SaveLogToFile(*view, target ? target->Name() : unit->Name(), QDate::currentDate());
}

void CMainFrame::ShowAbout() {
  QMessageBox::about(this, Q("Zephlora について"),
                     QStringLiteral("<b>%1</b> %2.%3<br><br>%4")
                         .arg(Q(kProductName))
                         .arg(kVersionMajor)
                         .arg(kVersionMinor, 2, 10, QLatin1Char('0'))
                         .arg(Q("日本語で話すための IRC クライアント")));
}

// The help topics are files under help/ in the application folder; without
// them nothing opens.
void CMainFrame::OpenHelp(const char* topic) {
  QString path = ToQString(app_.Folders().application.string()) + QStringLiteral("/help/") + Q(topic);
  if (QFileInfo::exists(path)) QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void CMainFrame::EditServer(bool add) {
  TSelectionIds ids = SelectedIds(world_);
  if (!add && !UnitOf(world_, ids)) return;
  RunServerPropertySheet(this, app_, add ? kNoNode : ids.unit);
}

void CMainFrame::EditChannel(bool add) {
  TSelectionIds ids = SelectedIds(world_);
  if (!UnitOf(world_, ids) || (!add && !TargetOf(world_, ids))) return;
  RunChannelDialog(this, world_, ids.unit, add ? kNoNode : ids.target);
}

void CMainFrame::EditSettings() {
  TSettingsServices services;
  services.view_applied = [this] { ApplyLook(); };
  services.play_sound = [this](const std::string& file) { PlaySound(file); };
  if (!RunSettingsDialog(this, app_, services)) return;
  ArrangeSplitters();
  UpdateTrayVisibility();
}

}  // namespace zeph
