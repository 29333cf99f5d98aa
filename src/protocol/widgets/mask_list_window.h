#pragma once

#include <QAbstractListModel>
#include <QDialog>

#include "protocol/mask_list_model.h"

class QListView;

// A window with one mask list of a channel (bans, ban exceptions,
// invitations or reops), kept in step by the list replies and MODE.
namespace zeph {

class TReplyWindows;

class TMaskListWindow final : public QDialog, private TMaskListObserver {
  Q_OBJECT

 public:
  TMaskListWindow(TReplyWindows& windows, TMaskListModel& model, const std::string& channel,
                  const std::string& unit_name, QWidget* parent = nullptr);
  ~TMaskListWindow() override;

  const TMaskListModel* Model() const { return model_; }
  QAbstractItemModel& Items() const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  class TItems;

  void OnMaskAdded(const TMaskListModel& model, int row) override;
  void OnMaskRemoved(const TMaskListModel& model, int row) override;
  void OnMasksCleared(const TMaskListModel& model) override;
  void OnMaskListRaise(const TMaskListModel& model) override;
  void OnMaskListClosed(const TMaskListModel& model) override;

  TReplyWindows& windows_;
  TMaskListModel* model_;
  TItems* items_;
};

}  // namespace zeph
