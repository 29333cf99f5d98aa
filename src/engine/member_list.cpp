#include "engine/member_list.h"

#include <algorithm>
#include <utility>

#include "engine/channel_name.h"
#include "engine/mask.h"
#include "platform/sjis.h"

namespace zeph {

namespace {

template <class T>
int Compare(const T& a, const T& b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

// Case-insensitive for ASCII letters only; double-byte characters compare
// by their bytes, so the second byte of one is never folded.
int CompareNoCase(std::string_view a, std::string_view b) {
  size_t i = 0;
  size_t j = 0;
  while (i < a.size() && j < b.size()) {
    size_t length_a = SjisCharLength(a, i);
    size_t length_b = SjisCharLength(b, j);
    int order = 0;
    if (length_a == 1 && length_b == 1) {
      order = Compare(static_cast<unsigned char>(AsciiLower(a[i])), static_cast<unsigned char>(AsciiLower(b[j])));
    } else {
      order = a.substr(i, length_a).compare(b.substr(j, length_b));
    }
    if (order != 0) return order < 0 ? -1 : 1;
    i += length_a;
    j += length_b;
  }
  return Compare(a.size() - i, b.size() - j);
}

int OperatorRank(const TMember& member) { return member.is_operator ? 0 : (member.has_voice ? 1 : 2); }

// The user himself, then groups 1 to 5, then everyone else.
int GroupRank(const TMember& member) {
  if (member.group == kMemberGroupSelf) return 0;
  if (member.group == kMemberGroupUser) return 1 + member.group_index;
  return 1 + kUserGroupCount;
}

// Sort keys before the nick; 0 when they tie.
int ComparePanel(const TMember& a, const TMember& b, int method) {
  int order = 0;
  switch (static_cast<TMemberSortMethod>(method)) {
    case TMemberSortMethod::OperatorsFirst: return Compare(OperatorRank(a), OperatorRank(b));
    case TMemberSortMethod::ByGroup: return Compare(GroupRank(a), GroupRank(b));
    case TMemberSortMethod::OperatorsThenGroup:
      order = Compare(OperatorRank(a), OperatorRank(b));
      return order != 0 ? order : Compare(GroupRank(a), GroupRank(b));
    case TMemberSortMethod::GroupThenOperators:
      order = Compare(GroupRank(a), GroupRank(b));
      return order != 0 ? order : Compare(OperatorRank(a), OperatorRank(b));
    default: return 0;
  }
}

int CompareDetail(const TMember& a, const TMember& b, int column) {
  switch (static_cast<TDetailSortColumn>(column)) {
    case TDetailSortColumn::Status: return Compare(OperatorRank(a), OperatorRank(b));
    case TDetailSortColumn::User: return CompareNoCase(a.user, b.user);
    case TDetailSortColumn::Host: return CompareNoCase(a.host, b.host);
    case TDetailSortColumn::Info2: return CompareNoCase(a.info2, b.info2);
    case TDetailSortColumn::Info1: return CompareNoCase(a.info1, b.info1);
    default: return 0;
  }
}

}  // namespace

int MemberIcon(const TMember& member) { return member.is_operator ? 2 : (member.has_voice ? 1 : 0); }

TMemberGroup ClassifyMember(const TMember& member, const TMemberGroupSource& source) {
  if (member.nick == source.CurrentNick()) return {kMemberGroupSelf, -1};
  std::string address = UserAddress(member.nick, member.user, member.host);
  if (MatchesAnyMask(source.SelfMasks(), address)) return {kMemberGroupSelf, -1};
  const auto& groups = source.UserGroups();
  for (int index = 0; index < kUserGroupCount; ++index) {
    if (MatchesAnyMask(groups[index].masks, address)) return {kMemberGroupUser, index};
  }
  return {};
}

bool TMemberLess::operator()(const TMember* a, const TMember* b) const {
  int order = view == TMemberView::Panel ? ComparePanel(*a, *b, key) : CompareDetail(*a, *b, key);
  if (order == 0) order = CompareNoCase(a->nick, b->nick);
  // Nicks that differ only in letter case share a key, so no two members
  // get this far; the byte order keeps the ordering strict regardless.
  return order != 0 ? order < 0 : a->nick < b->nick;
}

int TMemberOrder::Insert(const TMember* member) {
  auto row = std::upper_bound(rows_.begin(), rows_.end(), member, less_) - rows_.begin();
  rows_.insert(rows_.begin() + row, member);
  return static_cast<int>(row);
}

int TMemberOrder::RowOf(const TMember* member) const {
  auto place = std::lower_bound(rows_.begin(), rows_.end(), member, less_);
  return place != rows_.end() && *place == member ? static_cast<int>(place - rows_.begin()) : -1;
}

void TMemberOrder::EraseAt(int row) { rows_.erase(rows_.begin() + row); }

int TMemberOrder::Settle(int row) {
  auto begin = rows_.begin();
  auto current = begin + row;
  const TMember* member = *current;
  if (current != begin && less_(member, *(current - 1))) {
    auto place = std::upper_bound(begin, current, member, less_);
    std::rotate(place, current, current + 1);
    return static_cast<int>(place - begin);
  }
  if (current + 1 != rows_.end() && less_(*(current + 1), member)) {
    auto place = std::lower_bound(current + 1, rows_.end(), member, less_);
    std::rotate(current, current + 1, place);
    return static_cast<int>(place - begin) - 1;
  }
  return row;
}

void TMemberOrder::Sort(TMemberLess less) {
  less_ = less;
  std::sort(rows_.begin(), rows_.end(), less_);
}

TMemberList::TMemberList(const TMemberGroupSource* groups) : groups_(groups) {}

template <class Change>
TMemberList::TMove TMemberList::ChangeMember(TMember& member, Change change) {
  TRows before = RowsOf(member);
  change(member);
  ComputeGroup(member);
  TRows after{panel_.Settle(before.panel), detail_.Settle(before.detail)};
  return {before, after};
}

template <class Notify>
void TMemberList::NotifyAll(Notify notify) {
  for (const TObserverEntry& entry : observers_) notify(*entry.observer, entry.view);
}

void TMemberList::AddMember(const TMember& member, bool merge) {
  std::string key = IrcUpper(member.nick);
  auto entry = members_.find(key);
  if (entry == members_.end()) {
    TMember& added = members_.emplace(std::move(key), member).first->second;
    ComputeGroup(added);
    TRows rows{panel_.Insert(&added), detail_.Insert(&added)};
    NotifyAll([&](TMemberListObserver& observer, TMemberView view) {
      observer.OnMemberAdded(added, rows.In(view));
    });
    return;
  }
  TMember& existing = entry->second;
  TMove move = ChangeMember(existing, [&](TMember& stored) {
    if (merge) {
      stored = member;
      return;
    }
    stored.nick = member.nick;
    if (!member.user.empty()) stored.user = member.user;
    if (!member.host.empty()) stored.host = member.host;
  });
  NotifyChanged(existing, move);
}

bool TMemberList::UpdateMember(std::string_view nick, std::string_view user, std::string_view host) {
  TMember* member = Find(nick);
  if (!member) return false;
  if (member->nick == nick && member->user == user && member->host == host) return false;
  if (user.empty() && host.empty()) return false;
  TMove move = ChangeMember(*member, [&](TMember& stored) {
    if (!user.empty()) stored.user = user;
    if (!host.empty()) stored.host = host;
  });
  NotifyChanged(*member, move);
  return true;
}

void TMemberList::RemoveMember(std::string_view nick) {
  auto entry = members_.find(IrcUpper(nick));
  if (entry != members_.end()) Remove(entry);
}

void TMemberList::RenameMember(std::string_view old_nick, std::string_view given_nick) {
  // A copy: the given text may belong to the member removed below.
  std::string new_nick(given_nick);
  std::string old_key = IrcUpper(old_nick);
  std::string new_key = IrcUpper(new_nick);
  auto entry = members_.find(old_key);
  if (entry == members_.end()) return;
  if (new_key != old_key) {
    auto holder = members_.find(new_key);
    if (holder != members_.end()) Remove(holder);
  }
  TMember& member = entry->second;
  std::string previous_nick = member.nick;
  TMove move = ChangeMember(member, [&](TMember& stored) { stored.nick = new_nick; });
  if (new_key != old_key) {
    auto node = members_.extract(old_key);
    node.key() = new_key;
    members_.insert(std::move(node));
  }
  NotifyAll([&](TMemberListObserver& observer, TMemberView view) {
    observer.OnMemberRenamed(member, previous_nick, move.before.In(view), move.after.In(view));
  });
}

void TMemberList::SetMemberMode(std::string_view nick, char letter, bool value) {
  TMember* member = Find(nick);
  if (!member || (letter != 'o' && letter != 'v')) return;
  TMove move = ChangeMember(*member, [&](TMember& stored) {
    (letter == 'o' ? stored.is_operator : stored.has_voice) = value;
  });
  NotifyChanged(*member, move);
}

const TMember* TMemberList::FindMember(std::string_view nick) const {
  auto entry = members_.find(IrcUpper(nick));
  return entry != members_.end() ? &entry->second : nullptr;
}

void TMemberList::ClearMembers() {
  panel_.Clear();
  detail_.Clear();
  members_.clear();
  NotifyAll([](TMemberListObserver& observer, TMemberView) { observer.OnMembersCleared(); });
}

void TMemberList::SetSortMethod(TMemberSortMethod method) {
  panel_.Sort({TMemberView::Panel, static_cast<int>(method)});
  NotifyResorted(TMemberView::Panel);
}

void TMemberList::SetDetailSortColumn(TDetailSortColumn column) {
  detail_.Sort({TMemberView::Detail, static_cast<int>(column)});
  NotifyResorted(TMemberView::Detail);
}

void TMemberList::RecomputeGroups() {
  for (auto& [key, member] : members_) ComputeGroup(member);
  panel_.Sort(panel_.Less());
  NotifyResorted(TMemberView::Panel);
  NotifyResorted(TMemberView::Detail);
}

void TMemberList::AddObserver(TMemberListObserver* observer, TMemberView view) {
  observers_.push_back({observer, view});
}

void TMemberList::RemoveObserver(TMemberListObserver* observer) {
  std::erase_if(observers_, [&](const TObserverEntry& entry) { return entry.observer == observer; });
}

TMember* TMemberList::Find(std::string_view nick) {
  auto entry = members_.find(IrcUpper(nick));
  return entry != members_.end() ? &entry->second : nullptr;
}

void TMemberList::ComputeGroup(TMember& member) const {
  TMemberGroup group = groups_ ? ClassifyMember(member, *groups_) : TMemberGroup{};
  member.group = group.group;
  member.group_index = group.index;
}

TMemberList::TRows TMemberList::RowsOf(const TMember& member) const {
  return {panel_.RowOf(&member), detail_.RowOf(&member)};
}

void TMemberList::Remove(std::unordered_map<std::string, TMember>::iterator entry) {
  const TMember& member = entry->second;
  TRows rows = RowsOf(member);
  panel_.EraseAt(rows.panel);
  detail_.EraseAt(rows.detail);
  NotifyAll([&](TMemberListObserver& observer, TMemberView view) {
    observer.OnMemberRemoved(member, rows.In(view));
  });
  members_.erase(entry);
}

void TMemberList::NotifyChanged(const TMember& member, TMove move) {
  NotifyAll([&](TMemberListObserver& observer, TMemberView view) {
    observer.OnMemberChanged(member, move.before.In(view), move.after.In(view));
  });
}

void TMemberList::NotifyResorted(TMemberView resorted) {
  NotifyAll([&](TMemberListObserver& observer, TMemberView view) {
    if (view == resorted) observer.OnMembersResorted();
  });
}

}  // namespace zeph
