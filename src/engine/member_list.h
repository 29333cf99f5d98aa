#pragma once

#include <array>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "settings/preferences.h"

// The members of one channel or talk, kept in the two orders the member
// panel and the detail list show them in.
namespace zeph {

inline constexpr int kMemberGroupNone = 0;
inline constexpr int kMemberGroupUser = 1;  // in one of the user groups 1 to 5
inline constexpr int kMemberGroupSelf = 2;  // the user himself

struct TMember {
  TMember() = default;
  // A member as a prefix or a NAMES reply introduces him.
  explicit TMember(std::string nick, std::string user = {}, std::string host = {})
      : nick(std::move(nick)), user(std::move(user)), host(std::move(host)) {}

  std::string nick;
  std::string user;
  std::string host;
  std::string info1;  // the server, from the member information replies
  std::string info2;  // the real name, likewise
  bool is_operator = false;
  bool has_voice = false;
  int group = kMemberGroupNone;
  int group_index = -1;  // 0-4 for user groups 1-5 when group is kMemberGroupUser

  bool operator==(const TMember&) const = default;
};

// The icon of a member's row: 2 operator, 1 voiced, 0 anyone else.
int MemberIcon(const TMember& member);

// Where a member list learns who the user is. Both the nick and the
// preferences change while a list lives, so they are asked for each time.
class TMemberGroupSource {
 public:
  virtual ~TMemberGroupSource() = default;
  virtual std::string_view CurrentNick() const = 0;
  virtual const std::vector<std::string>& SelfMasks() const = 0;
  virtual const std::array<TUserGroup, kUserGroupCount>& UserGroups() const = 0;
};

struct TMemberGroup {
  int group = kMemberGroupNone;
  int index = -1;
};
// The unit's current nick exactly, or a "Self" mask, gives the self group;
// else the first of groups 1-5 with a mask matching nick!user@host.
TMemberGroup ClassifyMember(const TMember& member, const TMemberGroupSource& source);

// `MemberSortMethod` of the member panel.
enum class TMemberSortMethod {
  Nick = 0,
  OperatorsFirst = 1,
  ByGroup = 2,
  OperatorsThenGroup = 3,
  GroupThenOperators = 4,
};

// The clicked column of the detail list, numbered as its columns are.
enum class TDetailSortColumn {
  Status = 0,  // operators, then voiced, then nick
  Nick = 1,
  User = 2,
  Host = 3,
  Info2 = 4,
  Info1 = 5,
};

enum class TMemberView { Panel, Detail };

// The ordering of one view; a strict total order, ties end at the nick.
struct TMemberLess {
  TMemberView view = TMemberView::Panel;
  int key = 0;  // the sort method or the column
  bool operator()(const TMember* a, const TMember* b) const;
};

// Members in one view's order, kept sorted one change at a time: a NAMES
// reply adds thousands of members one by one, and a full sort for each
// would make that quadratic in comparisons.
class TMemberOrder {
 public:
  explicit TMemberOrder(TMemberLess less) : less_(less) {}

  int Insert(const TMember* member);
  // The row of a member whose sort keys have not changed since it was
  // placed.
  int RowOf(const TMember* member) const;
  void EraseAt(int row);
  // Moves the member at row to its place after its sort keys changed and
  // returns its new row.
  int Settle(int row);
  void Sort(TMemberLess less);
  TMemberLess Less() const { return less_; }
  void Clear() { rows_.clear(); }
  const std::vector<const TMember*>& Rows() const { return rows_; }

 private:
  TMemberLess less_;
  std::vector<const TMember*> rows_;
};

// A view of a member list; rows are in the order of the view the observer
// was added for. A callback must not change the list.
class TMemberListObserver {
 public:
  virtual ~TMemberListObserver() = default;
  virtual void OnMemberAdded(const TMember& member, int row) = 0;
  virtual void OnMemberChanged(const TMember& member, int old_row, int new_row) = 0;
  // The member has left the order; it is destroyed when the call returns.
  virtual void OnMemberRemoved(const TMember& member, int row) = 0;
  virtual void OnMemberRenamed(const TMember& member, std::string_view old_nick, int old_row, int new_row) = 0;
  virtual void OnMembersCleared() = 0;
  // The whole order changed (another sort, groups recomputed).
  virtual void OnMembersResorted() = 0;
};

class TMemberList {
 public:
  // Without a source no member is ever put in a group.
  explicit TMemberList(const TMemberGroupSource* groups = nullptr);
  TMemberList(const TMemberList&) = delete;
  TMemberList& operator=(const TMemberList&) = delete;

  // Adds a member or updates the one with that nick. With merge every field
  // is taken; without, only the letter case of the nick and a non-empty
  // user and host.
  void AddMember(const TMember& member, bool merge);
  // Records a member's user and host; true when the caller should check
  // the member anew (auto-op).
  bool UpdateMember(std::string_view nick, std::string_view user, std::string_view host);
  void RemoveMember(std::string_view nick);
  // Any other member already holding the new nick is removed first.
  void RenameMember(std::string_view old_nick, std::string_view new_nick);
  // letter 'o' (operator) or 'v' (voice).
  void SetMemberMode(std::string_view nick, char letter, bool value);
  const TMember* FindMember(std::string_view nick) const;
  int MemberCount() const { return static_cast<int>(members_.size()); }
  void ClearMembers();

  void SetSortMethod(TMemberSortMethod method);
  void SetDetailSortColumn(TDetailSortColumn column);
  // After the user's nick or the user groups changed.
  void RecomputeGroups();

  const std::vector<const TMember*>& PanelOrder() const { return panel_.Rows(); }
  const std::vector<const TMember*>& DetailOrder() const { return detail_.Rows(); }

  void AddObserver(TMemberListObserver* observer, TMemberView view);
  void RemoveObserver(TMemberListObserver* observer);

 private:
  struct TRows {
    int panel = -1;
    int detail = -1;
    int In(TMemberView view) const { return view == TMemberView::Panel ? panel : detail; }
  };
  struct TObserverEntry {
    TMemberListObserver* observer;
    TMemberView view;
  };

  TMember* Find(std::string_view nick);
  void ComputeGroup(TMember& member) const;
  TRows RowsOf(const TMember& member) const;
  struct TMove {
    TRows before;
    TRows after;
  };

  // Runs change on a member, recomputes its group and moves it to its new
  // rows in both orders.
  template <class Change>
  TMove ChangeMember(TMember& member, Change change);
  void Remove(std::unordered_map<std::string, TMember>::iterator entry);
  template <class Notify>
  void NotifyAll(Notify notify);
  void NotifyChanged(const TMember& member, TMove move);
  void NotifyResorted(TMemberView view);

  const TMemberGroupSource* groups_;
  // Keyed by IrcUpper(nick); elements never move, so the orders can point
  // at them, even across a rename.
  std::unordered_map<std::string, TMember> members_;
  TMemberOrder panel_{{TMemberView::Panel, static_cast<int>(TMemberSortMethod::GroupThenOperators)}};
  TMemberOrder detail_{{TMemberView::Detail, static_cast<int>(TDetailSortColumn::Status)}};
  std::vector<TObserverEntry> observers_;
};

}  // namespace zeph
