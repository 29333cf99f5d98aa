#pragma once

#include <QAbstractTableModel>
#include <QDialog>
#include <functional>

#include "display/widgets/window_geometry.h"
#include "protocol/channel_list_model.h"

class QTreeView;

// The channel list window of a unit: the LIST answer, sortable by a click
// on a column header, with join and member requests on the selected row.
namespace zeph {

class TReplyWindows;
class TWorld;

// The rows of the model as Qt sees them, following its notices.
class TChannelListItemModel final : public QAbstractTableModel, private TChannelListObserver {
  Q_OBJECT

 public:
  explicit TChannelListItemModel(TChannelListModel& model, QObject* parent = nullptr);
  ~TChannelListItemModel() override;

  TChannelListModel* Model() const { return model_; }
  // The model is about to go; nothing is shown from now on.
  void Detach();
  // Called for the model's raise and close notices.
  std::function<void()> on_raise;
  std::function<void()> on_closed;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  void OnRowAdded(const TChannelListModel& model, int row) override;
  void OnRowsCleared(const TChannelListModel& model) override;
  void OnRowsSorted(const TChannelListModel& model) override;
  void OnListRaise(const TChannelListModel& model) override;
  void OnListClosed(const TChannelListModel& model) override;

  TChannelListModel* model_;
};

class TChannelListWindow final : public QDialog {
  Q_OBJECT

 public:
  TChannelListWindow(TWorld& world, TReplyWindows& windows, TChannelListModel& model, const std::string& unit_name,
                     QWidget* parent = nullptr);
  ~TChannelListWindow() override;

  // The window closes: its place and column widths go back to the settings.
  std::function<void(const TWindowEntry& geometry)> store_geometry;

  TChannelListItemModel& Items() const { return *items_; }
  QTreeView& View() const { return *view_; }
  void ApplyGeometry(const TWindowEntry& geometry);
  TWindowEntry Geometry() const;

  void Raise();
  void Refresh();
  void JoinSelected();
  void RequestNames();
  void RequestWho();
  void SortBy(int column);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // The unit while it is there and the model is open; null otherwise.
  TUnit* FindUnit() const;
  int SelectedRow() const;
  void ShowRowMenu(const QPoint& position);

  TWorld& world_;
  TReplyWindows& windows_;
  TNodeId unit_;
  TChannelListItemModel* items_;
  QTreeView* view_;
};

}  // namespace zeph
