#pragma once

#include <QMainWindow>
#include <functional>
#include <vector>

#include "dcc/dcc_manager.h"
#include "dcc/dcc_window_layout.h"

class QMenu;
class QSplitter;
class QTreeView;

// The DCC window ("DCCファイル送受信"): the receive pane above the send
// pane, the menus "受信" and "送信" acting on the selected entries, and
// the title that counts what is flowing.
namespace zeph {

class TTransferModel;

class TDccWindow final : public QMainWindow, private TDccObserver {
  Q_OBJECT

 public:
  TDccWindow(TDccManager& manager, const TPreferences& preferences, QWidget* parent = nullptr);
  ~TDccWindow() override;

  // Opening a file or folder, and the question before a dangerous file;
  // tests replace them.
  std::function<void(const QString& path)> open_path;
  std::function<bool(const QString& question)> confirm;

  void ApplyLayout(const TDccWindowLayout& layout);
  TDccWindowLayout Layout() const;

  TTransferModel& Model(TTransferKind kind) const;
  QTreeView& View(TTransferKind kind) const;
  QMenu& Menu(TTransferKind kind) const;
  // The ids of the selected entries of a pane, in list order.
  std::vector<uint64_t> SelectedIds(TTransferKind kind) const;

  // The menu operations, also run by double clicks.
  void StartSelected(TTransferKind kind);
  void QueueSelected(TTransferKind kind);
  void ResumeSelected();
  void StopSelected(TTransferKind kind);
  void RemoveSelected(TTransferKind kind);
  void OpenSelected(TTransferKind kind);
  void OpenSelectedFolder();
  void OpenRootFolder();
  void ChangeReceiveFolder();
  void ChangeReceiveFileName();
  void ChangeSendFile();
  void Activated(TTransferKind kind, const QModelIndex& index);

 private:
  void BuildMenus();
  QMenu* BuildReceiveMenu();
  QMenu* BuildSendMenu();
  QTreeView* BuildPane(TTransferModel* model);
  void UpdateTitle();
  // The one selected entry of a pane, when exactly one is selected.
  std::optional<uint64_t> SingleSelected(TTransferKind kind) const;
  void OpenEntry(TTransferKind kind, uint64_t id);

  void TransferAdded(TTransferKind, size_t) override { UpdateTitle(); }
  void TransferRemoved(TTransferKind, size_t) override { UpdateTitle(); }
  void TransferChanged(TTransferKind, size_t) override { UpdateTitle(); }

  TDccManager& manager_;
  const TPreferences& preferences_;
  TTransferModel* receives_;
  TTransferModel* sends_;
  QSplitter* splitter_;
  QTreeView* receive_view_;
  QTreeView* send_view_;
  QMenu* receive_menu_ = nullptr;
  QMenu* send_menu_ = nullptr;
  QString title_;
};

}  // namespace zeph
