#include "dcc/widgets/dcc_window.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QHeaderView>
#include <QMenuBar>
#include <QMessageBox>
#include <QSplitter>
#include <QTreeView>
#include <QUrl>
#include <filesystem>

#include "settings/preferences.h"
#include "dcc/dangerous_file.h"
#include "dcc/received_file_name.h"
#include "dcc/widgets/transfer_model.h"
#include "platform/cp932.h"
#include "platform/qt/qt_text.h"

namespace zeph {
namespace fs = std::filesystem;
namespace {

constexpr const char* kTitle = "DCCファイル送受信";
constexpr const char* kAllFilesFilter = "すべてのファイル (*.*)";

constexpr auto kReceive = TTransferKind::Receive;
constexpr auto kSend = TTransferKind::Send;
using S = TTransferState;

QString PathText(const fs::path& path) { return QString::fromStdString(path.string()); }
fs::path PathOf(const QString& text) { return fs::path(text.toStdString()); }

bool InStates(S state, std::initializer_list<S> states) {
  return std::find(states.begin(), states.end(), state) != states.end();
}

}  // namespace

TDccWindow::TDccWindow(TDccManager& manager, const TPreferences& preferences, QWidget* parent)
    : QMainWindow(parent), manager_(manager), preferences_(preferences) {
  setObjectName("Zephlora2DccWindow");
  open_path = [](const QString& path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
  confirm = [this](const QString& question) {
    return QMessageBox::question(this, QString::fromUtf8("確認"), question, QMessageBox::Ok | QMessageBox::Cancel) ==
           QMessageBox::Ok;
  };
  receives_ = new TTransferModel(manager_, preferences_, kReceive, this);
  sends_ = new TTransferModel(manager_, preferences_, kSend, this);
  splitter_ = new QSplitter(Qt::Vertical, this);
  receive_view_ = BuildPane(receives_);
  send_view_ = BuildPane(sends_);
  setCentralWidget(splitter_);
  BuildMenus();
  ApplyLayout(TDccWindowLayout());
  manager_.AddObserver(this);
  UpdateTitle();
}

TDccWindow::~TDccWindow() { manager_.RemoveObserver(this); }

QTreeView* TDccWindow::BuildPane(TTransferModel* model) {
  auto* view = new QTreeView(splitter_);
  view->setModel(model);
  view->setRootIsDecorated(false);
  view->setUniformRowHeights(true);
  view->setSelectionMode(QAbstractItemView::ExtendedSelection);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setContextMenuPolicy(Qt::CustomContextMenu);
  TTransferKind kind = model->Kind();
  connect(view, &QTreeView::doubleClicked, this, [this, kind](const QModelIndex& index) { Activated(kind, index); });
  connect(view, &QWidget::customContextMenuRequested, this, [this, view, kind](const QPoint& at) {
    Menu(kind).popup(view->viewport()->mapToGlobal(at));
  });
  splitter_->addWidget(view);
  return view;
}

void TDccWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QString::fromUtf8("ファイル(&F)"));
  file->addAction(QString::fromUtf8("受信場所を開く"), this, &TDccWindow::OpenRootFolder);
  file->addSeparator();
  file->addAction(QString::fromUtf8("受信ペインの中断・完了アイテムをクリア"), this,
                  [this] { manager_.ClearFinished(kReceive); });
  file->addAction(QString::fromUtf8("送信ペインの中断・完了アイテムをクリア"), this,
                  [this] { manager_.ClearFinished(kSend); });
  file->addSeparator();
  file->addAction(QString::fromUtf8("閉じる(&C)"), this, &QWidget::close);
  receive_menu_ = BuildReceiveMenu();
  send_menu_ = BuildSendMenu();
  menuBar()->addMenu(receive_menu_);
  menuBar()->addMenu(send_menu_);
}

QMenu* TDccWindow::BuildReceiveMenu() {
  auto* menu = new QMenu(QString::fromUtf8("受信"), this);
  menu->addAction(QString::fromUtf8("開始"), this, [this] { StartSelected(kReceive); });
  menu->addAction(QString::fromUtf8("受信予約"), this, [this] { QueueSelected(kReceive); });
  menu->addAction(QString::fromUtf8("レジューム"), this, &TDccWindow::ResumeSelected);
  menu->addAction(QString::fromUtf8("中止"), this, [this] { StopSelected(kReceive); });
  menu->addAction(QString::fromUtf8("削除"), this, [this] { RemoveSelected(kReceive); });
  menu->addSeparator();
  menu->addAction(QString::fromUtf8("ディレクトリ名の変更"), this, &TDccWindow::ChangeReceiveFolder);
  menu->addAction(QString::fromUtf8("ファイル名の変更"), this, &TDccWindow::ChangeReceiveFileName);
  menu->addSeparator();
  menu->addAction(QString::fromUtf8("ファイルを実行"), this, [this] { OpenSelected(kReceive); });
  menu->addAction(QString::fromUtf8("受信場所を開く"), this, &TDccWindow::OpenSelectedFolder);
  return menu;
}

QMenu* TDccWindow::BuildSendMenu() {
  auto* menu = new QMenu(QString::fromUtf8("送信"), this);
  menu->addAction(QString::fromUtf8("開始"), this, [this] { StartSelected(kSend); });
  menu->addAction(QString::fromUtf8("送信予約"), this, [this] { QueueSelected(kSend); });
  menu->addAction(QString::fromUtf8("中止"), this, [this] { StopSelected(kSend); });
  menu->addAction(QString::fromUtf8("削除"), this, [this] { RemoveSelected(kSend); });
  menu->addSeparator();
  menu->addAction(QString::fromUtf8("ファイルの変更"), this, &TDccWindow::ChangeSendFile);
  menu->addSeparator();
  menu->addAction(QString::fromUtf8("ファイルを実行"), this, [this] { OpenSelected(kSend); });
  return menu;
}

TTransferModel& TDccWindow::Model(TTransferKind kind) const { return kind == kReceive ? *receives_ : *sends_; }
QTreeView& TDccWindow::View(TTransferKind kind) const { return kind == kReceive ? *receive_view_ : *send_view_; }
QMenu& TDccWindow::Menu(TTransferKind kind) const { return kind == kReceive ? *receive_menu_ : *send_menu_; }

std::vector<uint64_t> TDccWindow::SelectedIds(TTransferKind kind) const {
  std::vector<uint64_t> ids;
  QModelIndexList rows = View(kind).selectionModel()->selectedRows();
  std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
  for (const QModelIndex& row : rows) ids.push_back(Model(kind).IdOf(row.row()));
  return ids;
}

std::optional<uint64_t> TDccWindow::SingleSelected(TTransferKind kind) const {
  std::vector<uint64_t> ids = SelectedIds(kind);
  if (ids.size() != 1) return std::nullopt;
  return ids.front();
}

void TDccWindow::StartSelected(TTransferKind kind) { manager_.Start(kind, SelectedIds(kind)); }
void TDccWindow::QueueSelected(TTransferKind kind) { manager_.Queue(kind, SelectedIds(kind)); }
void TDccWindow::ResumeSelected() { manager_.Resume(SelectedIds(kReceive)); }
void TDccWindow::StopSelected(TTransferKind kind) { manager_.Stop(kind, SelectedIds(kind)); }
void TDccWindow::RemoveSelected(TTransferKind kind) { manager_.Remove(kind, SelectedIds(kind)); }

void TDccWindow::OpenSelected(TTransferKind kind) {
  for (uint64_t id : SelectedIds(kind)) OpenEntry(kind, id);
}

// Only a finished file is opened; one that runs programs asks first.
void TDccWindow::OpenEntry(TTransferKind kind, uint64_t id) {
  std::optional<size_t> row = manager_.RowOf(kind, id);
  if (!row) return;
  if (kind == kSend) {
    if (manager_.Send(*row).State() == S::Complete) open_path(PathText(manager_.Send(*row).Path()));
    return;
  }
  const TReceiveTransfer& receive = manager_.Receive(*row);
  if (receive.State() != S::Complete) return;
  fs::path path = receive.FilePath();
  std::string name = path.filename().string();
  if (WarnsBeforeOpening(name)) {
    QString question = QString::fromStdString(name) + QString::fromUtf8("\n危険なファイルですが本当に開きますか?");
    if (!confirm(question)) return;
    if (!manager_.RowOf(kind, id)) return;  // removed while asking
  }
  open_path(PathText(path));
}

void TDccWindow::OpenSelectedFolder() {
  std::optional<uint64_t> id = SingleSelected(kReceive);
  std::optional<size_t> row = id ? manager_.RowOf(kReceive, *id) : std::nullopt;
  if (row) open_path(PathText(manager_.Receive(*row).Folder()));
}

void TDccWindow::OpenRootFolder() { open_path(PathText(ReceiveRootFolder(preferences_))); }

void TDccWindow::ChangeReceiveFolder() {
  std::optional<uint64_t> id = SingleSelected(kReceive);
  std::optional<size_t> row = id ? manager_.RowOf(kReceive, *id) : std::nullopt;
  if (!row || !InStates(manager_.Receive(*row).State(), {S::Waiting, S::Failed, S::Queued})) return;
  QString chosen = QFileDialog::getExistingDirectory(this, QString::fromUtf8("ファイルの保存場所を選択してください"),
                                                     PathText(manager_.Receive(*row).Folder()));
  if (!chosen.isEmpty()) manager_.SetReceiveFolder(*id, PathOf(chosen));
}

void TDccWindow::ChangeReceiveFileName() {
  std::optional<uint64_t> id = SingleSelected(kReceive);
  std::optional<size_t> row = id ? manager_.RowOf(kReceive, *id) : std::nullopt;
  if (!row || !InStates(manager_.Receive(*row).State(), {S::Waiting, S::Failed, S::Queued})) return;
  const TReceiveTransfer& receive = manager_.Receive(*row);
  fs::path at = receive.Folder() / cp932::ToUtf8(receive.OfferedName());
  QString chosen = QFileDialog::getSaveFileName(this, QString::fromUtf8("受信するファイル名の変更"), PathText(at),
                                                QString::fromUtf8(kAllFilesFilter));
  if (chosen.isEmpty()) return;
  fs::path path = PathOf(chosen);
  manager_.SetReceiveFileName(*id, path.parent_path(), cp932::FromUtf8(path.filename().string()));
}

void TDccWindow::ChangeSendFile() {
  std::optional<uint64_t> id = SingleSelected(kSend);
  std::optional<size_t> row = id ? manager_.RowOf(kSend, *id) : std::nullopt;
  if (!row || !InStates(manager_.Send(*row).State(), {S::Waiting, S::Failed, S::Stopped, S::Queued})) return;
  QString chosen = QFileDialog::getOpenFileName(this, QString::fromUtf8("送信するファイルの変更"),
                                                PathText(manager_.Send(*row).Path()), QString::fromUtf8(kAllFilesFilter));
  if (!chosen.isEmpty()) manager_.SetSendPath(*id, PathOf(chosen));
}

void TDccWindow::Activated(TTransferKind kind, const QModelIndex& index) {
  if (!index.isValid()) return;
  uint64_t id = Model(kind).IdOf(index.row());
  S state = kind == kReceive ? manager_.Receive(static_cast<size_t>(index.row())).State()
                             : manager_.Send(static_cast<size_t>(index.row())).State();
  if (state == S::Complete) {
    OpenEntry(kind, id);
    return;
  }
  bool starts = kind == kReceive ? InStates(state, {S::Waiting, S::Queued})
                                 : InStates(state, {S::Waiting, S::Failed, S::Stopped, S::Queued});
  if (starts) manager_.Start(kind, std::vector<uint64_t>{id});
}

void TDccWindow::UpdateTitle() {
  QString title = QString::fromUtf8(kTitle) +
                  ToQString(TitleCounts(manager_.TransferringCount(kReceive), manager_.TransferringCount(kSend)));
  if (title != title_) {
    title_ = title;
    setWindowTitle(title);
  }
}

void TDccWindow::ApplyLayout(const TDccWindowLayout& layout) {
  setGeometry(layout.left, layout.top, layout.width, layout.height);
  splitter_->setSizes({layout.splitter, std::max(layout.height - layout.splitter, 1)});
  for (size_t i = 0; i < layout.receive_columns.size(); ++i)
    receive_view_->setColumnWidth(static_cast<int>(i), layout.receive_columns[i]);
  for (size_t i = 0; i < layout.send_columns.size(); ++i)
    send_view_->setColumnWidth(static_cast<int>(i), layout.send_columns[i]);
}

TDccWindowLayout TDccWindow::Layout() const {
  TDccWindowLayout layout;
  QRect at = geometry();
  layout.left = at.left();
  layout.top = at.top();
  layout.width = at.width();
  layout.height = at.height();
  QList<int> sizes = splitter_->sizes();
  if (!sizes.isEmpty()) layout.splitter = sizes.front();
  for (size_t i = 0; i < layout.receive_columns.size(); ++i)
    layout.receive_columns[i] = receive_view_->columnWidth(static_cast<int>(i));
  for (size_t i = 0; i < layout.send_columns.size(); ++i)
    layout.send_columns[i] = send_view_->columnWidth(static_cast<int>(i));
  return layout;
}

}  // namespace zeph
