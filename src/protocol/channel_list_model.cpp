#include "protocol/channel_list_model.h"

#include <algorithm>

#include "engine/unit.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

// A row with its folded texts, made once per sort: a large network lists
// tens of thousands of channels.
struct TSortKey {
  std::string channel;
  std::string topic;
  int users;
  size_t index;
};

bool Less(const TSortKey& a, const TSortKey& b, TChannelListColumn column) {
  if (column == TChannelListColumn::Users && a.users != b.users) return a.users > b.users;
  if (column == TChannelListColumn::Topic && a.topic != b.topic) return a.topic < b.topic;
  return a.channel < b.channel;
}

const TChannelListRow* RowAt(const TUnit& unit, const TChannelListModel& model, int row) {
  if (!unit.IsLoggedIn() || row < 0 || row >= static_cast<int>(model.Rows().size())) return nullptr;
  return &model.Rows()[static_cast<size_t>(row)];
}

}  // namespace

std::string TChannelListModel::Title(const std::string& unit_name) { return Sjis("チャンネル一覧 - ") + unit_name; }

void TChannelListModel::AddRow(TChannelListRow row) {
  rows_.push_back(std::move(row));
  if (observer_) observer_->OnRowAdded(*this, static_cast<int>(rows_.size()) - 1);
}

void TChannelListModel::Clear() {
  rows_.clear();
  if (observer_) observer_->OnRowsCleared(*this);
}

void TChannelListModel::Sort() {
  std::vector<TSortKey> keys;
  keys.reserve(rows_.size());
  for (size_t i = 0; i < rows_.size(); ++i) {
    const TChannelListRow& row = rows_[i];
    keys.push_back(TSortKey{AsciiLowerText(row.channel), AsciiLowerText(row.topic), row.users, i});
  }
  TChannelListColumn column = sort_column_;
  std::stable_sort(keys.begin(), keys.end(), [column](const TSortKey& a, const TSortKey& b) { return Less(a, b, column); });
  std::vector<TChannelListRow> sorted;
  sorted.reserve(rows_.size());
  for (const TSortKey& key : keys) sorted.push_back(std::move(rows_[key.index]));
  rows_ = std::move(sorted);
  if (observer_) observer_->OnRowsSorted(*this);
}

void TChannelListModel::SortBy(TChannelListColumn column) {
  sort_column_ = column;
  Sort();
}

void TChannelListModel::Raise() {
  if (observer_) observer_->OnListRaise(*this);
}

void TChannelListModel::NotifyClosed() {
  if (observer_) observer_->OnListClosed(*this);
  observer_ = nullptr;
}

void RefreshChannelList(TUnit& unit) {
  if (unit.IsLoggedIn()) unit.SendList(std::string());
}

void JoinListedChannel(TUnit& unit, const TChannelListModel& model, int row) {
  if (const TChannelListRow* listed = RowAt(unit, model, row)) unit.SendJoin(listed->channel, std::string());
}

void RequestListedNames(TUnit& unit, const TChannelListModel& model, int row) {
  if (const TChannelListRow* listed = RowAt(unit, model, row)) unit.SendNames(listed->channel);
}

void RequestListedWho(TUnit& unit, const TChannelListModel& model, int row) {
  if (const TChannelListRow* listed = RowAt(unit, model, row)) {
    unit.SendCommand("WHO", listed->channel, std::string(), 2, 0);
  }
}

}  // namespace zeph
