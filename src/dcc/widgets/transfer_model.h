#pragma once

#include <QAbstractTableModel>
#include <QTimer>
#include <vector>

#include "dcc/dcc_manager.h"
#include "dcc/transfer_row.h"

// One pane of the DCC window: the receives or the sends of the manager,
// a row per entry and the columns of TTransferRow. Rows follow the
// manager's notices one by one; while data flows the counters, speed and
// remaining time are shown afresh once a second rather than for every
// block that arrives.
namespace zeph {

class TTransferModel final : public QAbstractTableModel, private TDccObserver {
  Q_OBJECT

 public:
  static constexpr int kProgressTickMs = 1000;

  TTransferModel(TDccManager& manager, const TPreferences& preferences, TTransferKind kind,
                 QObject* parent = nullptr);
  ~TTransferModel() override;

  TTransferKind Kind() const { return kind_; }
  // The entry ids of rows, for the manager's operations.
  uint64_t IdOf(int row) const;
  const TTransferRow& Row(int row) const { return rows_[static_cast<size_t>(row)]; }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // The once-a-second refresh of the active rows.
  void ProgressTick();

 private:
  TTransferRow MakeRow(size_t row) const;
  const TTransfer& Entry(size_t row) const;
  void TransferAdded(TTransferKind kind, size_t row) override;
  void TransferRemoving(TTransferKind kind, size_t row) override;
  void TransferRemoved(TTransferKind kind, size_t row) override;
  void TransferChanged(TTransferKind kind, size_t row) override;

  TDccManager& manager_;
  const TPreferences& preferences_;
  const TTransferKind kind_;
  std::vector<TTransferRow> rows_;
  std::vector<bool> stale_;  // changed while flowing: shown at the next tick
  QTimer tick_;
};

}  // namespace zeph
