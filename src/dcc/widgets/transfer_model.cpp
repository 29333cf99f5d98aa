#include "dcc/widgets/transfer_model.h"

#include "platform/qt/qt_text.h"

namespace zeph {
namespace {

// The columns in the order of TTransferRow; the send pane has no folder.
constexpr const char* kReceiveHeaders[] = {"送信元", "ファイル名", "タスク", "カウント", "状況",
                                           "残り時間", "速度", "アドレス", "パス"};
constexpr const char* kSendHeaders[] = {"送信先", "ファイル名", "タスク", "カウント", "状況",
                                        "残り時間", "速度", "アドレス"};
constexpr int kCountColumn = 3;
constexpr int kSpeedColumn = 6;

const std::string& Column(const TTransferRow& row, int column) {
  switch (column) {
    case 0: return row.nick;
    case 1: return row.file_name;
    case 2: return row.task;
    case 3: return row.count;
    case 4: return row.progress;
    case 5: return row.remaining;
    case 6: return row.speed;
    case 7: return row.address;
    default: return row.folder;
  }
}

bool IsNumeric(int column) { return column >= kCountColumn && column <= kSpeedColumn; }

}  // namespace

TTransferModel::TTransferModel(TDccManager& manager, const TPreferences& preferences, TTransferKind kind,
                               QObject* parent)
    : QAbstractTableModel(parent), manager_(manager), preferences_(preferences), kind_(kind) {
  for (size_t row = 0; row < manager_.Count(kind_); ++row) rows_.push_back(MakeRow(row));
  stale_.assign(rows_.size(), false);
  manager_.AddObserver(this);
  connect(&tick_, &QTimer::timeout, this, &TTransferModel::ProgressTick);
  tick_.start(kProgressTickMs);
}

TTransferModel::~TTransferModel() { manager_.RemoveObserver(this); }

const TTransfer& TTransferModel::Entry(size_t row) const {
  if (kind_ == TTransferKind::Receive) return manager_.Receive(row);
  return manager_.Send(row);
}

TTransferRow TTransferModel::MakeRow(size_t row) const {
  if (kind_ == TTransferKind::Receive) return ReceiveRow(manager_.Receive(row), preferences_);
  return SendRow(manager_.Send(row));
}

uint64_t TTransferModel::IdOf(int row) const { return Entry(static_cast<size_t>(row)).Id(); }

int TTransferModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TTransferModel::columnCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return kind_ == TTransferKind::Receive ? static_cast<int>(std::size(kReceiveHeaders))
                                         : static_cast<int>(std::size(kSendHeaders));
}

QVariant TTransferModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  if (role == Qt::DisplayRole) return ToQString(Column(Row(index.row()), index.column()));
  if (role == Qt::TextAlignmentRole && IsNumeric(index.column()))
    return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
  return {};
}

QVariant TTransferModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
  if (role == Qt::DisplayRole) {
    return QString::fromUtf8(kind_ == TTransferKind::Receive ? kReceiveHeaders[section] : kSendHeaders[section]);
  }
  if (role == Qt::TextAlignmentRole && IsNumeric(section))
    return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
  return {};
}

void TTransferModel::TransferAdded(TTransferKind kind, size_t row) {
  if (kind != kind_) return;
  int at = static_cast<int>(row);
  beginInsertRows(QModelIndex(), at, at);
  rows_.insert(rows_.begin() + at, MakeRow(row));
  stale_.insert(stale_.begin() + at, false);
  endInsertRows();
}

void TTransferModel::TransferRemoving(TTransferKind kind, size_t row) {
  if (kind != kind_) return;
  int at = static_cast<int>(row);
  beginRemoveRows(QModelIndex(), at, at);
  rows_.erase(rows_.begin() + at);
  stale_.erase(stale_.begin() + at);
}

void TTransferModel::TransferRemoved(TTransferKind kind, size_t) {
  if (kind == kind_) endRemoveRows();
}

// A block of data changes only the counters: those wait for the tick. A
// change of state is shown at once.
void TTransferModel::TransferChanged(TTransferKind kind, size_t row) {
  if (kind != kind_ || row >= rows_.size()) return;
  TTransferRow fresh = MakeRow(row);
  bool flowing = Entry(row).State() == TTransferState::Transferring;
  if (flowing && fresh.task == rows_[row].task) {
    stale_[row] = true;
    return;
  }
  rows_[row] = std::move(fresh);
  stale_[row] = false;
  emit dataChanged(index(static_cast<int>(row), 0), index(static_cast<int>(row), columnCount() - 1));
}

void TTransferModel::ProgressTick() {
  for (size_t row = 0; row < rows_.size(); ++row) {
    // Active rows change by the second (speed, time left, the resume wait).
    if (!stale_[row] && !IsActive(Entry(row).State())) continue;
    TTransferRow fresh = MakeRow(row);
    stale_[row] = false;
    if (fresh == rows_[row]) continue;
    rows_[row] = std::move(fresh);
    emit dataChanged(index(static_cast<int>(row), 0), index(static_cast<int>(row), columnCount() - 1));
  }
}

}  // namespace zeph
