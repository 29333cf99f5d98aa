#pragma once

// Mirrors of the member panel and the detail list of every target of a
// unit, kept the way a list view keeps its rows: only from the change
// notices. After each step they must show exactly the member list, in its
// order; a notice with a row out of range, or one that names another
// member than the row holds, is a fault too.
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/channel_name.h"
#include "engine/unit.h"

namespace zeph::fuzz {

class TViewMirror : public TMemberListObserver {
 public:
  TViewMirror(const TMemberList& list, TMemberView view) : list_(list), view_(view) { Reload(); }

  void OnMemberAdded(const TMember& member, int row) override {
    if (row < 0 || row > Size()) abort();
    rows_.insert(rows_.begin() + row, IrcUpper(member.nick));
  }
  void OnMemberChanged(const TMember& member, int old_row, int new_row) override {
    Take(old_row, member.nick);
    Put(new_row, member.nick);
  }
  void OnMemberRemoved(const TMember& member, int row) override { Take(row, member.nick); }
  void OnMemberRenamed(const TMember& member, std::string_view old_nick, int old_row, int new_row) override {
    Take(old_row, old_nick);
    Put(new_row, member.nick);
  }
  void OnMembersCleared() override { rows_.clear(); }
  void OnMembersResorted() override { Reload(); }

  void Check() const {
    const std::vector<const TMember*>& order = Order();
    if (static_cast<int>(order.size()) != list_.MemberCount() || order.size() != rows_.size()) abort();
    for (size_t i = 0; i < order.size(); ++i) {
      if (IrcUpper(order[i]->nick) != rows_[i] || list_.FindMember(order[i]->nick) != order[i]) abort();
    }
  }

 private:
  const std::vector<const TMember*>& Order() const {
    return view_ == TMemberView::Panel ? list_.PanelOrder() : list_.DetailOrder();
  }
  int Size() const { return static_cast<int>(rows_.size()); }
  void Reload() {
    rows_.clear();
    for (const TMember* member : Order()) rows_.push_back(IrcUpper(member->nick));
  }
  void Take(int row, std::string_view nick) {
    if (row < 0 || row >= Size() || rows_[static_cast<size_t>(row)] != IrcUpper(nick)) abort();
    rows_.erase(rows_.begin() + row);
  }
  void Put(int row, std::string_view nick) {
    if (row < 0 || row > Size()) abort();
    rows_.insert(rows_.begin() + row, IrcUpper(nick));
  }

  const TMemberList& list_;
  TMemberView view_;
  std::vector<std::string> rows_;
};

// Watches every target of a unit, including those made while it runs.
class TMemberMirrors {
 public:
  explicit TMemberMirrors(TUnit& unit) : unit_(unit) {}
  ~TMemberMirrors() {
    for (auto& [id, watched] : watched_) {
      if (TChannel* target = unit_.FindById(id)) Detach(*target, watched);
    }
  }

  // Checks every mirror, then starts mirroring targets that are new and
  // forgets those that are gone (their lists went with them).
  void Step() {
    for (auto it = watched_.begin(); it != watched_.end();) {
      if (unit_.FindById(it->first) == nullptr) {
        it = watched_.erase(it);
        continue;
      }
      it->second.panel->Check();
      it->second.detail->Check();
      ++it;
    }
    for (const auto& target : unit_.Channels()) {
      if (watched_.count(target->Id())) continue;
      TWatched& watched = watched_[target->Id()];
      watched.panel = std::make_unique<TViewMirror>(target->Members(), TMemberView::Panel);
      watched.detail = std::make_unique<TViewMirror>(target->Members(), TMemberView::Detail);
      target->AddMemberObserver(watched.panel.get(), TMemberView::Panel);
      target->AddMemberObserver(watched.detail.get(), TMemberView::Detail);
    }
  }

 private:
  struct TWatched {
    std::unique_ptr<TViewMirror> panel;
    std::unique_ptr<TViewMirror> detail;
  };
  static void Detach(TChannel& target, TWatched& watched) {
    target.RemoveMemberObserver(watched.panel.get());
    target.RemoveMemberObserver(watched.detail.get());
  }

  TUnit& unit_;
  std::map<TNodeId, TWatched> watched_;
};

}  // namespace zeph::fuzz
