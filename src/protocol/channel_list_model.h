#pragma once

#include <string>
#include <vector>

#include "display/link_key.h"

// The rows of a unit's channel list window, filled from the LIST answer,
// and the window's requests to its unit.
namespace zeph {

class TChannelListModel;
class TUnit;

struct TChannelListRow {
  std::string channel;
  int users = 0;
  std::string topic;
};

// The columns, numbered as the window shows them.
enum class TChannelListColumn { Channel = 0, Users = 1, Topic = 2 };

class TChannelListObserver {
 public:
  virtual ~TChannelListObserver() = default;
  virtual void OnRowAdded(const TChannelListModel& model, int row) = 0;
  virtual void OnRowsCleared(const TChannelListModel& model) = 0;
  virtual void OnRowsSorted(const TChannelListModel& model) = 0;
  // Restore if minimised, show, bring to the front and focus.
  virtual void OnListRaise(const TChannelListModel& model) = 0;
  // The model goes away with its unit: the window closes without calling
  // back.
  virtual void OnListClosed(const TChannelListModel& model) = 0;
};

class TChannelListModel {
 public:
  explicit TChannelListModel(TNodeId unit) : unit_(unit) {}

  TNodeId Unit() const { return unit_; }
  void SetObserver(TChannelListObserver* observer) { observer_ = observer; }
  // "チャンネル一覧 - " and the unit's name.
  static std::string Title(const std::string& unit_name);

  const std::vector<TChannelListRow>& Rows() const { return rows_; }
  TChannelListColumn SortColumn() const { return sort_column_; }

  void AddRow(TChannelListRow row);
  void Clear();
  // Sorts by the current column: users larger first, topic ascending;
  // ties, and the channel column, by channel name; letter case ignored.
  void Sort();
  // A click on a column header: it becomes the sort column, sorted at once.
  void SortBy(TChannelListColumn column);
  void Raise();
  void NotifyClosed();

 private:
  TNodeId unit_;
  TChannelListObserver* observer_ = nullptr;
  std::vector<TChannelListRow> rows_;
  TChannelListColumn sort_column_ = TChannelListColumn::Users;
};

// The window's requests; each does nothing unless the unit is logged in.
// "更新": LIST again.
void RefreshChannelList(TUnit& unit);
// On a row: "入る" joins with no key, "メンバ情報を取得" asks NAMES,
// "詳細なメンバ情報を取得" asks WHO.
void JoinListedChannel(TUnit& unit, const TChannelListModel& model, int row);
void RequestListedNames(TUnit& unit, const TChannelListModel& model, int row);
void RequestListedWho(TUnit& unit, const TChannelListModel& model, int row);

}  // namespace zeph
