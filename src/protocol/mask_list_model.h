#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "display/link_key.h"

// The masks of one channel list that a window shows: bans, ban exceptions,
// invitations or reops. Filled by the list replies and kept in step by the
// MODE changes that follow.
namespace zeph {

class TMaskListModel;

// Named by the MODE letter of the list.
enum class TMaskListKind : char { Ban = 'b', Exception = 'e', Invite = 'I', Reop = 'R' };

std::optional<TMaskListKind> MaskListKindOf(char mode_letter);

class TMaskListObserver {
 public:
  virtual ~TMaskListObserver() = default;
  virtual void OnMaskAdded(const TMaskListModel& model, int row) = 0;
  virtual void OnMaskRemoved(const TMaskListModel& model, int row) = 0;
  virtual void OnMasksCleared(const TMaskListModel& model) = 0;
  // Show, bring to the front and focus.
  virtual void OnMaskListRaise(const TMaskListModel& model) = 0;
  // The model goes away with its unit: the window closes without calling
  // back.
  virtual void OnMaskListClosed(const TMaskListModel& model) = 0;
};

class TMaskListModel {
 public:
  TMaskListModel(TNodeId unit, TNodeId channel, TMaskListKind kind) : unit_(unit), channel_(channel), kind_(kind) {}

  TNodeId Unit() const { return unit_; }
  TNodeId Channel() const { return channel_; }
  TMaskListKind Kind() const { return kind_; }
  void SetObserver(TMaskListObserver* observer) { observer_ = observer; }
  // The channel name, the list's name and the unit name:
  // "#c のバンリスト - unit".
  static std::string Title(TMaskListKind kind, const std::string& channel, const std::string& unit_name);

  const std::vector<std::string>& Masks() const { return masks_; }
  // A mask already listed (in the server's case folding) is not listed
  // twice.
  void Add(const std::string& mask);
  void Remove(const std::string& mask);
  void Clear();
  void Raise();
  void NotifyClosed();

 private:
  int Find(const std::string& mask) const;

  TNodeId unit_;
  TNodeId channel_;
  TMaskListKind kind_;
  TMaskListObserver* observer_ = nullptr;
  std::vector<std::string> masks_;
  std::set<std::string> keys_;  // IrcUpper of each mask: long ban lists stay linear to fill
};

}  // namespace zeph
