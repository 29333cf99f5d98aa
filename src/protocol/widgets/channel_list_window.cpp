#include "protocol/widgets/channel_list_window.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "engine/unit.h"
#include "engine/world.h"
#include "platform/qt/qt_text.h"
#include "protocol/numeric_windows.h"

namespace zeph {

TChannelListItemModel::TChannelListItemModel(TChannelListModel& model, QObject* parent)
    : QAbstractTableModel(parent), model_(&model) {
  model.SetObserver(this);
}

TChannelListItemModel::~TChannelListItemModel() { Detach(); }

void TChannelListItemModel::Detach() {
  if (!model_) return;
  beginResetModel();
  model_->SetObserver(nullptr);
  model_ = nullptr;
  endResetModel();
}

int TChannelListItemModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || !model_ ? 0 : static_cast<int>(model_->Rows().size());
}

int TChannelListItemModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 3; }

QVariant TChannelListItemModel::data(const QModelIndex& index, int role) const {
  if (!model_ || index.row() < 0 || index.row() >= rowCount()) return {};
  const TChannelListRow& row = model_->Rows()[static_cast<size_t>(index.row())];
  const auto column = static_cast<TChannelListColumn>(index.column());
  if (role == Qt::TextAlignmentRole && column == TChannelListColumn::Users) {
    return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
  }
  if (role != Qt::DisplayRole) return {};
  switch (column) {
    case TChannelListColumn::Channel: return ToQString(row.channel);
    case TChannelListColumn::Users: return QString::number(row.users);
    case TChannelListColumn::Topic: return ToQString(row.topic);
  }
  return {};
}

QVariant TChannelListItemModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  static const char* const kTitles[] = {"チャンネル名", "人数", "トピック"};
  return section >= 0 && section < 3 ? QString::fromUtf8(kTitles[section]) : QVariant();
}

void TChannelListItemModel::OnRowAdded(const TChannelListModel&, int row) {
  beginInsertRows({}, row, row);
  endInsertRows();
}

void TChannelListItemModel::OnRowsCleared(const TChannelListModel&) {
  beginResetModel();
  endResetModel();
}

void TChannelListItemModel::OnRowsSorted(const TChannelListModel&) {
  emit layoutAboutToBeChanged();
  emit layoutChanged();
}

void TChannelListItemModel::OnListRaise(const TChannelListModel&) {
  if (on_raise) on_raise();
}

void TChannelListItemModel::OnListClosed(const TChannelListModel&) {
  Detach();
  if (on_closed) on_closed();
}

// --- The window ------------------------------------------------------------------------------

TChannelListWindow::TChannelListWindow(TWorld& world, TReplyWindows& windows, TChannelListModel& model,
                                       const std::string& unit_name, QWidget* parent)
    : QDialog(parent),
      world_(world),
      windows_(windows),
      unit_(model.Unit()),
      items_(new TChannelListItemModel(model, this)),
      view_(new QTreeView(this)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName(QStringLiteral("Zephlora2ChannelList"));
  setWindowTitle(LiteralWindowTitle(ToQString(TChannelListModel::Title(unit_name))));
  setSizeGripEnabled(true);
  setMinimumSize(480, 160);
  items_->on_raise = [this] { Raise(); };
  items_->on_closed = [this] { close(); };

  view_->setModel(items_);
  view_->setRootIsDecorated(false);
  view_->setUniformRowHeights(true);
  view_->setAllColumnsShowFocus(true);
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  view_->setContextMenuPolicy(Qt::CustomContextMenu);
  view_->header()->setSectionsClickable(true);
  view_->header()->resizeSection(0, 160);
  view_->header()->resizeSection(1, 60);
  connect(view_->header(), &QHeaderView::sectionClicked, this, &TChannelListWindow::SortBy);
  connect(view_, &QTreeView::doubleClicked, this, &TChannelListWindow::JoinSelected);
  connect(view_, &QWidget::customContextMenuRequested, this, &TChannelListWindow::ShowRowMenu);

  auto* note = new QLabel(
      QStringLiteral("大規模なIRCネットワークの場合，チャンネル一覧を取得すると切断されることがあります"), this);
  note->setWordWrap(true);
  auto* join = new QPushButton(QStringLiteral("入る(&J)"), this);
  auto* refresh = new QPushButton(QStringLiteral("更新(&U)"), this);
  auto* close = new QPushButton(QStringLiteral("閉じる"), this);
  join->setObjectName(QStringLiteral("join"));
  refresh->setObjectName(QStringLiteral("refresh"));
  connect(join, &QPushButton::clicked, this, &TChannelListWindow::JoinSelected);
  connect(refresh, &QPushButton::clicked, this, &TChannelListWindow::Refresh);
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(join, QDialogButtonBox::ActionRole);
  buttons->addButton(refresh, QDialogButtonBox::ActionRole);
  buttons->addButton(close, QDialogButtonBox::RejectRole);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(view_);
  layout->addWidget(note);
  layout->addWidget(buttons);
  resize(560, 400);
}

TChannelListWindow::~TChannelListWindow() = default;

void TChannelListWindow::ApplyGeometry(const TWindowEntry& geometry) {
  ApplyListWindowGeometry(*this, *view_->header(), geometry);
}

TWindowEntry TChannelListWindow::Geometry() const { return ListWindowGeometryOf(*this, *view_->header()); }

void TChannelListWindow::Raise() {
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
}

TUnit* TChannelListWindow::FindUnit() const { return items_->Model() ? world_.FindUnitById(unit_) : nullptr; }

int TChannelListWindow::SelectedRow() const {
  const QModelIndexList rows = view_->selectionModel()->selectedRows();
  if (!rows.isEmpty()) return rows.first().row();
  return view_->currentIndex().isValid() ? view_->currentIndex().row() : -1;
}

void TChannelListWindow::Refresh() {
  if (TUnit* unit = FindUnit()) RefreshChannelList(*unit);
}

void TChannelListWindow::JoinSelected() {
  if (TUnit* unit = FindUnit()) JoinListedChannel(*unit, *items_->Model(), SelectedRow());
}

void TChannelListWindow::RequestNames() {
  if (TUnit* unit = FindUnit()) RequestListedNames(*unit, *items_->Model(), SelectedRow());
}

void TChannelListWindow::RequestWho() {
  if (TUnit* unit = FindUnit()) RequestListedWho(*unit, *items_->Model(), SelectedRow());
}

void TChannelListWindow::SortBy(int column) {
  if (TChannelListModel* model = items_->Model()) model->SortBy(static_cast<TChannelListColumn>(column));
}

void TChannelListWindow::ShowRowMenu(const QPoint& position) {
  if (!view_->indexAt(position).isValid()) return;
  QMenu menu(this);
  menu.addAction(QStringLiteral("入る(&J)"), this, &TChannelListWindow::JoinSelected);
  menu.addAction(QStringLiteral("メンバ情報を取得(&I)"), this, &TChannelListWindow::RequestNames);
  menu.addAction(QStringLiteral("詳細なメンバ情報を取得(&W)"), this, &TChannelListWindow::RequestWho);
  menu.exec(view_->viewport()->mapToGlobal(position));
}

void TChannelListWindow::closeEvent(QCloseEvent* event) {
  if (store_geometry) store_geometry(Geometry());
  if (TChannelListModel* model = items_->Model()) {
    items_->Detach();
    windows_.CloseChannelList(*model);  // the rows go with the model
  }
  QDialog::closeEvent(event);
}

}  // namespace zeph
